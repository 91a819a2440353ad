#include "missions/MissionManager.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const std::string catalogueRoot = std::string(QV_FIXTURES_DIR) + "/missions/catalogue/";

std::vector<std::string> files(const std::vector<Mission>& missions)
{
    std::vector<std::string> names;
    for (const Mission& mission : missions)
        names.push_back(mission.loadedFilename);
    return names;
}

std::set<std::string> sorted(const std::vector<Mission>& missions)
{
    auto names = files(missions);
    return { names.begin(), names.end() };
}

Mission withOrder(std::int32_t order, bool completed)
{
    Mission mission;
    mission.storyOrder = order;
    mission.isCompleted = completed;
    return mission;
}

class Catalogue : public ::testing::Test {
protected:
    LogCapture log;
    MissionManager manager { nullptr, catalogueRoot };
};

} // namespace

TEST_F(Catalogue, SortsMissionFilesIntoTheFourKinds)
{
    EXPECT_EQ(sorted(manager.getStoryCatalogue()),
              (std::set<std::string>{ "missions/json/story_first.json", "missions/json/story_third.json" }))
        << "a story order wins over a food type";
    EXPECT_EQ(sorted(manager.getSideCatalogue()), (std::set<std::string>{ "missions/json/side_relay.json" }))
        << "an unparsable file is no mission, and editor leftovers are no mission files";
    EXPECT_EQ(manager.getEventCatalogue().size(), 5u);
    EXPECT_EQ(sorted(manager.getRandomCatalogue()),
              (std::set<std::string>{ "missions/random/json/drift.json", "missions/random/json/echo.json" }));
    EXPECT_EQ(files(manager.storyMissions), files(manager.getStoryCatalogue()));
    EXPECT_EQ(files(manager.sideMissions), files(manager.getSideCatalogue()));
    EXPECT_EQ(files(manager.randomMissions), files(manager.getRandomCatalogue()));
    EXPECT_TRUE(log.contains("Could not parse mission file: " + catalogueRoot + "missions/json/side_broken.json"));
    EXPECT_TRUE(log.contains("Scanning spatial regions ["));
}

TEST_F(Catalogue, NamedEventsAreKeyedByFileName)
{
    ASSERT_NE(manager.namedEvent("starvation.json"), nullptr);
    EXPECT_EQ(manager.namedEvent("starvation.json")->getItem("Name"), "Starvation");
    EXPECT_EQ(manager.namedEvent("outofgas.json")->loadedFilename, "missions/events/json/outofgas.json");
    EXPECT_EQ(manager.namedEvent("nothing.json"), nullptr);
}

TEST_F(Catalogue, EventOrderIsTheFixedShuffleInEveryLaunch)
{
    // mt19937_64 at its default seed over five events: the run list takes the catalogue
    // entries in this order.
    const std::size_t expected[] = { 3, 0, 4, 2, 1 };
    const auto& catalogue = manager.getEventCatalogue();
    ASSERT_EQ(manager.eventMissions.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(manager.eventMissions[k].loadedFilename, catalogue[expected[k]].loadedFilename) << k;

    MissionManager again(nullptr, catalogueRoot);
    EXPECT_EQ(files(again.eventMissions), files(manager.eventMissions));
}

TEST_F(Catalogue, ResetCopiesTheCataloguesBackForANewRun)
{
    manager.storyMissions.front().isCompleted = true;
    manager.sideMissions.clear();
    manager.eventMissions.pop_back();
    manager.addQuestItem("argon_blackhole_research_0");
    manager.gameOver = true;
    manager.resetRunLists(MissionManager::hard);
    EXPECT_FALSE(manager.storyMissions.front().isCompleted);
    EXPECT_EQ(files(manager.sideMissions), files(manager.getSideCatalogue()));
    EXPECT_EQ(files(manager.eventMissions), files(manager.getEventCatalogue())) << "the file order, not shuffled";
    EXPECT_TRUE(manager.questItemList().empty());
    EXPECT_FALSE(manager.gameOver);
    EXPECT_EQ(manager.getDifficulty(), "Hard");
}

TEST(MissionCatalogue, MissingFoldersGiveEmptyListsAndAreLogged)
{
    LogCapture log;
    MissionManager manager(nullptr, log.home().root() + "/nowhere/");
    EXPECT_TRUE(manager.getStoryCatalogue().empty());
    EXPECT_TRUE(manager.namedEvents.empty());
    EXPECT_TRUE(log.contains("Couldn't open the directory.\n"));
    EXPECT_EQ(manager.nextStoryOrder(), 1);
    EXPECT_EQ(manager.pickRandomMission(), -1);
}

TEST(MissionCatalogue, NextStoryOrderFollowsTheHighestCompleted)
{
    LogCapture log;
    MissionManager manager(nullptr, log.home().root() + "/nowhere/");
    const struct {
        std::vector<Mission> story;
        std::int32_t next;
    } cases[] = {
        { {}, 1 },
        { { withOrder(1, false), withOrder(2, false) }, 1 },
        { { withOrder(1, true), withOrder(3, true), withOrder(2, false) }, 4 },
        { { withOrder(3, true), withOrder(1, true) }, 4 },
        { { withOrder(2, true), withOrder(5, false) }, 3 },
    };
    for (const auto& c : cases) {
        manager.storyMissions = c.story;
        EXPECT_EQ(manager.nextStoryOrder(), c.next);
    }
}

TEST_F(Catalogue, RandomMissionsArePickedOnlyWhileUncompleted)
{
    manager.seedRandom(1234);
    std::mt19937 reference(1234);
    std::int32_t first = manager.pickRandomMission();
    EXPECT_EQ(first, static_cast<std::int32_t>(reference() % 2));

    manager.randomMissions[0].isCompleted = true;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(manager.pickRandomMission(), 1);
    manager.randomMissions[1].isCompleted = true;
    EXPECT_EQ(manager.pickRandomMission(), -1);
    manager.randomMissions.clear();
    EXPECT_EQ(manager.pickRandomMission(), -1);
}

TEST(MissionCatalogue, DifficultyNamesAndScales)
{
    LogCapture log;
    MissionManager manager(nullptr, log.home().root() + "/nowhere/");
    EXPECT_EQ(manager.difficulty, MissionManager::medium) << "a new manager plays Medium";
    const struct {
        std::int32_t difficulty;
        const char* name;
        std::int32_t scale;
    } cases[] = { { 8, "Easy", 10 }, { 6, "Medium", 20 }, { 4, "Hard", 30 }, { 5, "Easy", 10 } };
    for (const auto& c : cases) {
        manager.difficulty = c.difficulty;
        EXPECT_EQ(manager.getDifficulty(), c.name) << c.difficulty;
        EXPECT_EQ(manager.getDiffScale(10, 20, 30), c.scale) << c.difficulty;
    }
    EXPECT_TRUE(log.contains("Warning: Current difficulty not found. Returning Easy.\n"));
    EXPECT_TRUE(log.contains("Warning: Current difficulty not found. Returning Easy (10).\n"));
}
