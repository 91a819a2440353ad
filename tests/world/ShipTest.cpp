#include "support/FakeShipContext.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>

namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

void ticks(Ship& ship, int count)
{
    for (int i = 0; i < count; ++i)
        ship.consumptionTick();
}

// The ship as a save would restore it, with some members changed.
void load(Ship& ship, const Json::Value& changes)
{
    Json::Value state = ship.toJson();
    for (const std::string& key : changes.getMemberNames())
        state[key] = changes[key];
    ASSERT_TRUE(ship.fromJson(state));
}

Json::Value object(std::initializer_list<std::pair<const char*, Json::Value>> members)
{
    Json::Value value(Json::objectValue);
    for (const auto& [key, member] : members)
        value[key] = member;
    return value;
}

class ShipTest : public ::testing::Test {
protected:
    FakeShipContext context;
    Ship ship { context };
};

TEST_F(ShipTest, SystemChangesStayInBoundsAndAreLoggedWithAReason)
{
    struct Case {
        bool sensors;
        float change;
        const char* reason;
        const char* mission;
        float expected;
        const char* line; // nullptr: no log line
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {true, 10.f, "Alien lens", "", 7.f, "Sensor upgrade - Jump 1: Alien lens"},
        {true, 0.5f, "", "", 4.5f, nullptr},
        {true, -1.f, "Dust storm", "Ceres Gate", 3.f, "Sensor downgrade - Jump 1, Ceres Gate: Dust storm"},
        {true, -10.f, "Burnt out", "null", 2.f, "Sensor downgrade - Jump 1: Burnt out"},
        {true, nan, "Glitch", "", 4.f, nullptr},
        {false, -1.f, "Seized", "", 0.0015f, "Engine downgrade - Jump 1: Seized"},
        {false, 0.05f, "Tuned", "", 0.1f, "Engine upgrade - Jump 1: Tuned"},
        {false, nan, "Glitch", "", 0.05f, nullptr},
    };
    for (const Case& c : cases) {
        FakeShipContext context;
        context.mission = c.mission;
        Ship ship(context);
        if (c.sensors)
            ship.adjustSensors(c.change, c.reason);
        else
            ship.adjustEngineSpeed(c.change, c.reason);
        const float value = c.sensors ? ship.getSensors() : ship.getEngineSpeed();
        EXPECT_EQ(value, c.expected) << c.reason << " " << c.change;
        const auto log = ship.getUpgradeLog();
        if (c.line) {
            ASSERT_EQ(log.size(), 1u) << c.reason;
            EXPECT_EQ(log[0], c.line);
        } else {
            EXPECT_TRUE(log.empty()) << c.reason;
        }
        EXPECT_EQ(ship.hasUnseenUpgrades(), c.line != nullptr) << c.reason;
    }
}

TEST_F(ShipTest, FoodForAStarvingCrewEndsTheStarvationFirst)
{
    load(ship, object({{"Food", -3}, {"daysWithoutFood", 2}}));
    ship.adjustFood(-2);
    EXPECT_EQ(ship.getFood(), -5);
    EXPECT_EQ(ship.getDaysWithoutFood(), 2);
    ship.adjustFood(5);
    EXPECT_EQ(ship.getFood(), 5);
    EXPECT_EQ(ship.getDaysWithoutFood(), -1);
}

TEST_F(ShipTest, ResourcesStopAtTheInt32Limits)
{
    for (int i = 0; i < 2; ++i) {
        ship.adjustFuel(int32Max);
        ship.adjustHealth(int32Min);
        ship.adjustShields(int32Max);
        ship.adjustFood(int32Min);
    }
    EXPECT_EQ(ship.getFuel(), int32Max);
    EXPECT_EQ(ship.getHealth(), int32Min);
    EXPECT_EQ(ship.getShields(), int32Max);
    EXPECT_EQ(ship.getFood(), int32Min);
    // Starving further from the bottom does not wrap round to a full store.
    load(ship, object({{"FoodUpdate", 400}, {"daysWithoutFood", int32Max}}));
    ticks(ship, 1);
    EXPECT_EQ(ship.getFood(), int32Min);
    EXPECT_EQ(ship.getDaysWithoutFood(), int32Max);
}

