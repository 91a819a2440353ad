// The mission explorer over small missions (tests/fixtures/explore), each of which breaks one
// rule on one path: the table names the finding each must give; the clean mission gives none.
#include "missions/MissionExplorer.hpp"

#include "missions/Mission.hpp"
#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string staticAssets = std::string(QV_SOURCE_DIR) + "/assets-src/static/";
const std::string fixtures = std::string(QV_FIXTURES_DIR) + "/explore/";

MissionExplorer::Result explore(const std::string& name)
{
    MissionExplorer::Settings settings;
    settings.assets = staticAssets;
    settings.stepBudget = 200'000;
    settings.logFile = Logger::path();
    return MissionExplorer(settings).explore(fixtures + "missions/json/" + name + ".json",
                                             "missions/json/" + name + ".json");
}

std::string listed(const MissionExplorer::Result& result)
{
    std::string text;
    for (const auto& finding : result.findings)
        text += finding.message + " [" + finding.fixture + ", " + finding.path + "]\n";
    return text.empty() ? "(no findings)" : text;
}

} // namespace

TEST(MissionExplorer, PlaysEveryPathOfACleanMissionWithoutFindings)
{
    LogCapture log;
    const MissionExplorer::Result result = explore("clean");
    EXPECT_TRUE(result.findings.empty()) << listed(result);
    EXPECT_TRUE(result.complete);
    // Two paths in every fixture, each one pick long.
    EXPECT_EQ(result.paths, 2 * result.fixtures);
    EXPECT_EQ(result.longestPath, 1u);
    EXPECT_EQ(result.endings, (std::set<std::string>{ "completed", "not completed" }));
    EXPECT_EQ(result.mementos, (std::set<std::string>{ "relay_mug" }));
    EXPECT_TRUE(result.completed);
}

TEST(MissionExplorer, EachBrokenMissionGivesItsFinding)
{
    LogCapture log;
    const struct {
        const char* mission;
        const char* expected;
        const char* fixture; // the fixture that finds it, "" for any
    } rows[] = {
        { "endless", "ran past its step budget", "" },
        { "endless_pcall", "ran past its step budget", "" },
        { "no_end", "returns without ending its mission", "" },
        { "lua_error", "Lua error: ", "" },
        { "too_many", "offers 11 choices", "" },
        { "all_locked", "has no choice that can be picked", "" },
        { "bad_rechoice", "rechoice names a choice set that was never offered", "" },
        { "bad_crew", "bad crew number", "" },
        { "outofgas", "ends with fuel 0 and the run goes on", "fuel 0" },
        { "nobody_aboard", "nobody is left aboard, but the run goes on", "Hard" },
        { "victory", "a victory without an end screen", "" },
        { "victory", "a victory that does not call checkEveryoneLives", "" },
        { "victory", "a victory that unlocks no victory achievement", "" },
        { "chance", "the odd branch breaks", "random 1" },
        { "quest_item", "the key branch breaks", "all quest items" },
    };
    for (const auto& row : rows) {
        const MissionExplorer::Result result = explore(row.mission);
        bool found = false;
        for (const auto& finding : result.findings)
            found = found
                || (finding.message.find(row.expected) != std::string::npos
                    && (std::string(row.fixture).empty() || finding.fixture == row.fixture));
        EXPECT_TRUE(found) << row.mission << ": expected \"" << row.expected << "\" in:\n" << listed(result);
    }
}

TEST(MissionExplorer, ADeadlineStopsTheExplorationWithoutAFinding)
{
    LogCapture log;
    MissionExplorer::Settings settings;
    settings.assets = staticAssets;
    settings.deadline = MissionExplorer::Clock::now();
    const MissionExplorer::Result result = MissionExplorer(settings).explore(
        fixtures + "missions/json/clean.json", "missions/json/clean.json");
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(result.findings.empty()) << listed(result);
}

TEST(MissionExplorer, FixturesOpenEachRoleTeamSizeAndTestedItem)
{
    Mission mission;
    mission.loadMissionFile(fixtures + "missions/json/clean.json", "missions/json/clean.json");
    std::set<std::string> names;
    for (const auto& fixture : MissionExplorer::fixturesFor(mission, { "old_key", "lamp" }))
        names.insert(fixture.name);
    EXPECT_EQ(names,
              (std::set<std::string>{ "Medium", "Easy", "Hard", "team of 1", "no leader", "no medic", "food 0",
                                      "fuel 0", "hull 10", "one aboard", "all quest items", "item old_key", "item lamp", "random 1",
                                      "random high", "random 0,1" }));
}

TEST(MissionExplorer, TheStoryWalkReachesBothFinalsOrSaysWhereItStops)
{
    const auto mission = [](const char* name, int order, const char* image, bool completed, bool endsRun) {
        MissionExplorer::Result result;
        result.file = std::string("missions/json/") + name + ".json";
        result.name = name;
        result.storyOrder = order;
        result.image = image;
        result.completed = completed;
        result.endsRun = endsRun;
        return result;
    };
    const std::set<std::string> planets = { "rocky.png", "ocean.png" };
    std::vector<std::string> finals;

    const std::vector<MissionExplorer::Result> whole = { mission("first", 1, "rocky.png", true, false),
        mission("second", 2, "ocean.png", true, false), mission("drake", 3, "rocky.png", false, true),
        mission("ellison", 3, "ocean.png", false, true) };
    EXPECT_TRUE(MissionExplorer::walkStory(whole, planets, finals).empty());
    EXPECT_EQ(finals, (std::vector<std::string>{ "drake", "ellison" }));

    const struct {
        std::vector<MissionExplorer::Result> story;
        const char* expected;
    } broken[] = {
        { { mission("first", 1, "rocky.png", true, false), mission("drake", 3, "rocky.png", false, true) },
          "story order 2 cannot be reached" },
        { { mission("first", 1, "moon.png", true, false), mission("drake", 2, "rocky.png", false, true) },
          "first.json: story order 1 has no planet picture" },
        { { mission("first", 1, "rocky.png", false, false), mission("drake", 2, "rocky.png", false, true) },
          "first.json: no path completes story order 1" },
        { { mission("first", 1, "rocky.png", true, false), mission("drake", 2, "rocky.png", true, false) },
          "drake.json: a final story mission that ends the run on no path" },
    };
    for (const auto& row : broken) {
        std::string all;
        for (const std::string& finding : MissionExplorer::walkStory(row.story, planets, finals))
            all += finding + "\n";
        EXPECT_NE(all.find(row.expected), std::string::npos) << row.expected << " in:\n" << all;
    }
}
