#include "core/RunFlow.hpp"
#include "core/TimedActions.hpp"
#include "missions/MissionManager.hpp"
#include "support/CrewFixture.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RunFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TimedActions::install(std::make_unique<TimedActions>(clock));
        FixtureRunLists::full().copyInto(missions);
        roster = crew.roster();
        sector = std::make_unique<Sector>(missions, ship, 3, 3, FogOfWar::Mode::Shaded);
        sector->generateSector(2, false);
        RunFlow::Hooks hooks;
        hooks.waitForSave = [this] { calls.push_back("wait"); };
        hooks.newSector = [this](std::uint32_t seed) {
            calls.push_back("sector " + std::to_string(seed));
            sector->generateSector(seed, false);
        };
        hooks.saveRun = [this] { calls.push_back("save"); };
        hooks.resetDayClock = [this] { calls.push_back("days"); };
        hooks.seed = [] { return 77u; };
        flow = std::make_unique<RunFlow>(missions, *roster, *sector, stats, hooks);
    }
    void TearDown() override
    {
        flow.reset();
        TimedActions::destroy();
    }

    // One map step of the jump: the ship flies and turns, the flow follows, delayed actions fire.
    void step(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            ship.update(50000);
            flow->jumpStep();
            clock.advance(sf::milliseconds(50));
            TimedActions::get().fire();
        }
    }
    void waitMs(int ms)
    {
        clock.advance(sf::milliseconds(ms));
        TimedActions::get().fire();
    }

    LogCapture log;
    ManualTimeSource clock;
    CrewFolders crew { log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
    MissionManager missions { nullptr, log.home().root() + "/no-assets/" };
    FakeShipContext context;
    Ship ship { context };
    PlayerStats stats;
    std::unique_ptr<Sector> sector;
    std::unique_ptr<RunFlow> flow;
    std::vector<std::string> calls;
};

