#include "persistence/PlayerStats.hpp"

#include "achievements/VoidAchievementManager.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "support/UnreadableFiles.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Switch = PlayerStats::AchievementSwitch;

namespace {

Json::Value parse(const std::string& text)
{
    Json::Value root;
    std::istringstream in(text);
    Json::CharReaderBuilder builder;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(builder, in, &root, &errors)) << errors;
    return root;
}

const Achievement& entry(const AchievementManager& manager, const std::string& id)
{
    for (const Achievement& a : manager.getCatalogue()) {
        if (a.getId() == id)
            return a;
    }
    throw std::runtime_error("no " + id);
}

// Start-up as the game runs it: the switch, loading, showing the unlocked achievements
// again, writing the file back.
void startUp(PlayerStats& stats, AchievementManager& manager, const std::string& path, Switch achievementSwitch)
{
    stats.applyAchievementSwitch(achievementSwitch);
    stats.loadFile(path, achievementSwitch);
    manager.refreshUnlocked();
    stats.saveFile(path);
}

class PlayerSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.buildCatalogue();
        stats.setAchievementManager(&manager);
        path = log.home().root() + "/playerSave.json";
    }
    std::vector<std::string> corruptCopies() const
    {
        std::vector<std::string> names;
        for (const auto& file : fs::directory_iterator(log.home().root())) {
            std::string name = file.path().filename().string();
            if (name.rfind("playerSave.json.corrupt-", 0) == 0)
                names.push_back(file.path().string());
        }
        return names;
    }

    LogCapture log;
    VoidAchievementManager manager;
    PlayerStats stats;
    std::string path;
};

} // namespace

TEST_F(PlayerSave, AddersKeepNamesUniqueAndReport)
{
    stats.addMemento("locket");
    stats.addMemento("locket");
    EXPECT_EQ(stats.getCollectedMementos().size(), 1u);
    EXPECT_EQ(entry(manager, "memento_collector1").getProgress(), 1);

    stats.addPlanet("null");
    stats.addPlanet("Argon Station");
    stats.addPlanet("Argon Station");
    EXPECT_EQ(stats.getVisitedPlanets(), std::vector<std::string>{ "Argon Station" });
    EXPECT_EQ(entry(manager, "space_explorer").getProgress(), 1);

    stats.addKilledCrew("Rodir Verid");
    stats.addKilledCrew("Rodir Verid");
    EXPECT_EQ(entry(manager, "crew_killer").getProgress(), 1);
    stats.addResearch("argon_neutronstar_research_1");
    EXPECT_TRUE(entry(manager, "researcher1").isUnlocked());
    EXPECT_EQ(stats.getUnlockedAchievements(), std::vector<std::string>{ "researcher1" });

    for (int i = 0; i < 50; ++i)
        stats.addJump();
    EXPECT_TRUE(entry(manager, "space_jumper").isUnlocked());
    stats.addFoodUsed(599);
    EXPECT_FALSE(entry(manager, "food_glutton").isUnlocked());
    stats.addFoodUsed(1);
    EXPECT_TRUE(entry(manager, "food_glutton").isUnlocked());
}

TEST_F(PlayerSave, RoundTripKeepsEveryFieldAndWritesOneCompactLine)
{
    stats.addFoodUsed(42);
    stats.addFuelUsed(7);
    stats.addJump();
    stats.addDistanceTravelled(12.3f);
    stats.addMemento("locket");
    stats.addPlanet("Argon Station");
    stats.addAliveEndingMember("Zuveda Dared");
    stats.addKilledCrew("Rodir Verid");
    stats.addResearch("argon_blackhole_research_0");
    manager.unlockAchievement("eat_crew");
    ASSERT_TRUE(stats.saveFile(path));

    std::string text = readAll(path);
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    EXPECT_LT(text.find("\"AllAliveEndingMembers\""), text.find("\"TotalFoodUsed\"")) << "keys in ascending order";
    EXPECT_TRUE(log.contains("Saving player data\n"));

    VoidAchievementManager otherManager;
    otherManager.buildCatalogue();
    PlayerStats loaded;
    loaded.setAchievementManager(&otherManager);
    loaded.loadFile(path, Switch::None);
    EXPECT_EQ(loaded.getTotalFoodUsed(), 42);
    EXPECT_EQ(loaded.getTotalFuelUsed(), 7);
    EXPECT_EQ(loaded.getTotalJumpsMade(), 1);
    EXPECT_EQ(loaded.getTotalDistanceTravelled(), 12.3f);
    EXPECT_EQ(loaded.getCollectedMementos(), stats.getCollectedMementos());
    EXPECT_EQ(loaded.getVisitedPlanets(), stats.getVisitedPlanets());
    EXPECT_EQ(loaded.getAliveEndingMembers(), stats.getAliveEndingMembers());
    EXPECT_EQ(loaded.getKilledCrew(), stats.getKilledCrew());
    EXPECT_EQ(loaded.getResearch(), stats.getResearch());
    EXPECT_EQ(loaded.getUnlockedAchievements(), (std::vector<std::string>{ "researcher1", "eat_crew" }));
    EXPECT_EQ(entry(otherManager, "researcher2").getProgress(), 1) << "loading reports everything";
    EXPECT_TRUE(corruptCopies().empty());
}

