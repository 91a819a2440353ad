#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// Seed 2 over the fixture lists puts the first story mission ("Ceres Gate", a barren moon) on
// tile (5, 1) and a second planet on (12, 3).
class MapEventsTest : public ::testing::Test {
public:
    MapEventsTest()
    {
        FixtureRunLists::full().copyInto(missions);
        missions.randomMissions = {fixtureMission("side_wreck.json")};
        missions.namedEvents["starvation.json"] = fixtureMission("event_food.json");
        missions.namedEvents["outofgas.json"] = fixtureMission("event_fuel.json");
        missions.seedRandom(1);
        sector.generateSector(2, false);
        ship.adjustFuel(100);
        ship.adjustFood(1000);
    }

    const SectorTile& planet() const { return *sector.layout().tileAt(5, 1); }
    void putShipOnPlanet() { ship.setPosition(planet().centre.x, planet().centre.y); }
    void graceOver() { clock.advance(sf::seconds(sector.missionGraceSeconds + 0.1f)); }
    // Steps that move nothing: the ship's flight and the clock stay where the test put them.
    void step() { sector.update(0); }

    // Due events, raised the way the ship raises them in flight.
    void raiseRandomEvent()
    {
        ship.travelTo(600.f, 300.f);
        for (int i = 0; i < 2000 && !ship.isRandomEventPending(); ++i)
            ship.consumptionTick();
        ASSERT_TRUE(ship.isRandomEventPending());
    }
    void raiseStarvation()
    {
        // At rest, so no parsec flown raises a random event meanwhile.
        const sf::Vector2f at = ship.getPosition();
        ship.setPosition(at.x, at.y);
        ship.adjustFood(-ship.getFood());
        for (int i = 0; i < 1000 && !ship.isStarvationPending(); ++i)
            ship.consumptionTick();
        ASSERT_TRUE(ship.isStarvationPending());
    }
    void emptyTank() { ship.adjustFuel(-ship.getFuel()); }

    // The offer is taken up, as the run flow does.
    void takeOffer() { sector.missionTileReached = false; }

    LogCapture log;
    ManualTimeSource clock;
    MissionManager missions { nullptr, log.home().root() + "/no-assets/" };
    FakeShipContext context;
    Ship ship { context };
    Sector sector { missions, ship, 3, 3, FogOfWar::Mode::Plain, clock };
};

TEST_F(MapEventsTest, APlanetStartsItsMissionOnlyWhenTheShipMeansToStopThere)
{
    struct Case {
        const char* name;
        std::function<void(MapEventsTest&)> arrange;
        bool starts;
    };
    const Case cases[] = {
        {"at rest on the tile", [](MapEventsTest&) {}, true},
        {"flying straight over it",
         [](MapEventsTest& t) {
             // The ship faces left at first: a point to its left needs no turn.
             t.ship.travelTo(t.planet().centre.x - 100.f, t.planet().centre.y);
             t.step();
             ASSERT_FALSE(t.ship.isTurning());
         },
         true},
        {"turning toward a point beside it",
         [](MapEventsTest& t) { t.ship.travelTo(t.planet().centre.x + 20.f, t.planet().centre.y + 30.f); }, true},
        {"turning toward a point beyond it",
         [](MapEventsTest& t) { t.ship.travelTo(t.planet().centre.x + 100.f, t.planet().centre.y + 60.f); }, false},
        {"within the grace time", [](MapEventsTest& t) { t.sector.restartGrace(2.f); }, false},
        {"a light jump requested", [](MapEventsTest& t) { t.sector.jumpRequested = true; }, false},
        {"the mission done", [](MapEventsTest& t) { t.missions.storyMissions[0].isCompleted = true; }, false},
    };
    for (const Case& c : cases) {
        MapEventsTest& t = *this;
        missions.storyMissions[0].isCompleted = false;
        sector.jumpRequested = false;
        takeOffer();
        ship.setPosition(100.f, 300.f);
        step();
        putShipOnPlanet();
        graceOver();
        c.arrange(t);
        step();
        EXPECT_EQ(sector.missionTileReached, c.starts) << c.name;
        if (!c.starts || !sector.offer())
            continue;
        const MissionOffer& offer = *sector.offer();
        EXPECT_EQ(offer.mission, &missions.storyMissions[0]) << c.name;
        EXPECT_EQ(offer.picture, "barren_moon.png") << c.name;
        EXPECT_FALSE(offer.useShipImage) << c.name;
        EXPECT_FALSE(offer.skipCrewCredit) << c.name;
        EXPECT_FALSE(ship.isMoving() || ship.isTurning()) << c.name << ": the ship did not stop";
    }
}

TEST_F(MapEventsTest, LeavingTheDeployScreenGivesFiveSecondsBeforeThePlanetCallsAgain)
{
    putShipOnPlanet();
    graceOver();
    step();
    ASSERT_TRUE(sector.missionTileReached);
    takeOffer();

    sector.visitEnded();
    clock.advance(sf::seconds(4.9f));
    step();
    EXPECT_FALSE(sector.missionTileReached);
    clock.advance(sf::seconds(0.2f));
    step();
    EXPECT_TRUE(sector.missionTileReached);
}

