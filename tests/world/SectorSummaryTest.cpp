#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/TextFiles.hpp"
#include "support/UiTestSupport.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"
#include "world/SectorSummary.hpp"
#include "world/Ship.hpp"

#include <algorithm>
#include <cstdlib>

TEST(SectorSummary, DesignationsAreTenDigitsInThreeGroups)
{
    const std::vector<std::pair<std::uint32_t, std::string>> cases = {
        {42, "420-000-0000"}, {4294967295u, "429-496-7295"}, {1234567, "123-456-7000"}, {0, "000-000-0000"}};
    for (const auto& [seed, designation] : cases)
        EXPECT_EQ(SectorSummary::designation(seed), designation) << seed;
}

TEST(SectorSummary, EfficienciesArePercentOfTheStartInShortForm)
{
    struct Case {
        float value, atStart;
        const char* text;
    };
    for (const Case& c : {Case{0.05f, 0.05f, "100"}, {5.f, 4.f, "125"}, {2.f, 3.f, "66.6667"}, {3.f, 0.f, "100"}})
        EXPECT_EQ(SectorSummary::efficiency(c.value, c.atStart), c.text) << c.value << "/" << c.atStart;
}

namespace {

class SectorSummaryTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        FixtureRunLists::full().copyInto(missions);
    }

    // A story mission with a recap, as the catalogue reads it.
    Mission storyMission(const std::string& file, int order, const std::string& recap)
    {
        const std::string path = home.root() + "/" + file;
        writeText(path, "{\"1Name\": \"" + file + "\", \"9Recap\": \"" + recap
                            + "\", \"non Display Items\": {\"Story Order\": " + std::to_string(order) + "}}");
        Mission mission;
        mission.loadMissionFile(path, "missions/json/" + file);
        return mission;
    }
    static std::string unwrapped(std::string text)
    {
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    }

    MissionManager missions{nullptr, "/nowhere/"};
    FakeShipContext context;
    Ship ship{context};
    Sector sector{missions, ship, 3, 3, FogOfWar::Mode::Shaded};
};

} // namespace

TEST_F(SectorSummaryTest, TheFourTextsFromTheFacts)
{
    SectorSummary::Facts facts;
    facts.seed = 42;
    facts.pointsOfInterest = 3;
    facts.visited = 1;
    facts.jumpCount = 4;
    facts.jumpDraws = std::make_pair(2383, 86);
    facts.activeCrew = 5;
    facts.food = 12;
    facts.fuel = -1;
    facts.engineSpeed = 0.05f;
    facts.engineSpeedAtStart = 0.05f;
    facts.sensors = 5.f;
    facts.sensorsAtStart = 4.f;
    facts.storyRecap = "null";
    const SectorSummary summary = SectorSummary::build(facts);
    EXPECT_EQ(summary.designationText,
              "Designation: 420-000-0000\nDetected Points of Interest: 3\nVisited Points of Interest: 1\n");
    EXPECT_EQ(summary.jumpText, "Jump Count: 4\n==========\nJump Result: Success\nJump Distance: 1383 parsecs\n"
                                "Jump Duration: Unknown\nAccel/Decel Time: 386 Sols");
    EXPECT_EQ(summary.statusText, "Life Support: Operational\nCryo Pods: 10\nActive Crew: 5\nFood: 12\nFuel: -1\n"
                                  "Engine Efficiency: 100%\nSensor Efficiency: 125%");
    EXPECT_EQ(unwrapped(summary.recapText), SectorSummary::explorationRecap);
    EXPECT_NE(summary.recapText.find('\n'), std::string::npos); // wrapped to its column

    facts.jumpDraws.reset();
    facts.previousJumpText = "the saved report";
    facts.storyRecap = "";
    EXPECT_EQ(SectorSummary::build(facts).jumpText, "the saved report");
    EXPECT_EQ(unwrapped(SectorSummary::build(facts).recapText), SectorSummary::explorationRecap);
}