TEST_F(ShipTest, MealsFeedTheLivingCrewUntilTheFoodRunsOut)
{
    context.crew = 5;
    load(ship, object({{"Food", 3}}));
    ticks(ship, 399);
    EXPECT_EQ(ship.getFood(), 3);
    ticks(ship, 1);
    EXPECT_EQ(ship.getFood(), 0);
    EXPECT_EQ(context.stats.getTotalFoodUsed(), 3);
    EXPECT_FALSE(ship.isStarvationPending());

    ticks(ship, 399);
    EXPECT_EQ(ship.getFood(), -1);
    EXPECT_EQ(ship.getDaysWithoutFood(), 0);
    EXPECT_TRUE(ship.isStarvationPending());
    EXPECT_EQ(context.stats.getTotalFoodUsed(), 3);
}

TEST_F(ShipTest, StarvationComesOnItsDaysWhileTravellingAndOnOthersAfterLoading)
{
    // Days without food before a missed meal -> event due after it.
    const std::pair<int, bool> travelling[] = {{-1, true}, {4, true}, {14, false}, {19, true}, {29, false},
                                               {39, true}, {44, false}, {78, false}, {79, true}, {85, true}};
    for (auto [before, due] : travelling) {
        load(ship, object({{"Food", 0}, {"FoodUpdate", 400}, {"daysWithoutFood", before}}));
        ticks(ship, 1);
        EXPECT_EQ(ship.isStarvationPending(), due) << "after day " << before;
    }
    const std::pair<int, bool> loaded[] = {{0, true}, {5, true}, {15, true}, {20, false}, {30, true}, {40, false}, {45, true}, {80, false}};
    for (auto [days, due] : loaded) {
        load(ship, object({{"daysWithoutFood", days}}));
        EXPECT_EQ(ship.isStarvationPending(), due) << "loaded at day " << days;
    }
}

TEST_F(ShipTest, TheFoodCheatSkipsMealsOnlyWhileTheShipStandsStill)
{
    context.cheat = true;
    load(ship, object({{"Food", 10}, {"FoodUpdate", 400}}));
    ticks(ship, 1);
    EXPECT_EQ(ship.getFood(), 10);
    ship.setDestination(600.f, 300.f);
    ticks(ship, 1);
    EXPECT_EQ(ship.getFood(), 6);
}

TEST_F(ShipTest, EveryParsecBurnsFuelAndARandomEventFollowsWithinFourToElevenParsecs)
{
    std::set<int> firstEvents;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        FakeShipContext context;
        Ship ship(context);
        ship.adjustFuel(100);
        ship.setDestination(600.f, 300.f);
        int parsecs = 0;
        while (!ship.isRandomEventPending() && parsecs < 20) {
            ticks(ship, parsecs == 0 ? 100 : 99);
            ++parsecs;
            ASSERT_EQ(ship.getFuel(), 110 - parsecs);
        }
        EXPECT_EQ(context.stats.getTotalFuelUsed(), parsecs);
        EXPECT_GE(parsecs, 4);
        EXPECT_LE(parsecs, 11);
        EXPECT_GT(context.thrustersKept, 0);
        EXPECT_EQ(context.thrustersStopped, 0);
        firstEvents.insert(parsecs);
    }
    EXPECT_GT(firstEvents.size(), 1u);
}

TEST_F(ShipTest, ShipSnapsOntoADestinationWithinTwoPixelsAndThenRests)
{
    ship.setPosition(100.f, 100.f);
    ship.setDestination(101.5f, 101.5f);
    ship.update(16000); // 0.4 pixels on: 1.2 pixels left in each axis
    EXPECT_NE(ship.getPosition(), sf::Vector2f(101.5f, 101.5f));
    ship.update(16000);
    EXPECT_EQ(ship.getPosition(), sf::Vector2f(101.5f, 101.5f));
    EXPECT_TRUE(ship.isMoving());
    ship.update(16000);
    EXPECT_FALSE(ship.isMoving());
    EXPECT_GT(context.stats.getTotalDistanceTravelled(), 0.f);
}

TEST_F(ShipTest, AnEmptyTankEndsStraightFlight)
{
    ship.setPosition(100.f, 100.f);
    ship.adjustFuel(-10);
    ship.setDestination(300.f, 100.f);
    ship.update(16000);
    EXPECT_FALSE(ship.isMoving());
    EXPECT_EQ(ship.getPosition(), sf::Vector2f(100.f, 100.f));
}