TEST(RunFlowRules, ExitHeadingAndTurn)
{
    EXPECT_EQ(RunFlow::exitHeading({20.f, 160.f}), 0.f);
    EXPECT_EQ(RunFlow::exitHeading({600.f, 160.f}), 180.f);
    EXPECT_EQ(RunFlow::exitHeading({300.f, 30.f}), 90.f);
    EXPECT_EQ(RunFlow::exitHeading({300.f, 330.f}), 270.f);
    EXPECT_EQ(RunFlow::exitHeading({300.f, 160.f}), 0.f);

    struct Case {
        float rotation, heading;
        std::optional<float> turn;
    };
    const Case cases[] = {
        {0.f, 0.f, std::nullopt},     {50.f, 0.f, std::nullopt}, {310.f, 0.f, std::nullopt},
        {170.f, 0.f, 75.f},           {100.f, 0.f, 75.f},        {250.f, 0.f, 285.f},
        {0.f, 180.f, 105.f},          {350.f, 180.f, 255.f},     {90.f, 270.f, 195.f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunFlow::exitTurn(c.rotation, c.heading), c.turn) << c.rotation << " to " << c.heading;
}

TEST_F(RunFlowTest, NewRunsStartWithTheDifficultysStoresAndFactor)
{
    struct Case {
        std::int32_t difficulty, food, fuel;
        float factor;
    };
    for (const Case& c : {Case{8, 40, 40, 1.f}, Case{6, 30, 30, 0.5f}, Case{4, 10, 20, 0.25f}}) {
        roster->resetCrew();
        roster->getChosenCrew().assign(roster->getCrewOnShip().begin(), roster->getCrewOnShip().begin() + 2);
        roster->getDeadCrew().push_back(roster->getCrewOnShip().front());
        missions.addQuestItem("old_key");
        ship.adjustHealth(-40);
        flow->startNewRun(c.difficulty);
        EXPECT_EQ(ship.getFood(), c.food) << c.difficulty;
        EXPECT_EQ(ship.getFuel(), c.fuel) << c.difficulty;
        EXPECT_EQ(ship.getHealth(), 100) << c.difficulty;
        EXPECT_EQ(missions.difficulty, c.difficulty);
        EXPECT_FALSE(missions.hasQuestItem("old_key"));
        EXPECT_TRUE(roster->getDeadCrew().empty());
        for (const Character& member : roster->getChosenCrew())
            EXPECT_EQ(member.bonusMultiplier, c.factor) << c.difficulty;
    }
}

TEST_F(RunFlowTest, AShipFacingTheEdgeJumpsAfterTheDelayAndSaves)
{
    ship.setPosition(20.f, 160.f);
    ship.setHeading(10.f);
    sector->jumpRequested = true;
    step();
    EXPECT_EQ(flow->jumpPhase(), RunFlow::JumpPhase::Scheduled);
    EXPECT_FALSE(ship.isTurning());
    EXPECT_TRUE(ship.isLightJumping());
    EXPECT_EQ(ship.getDestinationMarkerPosition(), sf::Vector2f(-50.f, -50.f));
    waitMs(1400);
    EXPECT_TRUE(calls.empty());
    waitMs(100);
    EXPECT_EQ(calls, (std::vector<std::string> {"days", "wait", "sector 77", "save"}));
    EXPECT_EQ(stats.getTotalJumpsMade(), 1);
    EXPECT_FALSE(sector->jumpRequested);
    EXPECT_EQ(flow->jumpPhase(), RunFlow::JumpPhase::None);
    EXPECT_FALSE(ship.isLightJumping());
    EXPECT_EQ(ship.getJumpDays(), 0.f);
    waitMs(6000); // the turn's timeout was dropped with the jump
    EXPECT_EQ(calls.size(), 4u);
}

TEST_F(RunFlowTest, ATurnThatNeverEndsIsAbandonedOnce)
{
    ship.setPosition(20.f, 160.f);
    ship.setHeading(180.f);
    sector->jumpRequested = true;
    flow->jumpStep(); // the ship is not stepped: it never finishes turning
    EXPECT_EQ(flow->jumpPhase(), RunFlow::JumpPhase::Turning);
    EXPECT_TRUE(ship.isTurning());
    waitMs(4900);
    EXPECT_TRUE(calls.empty());
    waitMs(200);
    EXPECT_TRUE(log.contains("Jump turning failed. Skipping to next sector."));
    EXPECT_EQ(calls, (std::vector<std::string> {"days", "wait", "sector 77", "save"}));
    flow->jumpStep();
    waitMs(2000);
    EXPECT_EQ(calls.size(), 4u);
    EXPECT_EQ(stats.getTotalJumpsMade(), 1);
}

TEST_F(RunFlowTest, LeavingTheRunDropsAJumpUnderWay)
{
    for (bool turned : {false, true}) {
        ship.setPosition(20.f, 160.f);
        ship.setHeading(turned ? 0.f : 180.f);
        sector->jumpRequested = true;
        flow->jumpStep();
        flow->jumpStep();
        flow->leaveRun();
        EXPECT_FALSE(sector->jumpRequested);
        EXPECT_EQ(flow->jumpPhase(), RunFlow::JumpPhase::None);
        EXPECT_FALSE(ship.isLightJumping());
        waitMs(6000);
        EXPECT_TRUE(calls.empty()) << turned;
    }
}

} // namespace

namespace {

TEST_F(RunFlowTest, SavesNeedAnActiveRunAndTheCrewGuardFiresOnce)
{
    EXPECT_FALSE(flow->active());
    EXPECT_FALSE(flow->saveAllowed()) << "no run: the title, or a developer mission from there";
    roster->resetCrew();
    flow->startNewRun(6);
    EXPECT_TRUE(flow->saveAllowed());
    EXPECT_FALSE(flow->crewLost());

    missions.resetForMission(); // a script running
    EXPECT_FALSE(flow->saveAllowed());
    missions.leaveMission();
    EXPECT_TRUE(flow->saveAllowed());

    roster->getCrewOnShip().clear();
    EXPECT_TRUE(flow->crewLost());
    EXPECT_FALSE(flow->crewLost()) << "once: the title is not asked for at every step";
    EXPECT_FALSE(flow->saveAllowed());

    flow->markActive(); // a loaded run
    EXPECT_TRUE(flow->active());
    flow->leaveRun();
    EXPECT_FALSE(flow->active());
}

} // namespace