TEST_F(MapEventsTest, EventsStartInTheirOrderAndStopTheShip)
{
    // A random event, with the random list full, done or empty.
    raiseRandomEvent();
    step();
    ASSERT_TRUE(sector.missionTileReached);
    EXPECT_EQ(sector.offer()->mission, &missions.randomMissions[0]);
    EXPECT_TRUE(sector.offer()->useShipImage);
    EXPECT_EQ(sector.offer()->picture, "null"); // the fixture has no "imageFile"
    EXPECT_FALSE(ship.isMoving());
    EXPECT_FALSE(ship.isRandomEventPending());
    takeOffer();

    missions.randomMissions[0].isCompleted = true;
    raiseRandomEvent();
    step();
    EXPECT_FALSE(sector.missionTileReached);
    EXPECT_FALSE(ship.isMoving());
    EXPECT_TRUE(log.contains("A random mission would have occurred here if there were any available."));

    missions.randomMissions.clear();
    raiseRandomEvent();
    step();
    EXPECT_FALSE(sector.missionTileReached);
    EXPECT_TRUE(ship.isMoving()) << "an empty random list never stops the ship";
    EXPECT_FALSE(ship.isRandomEventPending());
    EXPECT_TRUE(log.contains("No random missions present in assets folder."));

    // Starvation and an empty tank at once: starvation first, the tank at the next return.
    raiseStarvation();
    emptyTank();
    missions.namedEvents["outofgas.json"].isCompleted = true;
    step();
    ASSERT_TRUE(sector.missionTileReached);
    EXPECT_EQ(sector.offer()->mission, &missions.namedEvents["starvation.json"]);
    EXPECT_EQ(sector.offer()->picture, "mapscreen/spaceship_big.png");
    EXPECT_FALSE(ship.isStarvationPending());
    takeOffer();
    step();
    ASSERT_TRUE(sector.missionTileReached);
    EXPECT_EQ(sector.offer()->mission, &missions.namedEvents["outofgas.json"]);
    EXPECT_EQ(sector.offer()->picture, "mapscreen/spaceship_big_dim.png");
    EXPECT_TRUE(sector.offer()->useShipImage);
    EXPECT_FALSE(missions.namedEvents["outofgas.json"].isCompleted) << "the event comes back every time";
    // ... and again on every return while the tank is empty.
    takeOffer();
    step();
    EXPECT_TRUE(sector.missionTileReached);
}

TEST_F(MapEventsTest, APlanetReachedWinsOverAnEventAndNothingStartsDuringAJump)
{
    raiseRandomEvent();
    putShipOnPlanet();
    graceOver();
    step();
    ASSERT_TRUE(sector.missionTileReached);
    EXPECT_EQ(sector.offer()->mission, &missions.storyMissions[0]);
    EXPECT_TRUE(ship.isRandomEventPending()) << "the event waits for the next return";
    takeOffer();

    ship.setPosition(100.f, 300.f);
    sector.jumpRequested = true;
    emptyTank();
    for (int i = 0; i < 3; ++i)
        step();
    EXPECT_FALSE(sector.missionTileReached);
    EXPECT_TRUE(ship.isRandomEventPending());
    sector.jumpRequested = false;
    step();
    EXPECT_EQ(sector.offer()->mission, &missions.randomMissions[0]);
}

TEST_F(MapEventsTest, AMissingNamedEventIsReportedOnceAndSkipped)
{
    missions.namedEvents.clear();
    ship.setPosition(100.f, 300.f);
    raiseStarvation();
    emptyTank();
    for (int i = 0; i < 50; ++i)
        step();
    EXPECT_FALSE(sector.missionTileReached);
    const std::string text = log.text();
    for (const char* event : {"starvation.json", "outofgas.json"}) {
        const std::string line = std::string("Warning: Sector::update, the event \"") + event + "\" is missing";
        const std::size_t first = text.find(line);
        EXPECT_NE(first, std::string::npos) << event;
        EXPECT_EQ(text.find(line, first + 1), std::string::npos) << event << " reported more than once";
    }
    EXPECT_FALSE(ship.isStarvationPending());
}

TEST_F(MapEventsTest, SensorsFindAPlanetWithinSeventeenPixelsPerLevelPlusTwelve)
{
    // Up and left of the base's top-left corner, the nearest of the five points looked at.
    const sf::Vector2f corner(planet().left + 4.f, planet().top + 4.f);
    const struct {
        float sensors;
        float distance;
        bool found;
    } cases[] = {{4.f, 79.95f, true}, {4.f, 80.05f, false}, {2.f, 45.95f, true}, {2.f, 46.05f, false},
                 {7.f, 130.95f, true}, {7.f, 131.05f, false}};
    for (const auto& c : cases) {
        sector.generateSector(2, false);
        ship.adjustSensors(c.sensors - ship.getSensors(), "");
        const float along = c.distance / std::sqrt(2.f);
        ship.setPosition(corner.x - along, corner.y - along);
        step();
        EXPECT_EQ(planet().shouldDrawNameText, c.found) << c.sensors << " at " << c.distance;
    }
}

TEST_F(MapEventsTest, AClickOnTheShipStopsItAndSetsOffAnew)
{
    ship.setPosition(300.f, 200.f);
    ship.travelTo(500.f, 300.f);
    sector.update(500000);
    ASSERT_TRUE(sector.isOnShip(ship.getSpritePosition().x + 22.f, ship.getSpritePosition().y - 20.f));
    EXPECT_FALSE(sector.isOnShip(ship.getSpritePosition().x + 22.5f, ship.getSpritePosition().y));

    const sf::Vector2f at = ship.getPosition();
    sector.clickMap(at.x + 10.f, at.y + 5.f);
    EXPECT_EQ(ship.getPosition(), at);
    EXPECT_EQ(ship.getDestination(), sf::Vector2f(at.x + 10.f, at.y + 5.f));
    EXPECT_EQ(ship.getDestinationMarkerPosition(), ship.getDestination());
    EXPECT_TRUE(ship.isMoving() && ship.isTurning());
}

} // namespace
