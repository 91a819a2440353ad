#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/SaveBackups.hpp"
#include "persistence/SessionStore.hpp"
#include "support/CrewFixture.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace {

// One run in memory with everything the session save reads and writes, in a private user
// folder: a roster over the crew fixtures, a small mission catalogue and a generated sector.
class SessionStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        missions.resetRunLists(MissionManager::medium);
        // A portrait file for one of the crew: the save embeds it beside the file's sprite name.
        crew.writePicture(std::string("general/character_related/characters/") + "face_ilka.png", 14, 26,
                          sf::Color(200, 120, 40));
        roster = crew.roster();
        roster->resetCrew();
        roster->setDeployTeam({0, 1});
        sector = std::make_unique<Sector>(missions, ship, 3, 3, FogOfWar::Mode::Shaded);
        sector->generateSector(81, false);
        ship.travelTo(400.f, 200.f);
        for (int step = 0; step < 60; ++step)
            sector->update(50000);
        store = std::make_unique<SessionStore>(*roster, missions, *sector, ship);
    }

    std::string savedFile() const { return readAll(SessionStore::sessionPath()); }

    LogCapture log;
    CrewFolders crew { log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
    // Two side missions in the catalogue: a loaded run finds its missions there.
    MissionManager missions { nullptr, std::string(QV_SOURCE_DIR) + "/tests/fixtures/front-run/" };
    FakeShipContext context;
    Ship ship { context };
    std::unique_ptr<Sector> sector;
    std::unique_ptr<SessionStore> store;
};

TEST_F(SessionStoreTest, SaveLoadSaveGivesTheSameBytes)
{
    EXPECT_FALSE(SessionStore::saveExists());
    ASSERT_TRUE(store->save());
    ASSERT_TRUE(SessionStore::saveExists());
    const std::string first = savedFile();
    const std::string firstFog = readAll(SessionStore::fogPath());
    // One line, the members in key order.
    EXPECT_EQ(first.find('\n'), first.size() - 1);
    EXPECT_LT(first.find("\"Characters\""), first.find("\"Missions\""));
    EXPECT_LT(first.find("\"Missions\""), first.find("\"Sector\""));
    EXPECT_LT(first.find("\"Sector\""), first.find("\"Ship\""));
    ASSERT_NE(first.find("face_ilka.png"), std::string::npos);

    // Play on, then load what was saved and save it again.
    ship.adjustFood(-5);
    sector->generateSector(9, false);
    ASSERT_TRUE(store->load());
    ASSERT_TRUE(store->save());
    EXPECT_EQ(savedFile(), first);
    EXPECT_EQ(readAll(SessionStore::fogPath()), firstFog);
}

TEST_F(SessionStoreTest, ALoadClearsTheLastRunsQuestItemsAndDeployTeam)
{
    ASSERT_TRUE(store->save());
    missions.addQuestItem("old_run_key");
    roster->setDeployTeam({0, 1, 2});
    ASSERT_TRUE(store->load());
    EXPECT_FALSE(missions.hasQuestItem("old_run_key"));
    EXPECT_TRUE(roster->getDeployTeam().empty());
}

TEST_F(SessionStoreTest, DamagedSavesFailTheLoadAndStayOnDisk)
{
    ASSERT_TRUE(store->save());
    const std::string good = savedFile();
    Json::Value root;
    std::string errors;
    ASSERT_TRUE(parseJsonText(good, root, errors));

    struct Case {
        const char* name;
        std::function<std::string()> text;
        const char* logged;
    };
    const Case cases[] = {
        {"not JSON", [] { return std::string("{\"Ship\": [1,"); }, "could not parse options!"},
        {"an array", [] { return std::string("[]\n"); }, "does not hold an object"},
        {"empty object", [] { return std::string("{}\n"); }, "Failed to load saved ship state."},
        {"ship is a number", [&] { Json::Value r = root; r["Ship"] = 3; return SessionStore::compactText(r); },
         "Failed to load saved ship state."},
        {"no missions", [&] { Json::Value r = root; r.removeMember("Missions"); return SessionStore::compactText(r); },
         "Failed to load saved mission state."},
        {"crew of the wrong type",
         [&] { Json::Value r = root; r["Characters"]["Alive"] = "nobody"; return SessionStore::compactText(r); },
         "Failed to load saved character state."},
    };
    for (const Case& c : cases) {
        const std::string text = c.text();
        writeText(SessionStore::sessionPath(), text);
        EXPECT_FALSE(store->load()) << c.name;
        EXPECT_TRUE(log.contains(c.logged)) << c.name;
        EXPECT_TRUE(log.contains("Failed to load save! ;_;")) << c.name;
        EXPECT_EQ(savedFile(), text) << c.name;
    }
}

TEST_F(SessionStoreTest, NoFileIsAFailedLoadNamingThePath)
{
    EXPECT_FALSE(store->load());
    EXPECT_TRUE(log.contains("Could not open player save! " + SessionStore::sessionPath()));
}