TEST_F(ShipTest, FlightsTurnAndArriveWhereverTheDestinationLies)
{
    // The ship starts at the sector's entry facing left (rotation 0).
    const sf::Vector2f destinations[] = {
        {100.f, 160.f}, // ahead
        {560.f, 160.f}, // straight behind
        {330.f, 166.f}, // just behind, inside the turning circle: passes by first
        {315.f, 40.f},  // to the side
        {600.f, 330.f}, // far corner
        {318.f, 158.f}, // a few pixels away
    };
    for (const sf::Vector2f& target : destinations) {
        FakeShipContext context;
        Ship ship(context);
        ship.setPosition(315.f, 160.f);
        ship.travelTo(target.x, target.y);
        int frames = 0;
        while ((ship.isMoving() || ship.isTurning()) && frames < 20000) {
            ship.update(33333);
            ++frames;
        }
        EXPECT_LT(frames, 20000) << target.x << "," << target.y;
        EXPECT_EQ(std::trunc(ship.getPosition().x), std::trunc(target.x)) << target.x << "," << target.y;
        EXPECT_EQ(std::trunc(ship.getPosition().y), std::trunc(target.y)) << target.x << "," << target.y;
    }
}

TEST_F(ShipTest, LightJumpDepartureStartsAtOnePixelAndDoublesEveryStep)
{
    ship.setPosition(300.f, 200.f);
    ship.travelTo(100.f, 200.f); // still under way when the jump starts
    ship.update(33333);
    ship.turnTowards(0.f);
    ship.startLightJump();
    ticks(ship, 1); // turning: only the thrusters
    EXPECT_EQ(context.thrustersKept, 1);
    while (ship.isTurning())
        ship.update(33333);
    const sf::Vector2f start = ship.getSpritePosition();
    ticks(ship, 3);
    EXPECT_NEAR(ship.getSpritePosition().x, start.x - 7.f, 0.01f);
    EXPECT_NEAR(ship.getSpritePosition().y, start.y, 0.01f);
    EXPECT_EQ(context.flashes, 3);
    EXPECT_EQ(context.jumpSounds, 3);
    // The old destination no longer pulls the departing ship back.
    ship.update(33333);
    EXPECT_NEAR(ship.getSpritePosition().x, start.x - 7.f, 0.01f);
    EXPECT_EQ(ship.getShipFrame().rfind("mapscreen/ship_moving", 0), 0u);
}

TEST_F(ShipTest, AnimationFramesFollowTheShipsState)
{
    EXPECT_EQ(ship.getShipFrame(), "mapscreen/ship_idle0.png");
    ship.update(3 * Ship::shipFrameMicroseconds - 1);
    EXPECT_EQ(ship.getShipFrame(), "mapscreen/ship_idle0.png");
    ship.update(1);
    EXPECT_EQ(ship.getShipFrame(), "mapscreen/ship_idle1.png");
    EXPECT_EQ(ship.getDestinationFrame(), "mapscreen/travel_location2.png");
    ship.setPosition(100.f, 100.f);
    ship.setDestination(500.f, 100.f);
    ship.update(Ship::shipFrameMicroseconds);
    EXPECT_EQ(ship.getShipFrame(), "mapscreen/ship_moving2.png");
    for (int i = 0; i < 4; ++i)
        ship.update(Ship::markerFrameMicroseconds);
    EXPECT_EQ(ship.getDestinationFrame(), "mapscreen/travel_location3.png"); // wrapped after five entries
    EXPECT_EQ(ship.getDestinationMarkerPosition(), sf::Vector2f(500.f, 100.f));
}

TEST_F(ShipTest, NewRunsStartWithTheDifficultysStores)
{
    // difficulty, food, fuel, sensors
    const std::tuple<int, int, int, float> runs[] = {{8, 40, 40, 4.f}, {6, 30, 30, 3.f}, {4, 10, 20, 2.f}};
    for (auto [difficulty, food, fuel, sensors] : runs) {
        ship.adjustSensors(1.f, "Old run");
        ship.resetForNewRun(difficulty);
        EXPECT_EQ(ship.getFood(), food);
        EXPECT_EQ(ship.getFuel(), fuel);
        EXPECT_EQ(ship.getSensors(), sensors);
        EXPECT_EQ(ship.getSensorsAtStart(), sensors);
        EXPECT_EQ(ship.getEngineSpeed(), 0.05f);
        EXPECT_EQ(ship.getJumpCount(), 0);
        EXPECT_TRUE(ship.getUpgradeLog().empty());
    }
}