TEST_F(PlayerSave, FreshStartWritesOnlyTheFourNumbers)
{
    startUp(stats, manager, path, Switch::None);
    EXPECT_TRUE(log.contains("Could not open player save! " + path));
    Json::Value root = parse(readAll(path));
    EXPECT_EQ(root.getMemberNames(),
              (std::vector<std::string>{ "TotalDistanceTravelled", "TotalFoodUsed", "TotalFuelUsed", "TotalJumpsMade" }));
}

TEST_F(PlayerSave, ClearSwitchLeavesOnlyZeroes)
{
    writeText(path, R"({"TotalFoodUsed":300,"TotalJumpsMade":60,"TotalCollectedMementos":["a","b"],)"
                    R"("unlockedAchievements":["space_jumper","eat_crew"]})");
    startUp(stats, manager, path, Switch::Clear);
    EXPECT_TRUE(log.contains("Locking all acheivements\n"));
    Json::Value root = parse(readAll(path));
    EXPECT_EQ(root.size(), 4u);
    EXPECT_EQ(root["TotalFoodUsed"].asInt(), 0);
    EXPECT_EQ(root["TotalJumpsMade"].asInt(), 0);
    for (const Achievement& a : manager.getCatalogue())
        EXPECT_FALSE(a.isUnlocked()) << a.getId();
}

TEST_F(PlayerSave, UnlockSwitchRaisesTheStatisticsToEveryTarget)
{
    writeText(path, R"({"TotalFoodUsed":900,"TotalFuelUsed":3,"unlockedAchievements":["eat_crew"],)"
                    R"("TotalCollectedMementos":["m0","m1","m2","m3","m4","m5"]})");
    startUp(stats, manager, path, Switch::Unlock);
    EXPECT_TRUE(log.contains("Unlocking all acheivements\n"));
    EXPECT_EQ(stats.getTotalFoodUsed(), 900) << "never lowered";
    EXPECT_EQ(stats.getTotalFuelUsed(), 999);
    EXPECT_EQ(stats.getTotalJumpsMade(), 50);
    EXPECT_EQ(stats.getTotalDistanceTravelled(), 500.0f);
    EXPECT_EQ(stats.getCollectedMementos().size(), 52u) << "memento6 .. memento51 after the six";
    EXPECT_EQ(stats.getCollectedMementos()[6], "memento6");
    EXPECT_EQ(stats.getVisitedPlanets().size(), 14u);
    EXPECT_EQ(stats.getAliveEndingMembers(), AchievementManager::characterNames());
    EXPECT_EQ(stats.getKilledCrew(), AchievementManager::characterNames());
    EXPECT_EQ(stats.getResearch(), AchievementManager::researchIds());
    EXPECT_EQ(stats.getUnlockedAchievements().size(), 21u);
    for (const Achievement& a : manager.getCatalogue())
        EXPECT_TRUE(a.isUnlocked()) << a.getId();
}

TEST_F(PlayerSave, UnlockSwitchAddsNoMementosBeyondTheTarget)
{
    for (int i = 0; i < 6; ++i)
        stats.addMemento("m" + std::to_string(i));
    Json::Value root = stats.serialize();
    // A manager whose "all mementos" target is 5: nothing to add to six.
    struct FiveMementos : VoidAchievementManager {
        std::int32_t getThreshold(const std::string& id) const override
        {
            return id == "memento_collector2" ? 5 : VoidAchievementManager::getThreshold(id);
        }
    } five;
    five.buildCatalogue();
    PlayerStats loaded;
    loaded.setAchievementManager(&five);
    loaded.deserialize(root, Switch::Unlock);
    EXPECT_EQ(loaded.getCollectedMementos().size(), 6u);
}