TEST_F(SessionStoreTest, AnOwnerThatThrowsFailsTheLoad)
{
    ASSERT_TRUE(store->save());
    store->loadMissions = [](const Json::Value&) -> bool { throw std::runtime_error("mission list broke"); };
    EXPECT_FALSE(store->load());
    EXPECT_TRUE(log.contains("Load failed, Give this to a developer: mission list broke"));
}

TEST_F(SessionStoreTest, AFolderThatCannotBeWrittenKeepsTheOldSave)
{
    ASSERT_TRUE(store->save());
    ASSERT_TRUE(store->save());
    const std::string old = savedFile();
    const std::string backup = readAll(SaveBackups::backupPath(SessionStore::sessionPath(), 1));
    ship.adjustFood(-5);
    const SessionSnapshot snapshot = store->capture();
    const std::string folder = savedPath();
    ASSERT_EQ(chmod(folder.c_str(), 0500), 0);
    bool saved = true;
    if (geteuid() == 0) {
        // Root writes anywhere: the save is made by a child that gave up root.
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
            _exit(SessionStore::write(snapshot) ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 3) << "could not give up root";
        saved = WEXITSTATUS(status) == 0;
    } else {
        saved = SessionStore::write(snapshot);
        EXPECT_TRUE(log.contains("Error: SessionStore::write"));
    }
    chmod(folder.c_str(), 0700);
    EXPECT_FALSE(saved);
    EXPECT_EQ(savedFile(), old);
    EXPECT_EQ(readAll(SaveBackups::backupPath(SessionStore::sessionPath(), 1)), backup);
    EXPECT_FALSE(std::filesystem::exists(SaveBackups::backupPath(SessionStore::sessionPath(), 2)));
}

// Five saves, each with its own food: the last three before the newest are the backups,
// rotated with their fog files; a broken save falls back to the newest backup that loads.
TEST_F(SessionStoreTest, BackupsRotateAndALoadFallsBackToTheNewestThatLoads)
{
    const std::string session = SessionStore::sessionPath();
    for (int food = 1; food <= 5; ++food) {
        ship.adjustFood(food - ship.getFood());
        ASSERT_TRUE(store->save());
    }
    for (int number = 1; number <= SaveBackups::kept; ++number) {
        Json::Value root;
        std::string errors;
        ASSERT_TRUE(parseJsonText(readAll(SaveBackups::backupPath(session, number)), root, errors));
        Ship saved(context);
        ASSERT_TRUE(saved.fromJson(root["Ship"]));
        EXPECT_EQ(saved.getFood(), 5 - number);
        EXPECT_TRUE(std::filesystem::exists(SaveBackups::backupPath(SessionStore::fogPath(), number)));
    }
    EXPECT_FALSE(std::filesystem::exists(SaveBackups::backupPath(session, SaveBackups::kept + 1)));
    EXPECT_FALSE(std::filesystem::exists(session + ".previous"));

    writeText(session, "{\"Ship\": [1,");
    writeText(SaveBackups::backupPath(session, 1), "");
    ship.adjustFood(40);
    ASSERT_TRUE(store->load());
    EXPECT_EQ(ship.getFood(), 3);
    EXPECT_TRUE(log.contains("Loaded the backup " + SaveBackups::backupPath(session, 2) + " instead of " + session));
    EXPECT_EQ(savedFile(), "{\"Ship\": [1,");
    EXPECT_TRUE(SessionStore::saveExists());

    // With every file broken the load fails and nothing is removed.
    for (int number = 2; number <= SaveBackups::kept; ++number)
        writeText(SaveBackups::backupPath(session, number), "[]");
    EXPECT_FALSE(store->load());
    EXPECT_TRUE(std::filesystem::exists(SaveBackups::backupPath(session, 3)));
}

TEST_F(SessionStoreTest, ACapturedSnapshotIsWrittenAsItWasTaken)
{
    const SessionSnapshot snapshot = store->capture();
    ship.adjustFood(-5); // play goes on before the background write
    ASSERT_TRUE(SessionStore::write(snapshot));
    EXPECT_EQ(savedFile(), snapshot.sessionText);
    EXPECT_NE(store->capture().sessionText, snapshot.sessionText);
}

} // namespace

namespace {

TEST_F(SessionStoreTest, ASaveRemovesWhatKilledSavesLeftBehind)
{
    const std::string dead = SessionStore::sessionPath() + ".tmp-999999999-0";
    const std::string live = SessionStore::sessionPath() + ".tmp-" + std::to_string(getpid()) + "-7";
    const std::string other = savedPath() + "playerSave.json.tmp-999999999-0";
    for (const std::string& path : {dead, live, other})
        writeText(path, "half a save");
    ASSERT_TRUE(store->save());
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(other));
}

} // namespace