TEST_F(ShipTest, ANewRunForgetsTheLastRunsDamageAndStarvation)
{
    Json::Value worn = ship.toJson();
    worn["Health"] = 12;
    worn["Shields"] = 3;
    worn["daysWithoutFood"] = 5;
    worn["JumpDays"] = 6.5;
    ASSERT_TRUE(ship.fromJson(worn));
    ASSERT_TRUE(ship.isStarvationPending());

    ship.resetForNewRun(6);
    EXPECT_EQ(ship.getHealth(), 100);
    EXPECT_EQ(ship.getShields(), 100);
    EXPECT_EQ(ship.getDaysWithoutFood(), -1);
    EXPECT_FALSE(ship.isStarvationPending());
    EXPECT_FALSE(ship.isRandomEventPending());
    EXPECT_EQ(ship.getJumpDays(), 0.f);
    EXPECT_EQ(ship.getFood(), 30);
}

TEST_F(ShipTest, SaveRoundTripRestoresTheShipWithoutDoublingItsLists)
{
    ship.setPosition(200.f, 120.f);
    ship.adjustSensors(1.f, "Lens");
    ship.adjustEngineSpeed(-0.01f, "Leak");
    ship.addMissionMarker("Beacon");
    ship.adjustFood(7);
    ship.adjustHealth(-30);
    ship.setJumpDays(2.5f);
    ship.resetForNewRun(8);
    ship.adjustSensors(-1.f, "Dust");
    ship.addMissionMarker("Wreck");
    const Json::Value saved = ship.toJson();
    EXPECT_EQ(saved["MissionMarkers"][0]["Position"][0].asFloat(), 188.f);

    FakeShipContext otherContext;
    Ship other(otherContext);
    other.adjustSensors(2.f, "Unrelated");
    ASSERT_TRUE(other.fromJson(saved));
    ASSERT_TRUE(other.fromJson(saved)); // continuing twice
    EXPECT_EQ(other.toJson(), saved);
    EXPECT_EQ(other.getUpgradeLog().size(), 1u);
    EXPECT_EQ(other.getMissionMarkers().size(), 2u);
    EXPECT_EQ(other.getSensorsAtStart(), 4.f);
    EXPECT_FALSE(other.isMoving());
}

TEST_F(ShipTest, OlderSavesGetAJumpCountAndStartValuesFromTheDifficulty)
{
    Json::Value old = ship.toJson();
    old.removeMember("JumpCount");
    old.removeMember("SensorAtStart");
    old.removeMember("EngineSpeedAtStart");
    for (unsigned seed = 1; seed <= 10; ++seed) {
        std::srand(seed);
        context.runDifficulty = 4;
        ASSERT_TRUE(ship.fromJson(old));
        EXPECT_GE(ship.getJumpCount(), 0);
        EXPECT_LE(ship.getJumpCount(), 4);
    }
    EXPECT_EQ(ship.getSensorsAtStart(), 2.f);
    context.runDifficulty = 8; // the missions, and with them the difficulty, load after the ship
    EXPECT_EQ(ship.getSensorsAtStart(), 4.f);
    EXPECT_EQ(ship.getEngineSpeedAtStart(), 0.05f);
    EXPECT_EQ(ship.toJson()["SensorAtStart"].asFloat(), 4.f);
}

TEST_F(ShipTest, MembersOfTheWrongTypeFailTheLoadAfterWhatWasRead)
{
    Json::Value numbers(Json::arrayValue);
    numbers.append(3);
    const std::pair<const char*, Json::Value> broken[] = {
        {"Food", "plenty"}, {"UpgradeLog", numbers}, {"UpgradeLog", "one line"}, {"JumpCount", -1},
        {"MissionMarkers", numbers}, {"UpgradesSeen", "yes"}, {"Sensor", Json::Value(Json::objectValue)}};
    for (const auto& [key, value] : broken) {
        Json::Value state = ship.toJson();
        state["Health"] = 55;
        state[key] = value;
        EXPECT_FALSE(ship.fromJson(state)) << key;
        EXPECT_EQ(ship.getHealth(), 55) << key;
    }
    EXPECT_FALSE(ship.fromJson(Json::Value(Json::arrayValue)));
}

} // namespace