TEST_F(PlayerSave, UnparsableSaveIsKeptAsideNotOverwritten)
{
    // The second is nested past the reader's depth limit, where it throws rather than reports.
    const std::string files[] = {
        R"({"TotalFoodUsed": 120, "AllKilledCrew": ["Rodir Verid" )",
        R"({"TotalFoodUsed": 120, "AllKilledCrew": )" + std::string(5000, '['),
    };
    for (const std::string& broken : files) {
        for (const auto& copy : corruptCopies())
            fs::remove(copy);
        writeText(path, broken);
        PlayerStats fresh;
        startUp(fresh, manager, path, Switch::None);
        EXPECT_TRUE(log.contains("could not parse options!"));
        auto copies = corruptCopies();
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(readAll(copies[0]), broken);
        EXPECT_TRUE(log.contains("kept the unreadable " + path + " as " + copies[0]));
        parse(readAll(path)); // the save itself is whole again
    }
}

TEST_F(PlayerSave, WrongTypesStopReadingNameTheKeyAndKeepTheFile)
{
    const struct {
        const char* text;
        const char* key;
    } cases[] = {
        { R"({"TotalFoodUsed":"lots"})", "TotalFoodUsed" },
        { R"({"TotalJumpsMade":1e300})", "TotalJumpsMade" },
        { R"({"TotalDistanceTravelled":[1]})", "TotalDistanceTravelled" },
        { R"({"AllResearch":[["nested"]]})", "AllResearch" },
        { R"({"unlockedAchievements":[{}]})", "unlockedAchievements" },
    };
    for (const auto& c : cases) {
        fs::remove(path);
        for (const auto& copy : corruptCopies())
            fs::remove(copy);
        writeText(path, c.text);
        PlayerStats fresh;
        fresh.loadFile(path, Switch::None);
        EXPECT_TRUE(log.contains("key \"" + std::string(c.key) + "\" has the wrong type")) << c.text;
        EXPECT_EQ(corruptCopies().size(), 1u) << c.text;
    }
    EXPECT_TRUE(log.contains("Failed to load saved player save."));
}

TEST_F(PlayerSave, ListsMayBeObjectsAndOtherShapesAreIgnored)
{
    writeText(path, R"({"AllKilledCrew":{"a":"Rodir Verid","b":"Dizid Zurozu"},"AllResearch":"x",)"
                    R"("TotalVisitedPlanets":["Argon Station","Argon Station",7]})");
    stats.loadFile(path, Switch::None);
    EXPECT_EQ(stats.getKilledCrew(), (std::vector<std::string>{ "Rodir Verid", "Dizid Zurozu" }));
    EXPECT_TRUE(stats.getResearch().empty());
    EXPECT_EQ(stats.getVisitedPlanets(), (std::vector<std::string>{ "Argon Station", "7" }));
    EXPECT_TRUE(corruptCopies().empty());
}

TEST_F(PlayerSave, TotalsAtTheLimitOfTheSaveStopThere)
{
    writeText(path, R"({"TotalFoodUsed":2147483647,"TotalFuelUsed":2147483646,"TotalJumpsMade":2147483647})");
    stats.loadFile(path, Switch::None);
    stats.addFoodUsed(10);
    stats.addFuelUsed(10);
    stats.addJump();
    EXPECT_EQ(stats.getTotalFoodUsed(), 2147483647);
    EXPECT_EQ(stats.getTotalFuelUsed(), 2147483647);
    EXPECT_EQ(stats.getTotalJumpsMade(), 2147483647);
    EXPECT_TRUE(entry(manager, "space_jumper").isUnlocked());
}

TEST_F(PlayerSave, TopLevelThatIsNoObjectIsRefused)
{
    writeText(path, "[1, 2, 3]");
    stats.loadFile(path, Switch::None);
    EXPECT_TRUE(log.contains("Failed to load saved player save."));
    EXPECT_EQ(corruptCopies().size(), 1u);
}

// A save that is there but cannot be read (wrong owner, mode, a folder in its place) is not a
// first start: it is left as it is, and the run never writes zeroed statistics over it.
TEST_F(PlayerSave, ASaveThatCannotBeReadIsNeverSavedOver)
{
    int count = 0;
    for (const UnreadableFile& kind : unreadableFiles()) {
        const std::string unreadable = log.home().root() + "/unreadable-" + std::to_string(++count);
        kind.make(unreadable);
        const auto before = fs::symlink_status(unreadable).type();
        PlayerStats fresh;
        startUp(fresh, manager, unreadable, Switch::None);
        EXPECT_FALSE(fresh.saveFile(unreadable)) << kind.what;
        EXPECT_EQ(fs::symlink_status(unreadable).type(), before) << kind.what;
        EXPECT_TRUE(corruptCopies().empty()) << kind.what;
        EXPECT_TRUE(log.contains("Could not open player save! " + unreadable + ": ")) << kind.what;
        EXPECT_TRUE(log.contains("not saving over " + unreadable)) << kind.what;
        EXPECT_TRUE(fresh.saveFile(path)) << "other paths are saved as usual";
    }
}