TEST_F(SectorSummaryTest, TheRecapIsTheNextStoryMissionsOwn)
{
    missions.storyMissions = {storyMission("one.json", 1, "We left Earth."), storyMission("two.json", 2, "We found it."),
                              storyMission("two_b.json", 2, "Another road."), storyMission("three.json", 3, "null")};
    EXPECT_EQ(SectorSummary::storyRecap(missions.storyMissions, missions.nextStoryOrder()), "We left Earth.");
    missions.storyMissions[0].isCompleted = true;
    EXPECT_EQ(SectorSummary::storyRecap(missions.storyMissions, missions.nextStoryOrder()), "We found it.");
    missions.storyMissions[1].isCompleted = true; // the next order is now 3, whose recap is "null"
    sector.generateSector(2, false);
    sector.buildSummary(true, 4);
    EXPECT_EQ(unwrapped(sector.recapText), SectorSummary::explorationRecap);
    missions.storyMissions.clear();
    EXPECT_EQ(SectorSummary::storyRecap(missions.storyMissions, missions.nextStoryOrder()), "");
}

TEST_F(SectorSummaryTest, TheSectorKeepsItsJumpReportUntilTheNextJump)
{
    sector.generateSector(2, false);
    int planets = 0;
    for (SectorTile& tile : sector.layout().tiles())
        if (Mission* mission = sector.missionOnTile(tile); tile.isMission && mission) {
            mission->isCompleted = true;
            ++planets;
        }
    ASSERT_EQ(planets, 2);

    std::srand(7);
    const int distance = std::rand() % 2000 + 1000;
    std::srand(7);
    sector.buildSummary(true, 3);
    EXPECT_NE(sector.jumpText.find("Jump Distance: " + std::to_string(distance) + " parsecs"), std::string::npos);
    EXPECT_EQ(sector.jumpText.rfind("Jump Count: 2\n", 0), 0u);
    EXPECT_EQ(sector.designationText,
              "Designation: 200-000-0000\nDetected Points of Interest: 2\nVisited Points of Interest: 2\n");
    EXPECT_NE(sector.statusText.find("Active Crew: 3\n"), std::string::npos);

    // Pressing the sector button again: the same report.
    const std::string report = sector.jumpText;
    sector.buildSummary(false, 3);
    EXPECT_EQ(sector.jumpText, report);
    sector.jumpText.clear(); // a save without one gets one
    sector.buildSummary(false, 3);
    EXPECT_FALSE(sector.jumpText.empty());
}

// A Medium run continued in a new process: the start values come from the save, not from the
// difficulty the new process happens to know.
TEST_F(SectorSummaryTest, AContinuedRunMeasuresItsSystemsFromItsOwnStart)
{
    ship.resetForNewRun(MissionManager::medium);
    const Json::Value saved = ship.toJson();

    FakeShipContext freshContext;
    freshContext.runDifficulty = MissionManager::easy;
    Ship fresh(freshContext);
    ASSERT_TRUE(fresh.fromJson(saved));
    Sector continued(missions, fresh, 3, 3, FogOfWar::Mode::Shaded);
    continued.generateSector(5, true);
    continued.buildSummary(false, 6);
    EXPECT_NE(continued.statusText.find("Engine Efficiency: 100%\nSensor Efficiency: 100%"), std::string::npos)
        << continued.statusText;
}

// The summary's recap stands above the designation, four lines below it: a longer recap runs
// into the designation's lines. Every shipped story mission's recap must fit.
TEST_F(SectorSummaryTest, EveryShippedStoryRecapFitsAboveTheDesignation)
{
    MissionManager shipped(nullptr, std::string(QV_SOURCE_DIR) + "/assets-src/static/");
    ASSERT_FALSE(shipped.storyMissions.empty());
    for (const Mission& mission : shipped.storyMissions) {
        SectorSummary::Facts facts;
        facts.storyRecap = mission.getItem("Recap");
        const std::string wrapped = SectorSummary::build(facts).recapText;
        EXPECT_LE(std::count(wrapped.begin(), wrapped.end(), '\n'), 3) << mission.getItem("Name") << ":\n" << wrapped;
    }
}
