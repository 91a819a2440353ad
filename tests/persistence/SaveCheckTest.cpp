#include "core/FileUtils.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/SaveBackups.hpp"
#include "persistence/SaveCheck.hpp"
#include "persistence/SessionStore.hpp"
#include "support/CrewFixture.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

namespace {

// A user folder with a session saved twice (so a backup exists), a player save and options.
class SaveCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        missions.resetRunLists(MissionManager::medium);
        roster = crew.roster();
        roster->resetCrew();
        sector = std::make_unique<Sector>(missions, ship, 3, 3, FogOfWar::Mode::Shaded);
        sector->generateSector(81, false);
        SessionStore store(*roster, missions, *sector, ship);
        ASSERT_TRUE(store.save());
        ASSERT_TRUE(store.save());
        ASSERT_TRUE(context.stats.saveFile(savedPath() + "playerSave.json"));
        writeText(userPath() + "options.json", "{\"FontName\": \"monofur\"}\n");
    }

    bool check(std::string& report)
    {
        std::ostringstream out;
        const bool good =
            SaveCheck(userPath(), {crew.assets(), std::string(QV_SOURCE_DIR) + "/tests/fixtures/front-run/"}).run(out);
        report = out.str();
        return good;
    }

    LogCapture log;
    CrewFolders crew { log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
    MissionManager missions { nullptr, std::string(QV_SOURCE_DIR) + "/tests/fixtures/front-run/" };
    FakeShipContext context;
    Ship ship { context };
    std::unique_ptr<Sector> sector;
};

TEST_F(SaveCheckTest, ReportsWhatLoadsAndWhatDoesNot)
{
    struct Case {
        const char* name;
        const char* file; // under the user folder; "" changes nothing
        const char* text;
        bool good;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"all whole", "", "", true, {"options: loaded", "player save: loaded", "session: loaded"}},
        {"options not JSON", "options.json", "{\"FontName\": ", false, {"options: FAILED", "not JSON", "session: loaded"}},
        {"options an array", "options.json", "[1]", false, {"options: FAILED", "does not hold an object"}},
        {"player save of the wrong type", "saved/playerSave.json", "{\"TotalJumpsMade\": \"many\"}", false,
         {"player save: FAILED", "session: loaded"}},
        {"session broken, backup whole", "saved/sessionSave.json", "{\"Ship\": 3}", false,
         {"session: FAILED", "sessionSave.json.backup-1 loads instead"}},
    };
    const std::string user = userPath();
    for (const Case& c : cases) {
        std::map<std::string, std::string> kept;
        if (*c.file) {
            kept[c.file] = readAll(user + c.file);
            writeText(user + c.file, c.text);
        }
        std::string report;
        EXPECT_EQ(check(report), c.good) << c.name << "\n" << report;
        for (const std::string& line : c.said)
            EXPECT_NE(report.find(line), std::string::npos) << c.name << ": no \"" << line << "\" in\n" << report;
        // Nothing is written: the broken file is still there as it was.
        if (*c.file) {
            EXPECT_EQ(readAll(user + c.file), c.text) << c.name;
            writeText(user + c.file, kept[c.file]);
        }
    }
}

TEST_F(SaveCheckTest, AFolderWithoutSavesIsFine)
{
    const std::string folder = log.home().root() + "/nobody/";
    std::ostringstream out;
    EXPECT_TRUE(SaveCheck(folder, {crew.assets(), std::string(QV_SOURCE_DIR) + "/tests/fixtures/front-run/"}).run(out));
    EXPECT_NE(out.str().find("session: none"), std::string::npos) << out.str();
    EXPECT_FALSE(std::filesystem::exists(folder));
}

} // namespace
