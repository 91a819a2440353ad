#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

class SectorTest : public ::testing::Test {
protected:
    SectorTest()
    {
        FixtureRunLists::full().copyInto(missions);
    }

    // A second game loading what this one saved, over the same run lists.
    struct Loader {
        FakeShipContext context;
        Ship ship { context };
    };

    std::string fogPath() const { return log.home().root() + "/fow.save"; }

    LogCapture log;
    MissionManager missions { nullptr, log.home().root() + "/no-assets/" };
    FakeShipContext context;
    Ship ship { context };
    Sector sector { missions, ship, 3, 3, FogOfWar::Mode::Shaded };
};

TEST_F(SectorTest, ANewSectorTakesTheShipToTheEntryWithoutItsMarkers)
{
    EXPECT_TRUE(log.contains("Realigning space dust ["));
    ship.setPosition(40.f, 300.f);
    ship.addMissionMarker("Beacon");
    ship.travelTo(100.f, 300.f);
    sector.update(33333);
    ASSERT_GT(sector.fog().saveText().size(), 0u);
    sector.missionGraceSeconds = 5.f;

    sector.generateSector(2, false);
    EXPECT_EQ(ship.getSpritePosition(), sf::Vector2f(315.f, 160.f));
    EXPECT_FALSE(ship.isMoving());
    EXPECT_TRUE(ship.getMissionMarkers().empty());
    EXPECT_EQ(ship.getDestinationMarkerPosition(), sf::Vector2f(-50.f, -50.f));
    EXPECT_EQ(ship.getJumpCount(), 2);
    EXPECT_TRUE(sector.fog().saveText().empty());
    EXPECT_EQ(sector.missionGraceSeconds, 2.f);
    EXPECT_EQ(sector.layout().seed(), 2u);
}

TEST_F(SectorTest, TilesFindTheirMissionsByFileAfterTheListsAreReplaced)
{
    sector.generateSector(2, false);
    const SectorTile* tile = sector.layout().tileAt(5, 1);
    ASSERT_TRUE(tile && tile->hasMission());
    missions.storyMissions = FixtureRunLists::full().story; // a loaded game's lists
    missions.storyMissions[0].isCompleted = true;
    const Mission* mission = sector.missionOnTile(*tile);
    ASSERT_TRUE(mission);
    EXPECT_EQ(mission, &missions.storyMissions[0]);
    EXPECT_EQ(sector.missionOnTile(*sector.layout().tileAt(1, 1)), nullptr);
}

TEST_F(SectorTest, AsteroidFieldsHalveTheShipsSpeed)
{
    sector.generateSector(2, false);
    const SectorTile* field = sector.layout().tileAt(7, 4);
    ASSERT_EQ(field->tileSpeed, 1);
    ship.setPosition(field->centre.x, field->centre.y);
    sector.update(16000);
    EXPECT_EQ(ship.getEngineSpeed(), 0.025f);
    ship.setPosition(315.f, 160.f);
    sector.update(16000);
    EXPECT_EQ(ship.getEngineSpeed(), 0.05f);
}

TEST_F(SectorTest, SavedSectorComesBackWithItsPlanetsFieldsFogAndReport)
{
    sector.generateSector(2, false);
    sector.layout().tileAt(12, 3)->shouldDrawNameText = true;
    ship.travelTo(500.f, 250.f);
    for (int frame = 0; frame < 200; ++frame)
        sector.update(33333);
    sector.jumpText = "Jump Count: 2\n==========\nJump Result: Success";
    const Json::Value saved = sector.toJson(fogPath());

    EXPECT_EQ(saved["Tiles"].size(), 2u + 20u); // the two planets and the twenty asteroid tiles
    EXPECT_EQ(readAll(fogPath()), sector.fog().saveText());

    Loader other;
    Sector loaded(missions, other.ship, 3, 3, FogOfWar::Mode::Shaded);
    loaded.jumpText = "a previous run's report";
    ASSERT_TRUE(loaded.fromJson(saved, fogPath()));
    EXPECT_EQ(loaded.jumpText, sector.jumpText);
    EXPECT_EQ(loaded.layout().seed(), 2u);
    EXPECT_EQ(loaded.layout().jumpsSinceLastMultiplanetSector, sector.layout().jumpsSinceLastMultiplanetSector);
    EXPECT_EQ(loaded.layout().backgroundCells(), sector.layout().backgroundCells());
    EXPECT_EQ(loaded.fog().saveText(), sector.fog().saveText());
    for (std::size_t i = 0; i < loaded.layout().tiles().size(); ++i) {
        const SectorTile& before = sector.layout().tiles()[i];
        const SectorTile& after = loaded.layout().tiles()[i];
        EXPECT_EQ(after.missionFile, before.missionFile) << i;
        EXPECT_EQ(after.textureName, before.textureName) << i;
        EXPECT_EQ(after.nameText, before.nameText) << i;
        EXPECT_EQ(after.shouldDrawNameText, before.shouldDrawNameText) << i;
        EXPECT_EQ(after.tileSpeed, before.tileSpeed) << i;
        EXPECT_EQ(after.asteroids, before.tileSpeed == 1) << i;
    }
    // Loading moves neither the ship nor the jump count; the session's ship member does that.
    EXPECT_EQ(other.ship.getJumpCount(), 1);
}

TEST_F(SectorTest, BrokenSavesFailTheLoad)
{
    sector.generateSector(2, false);
    sector.jumpText = "report";
    const Json::Value good = sector.toJson(fogPath());
    struct Case {
        const char* name;
        std::function<void(Json::Value&)> breakSave;
        const char* fog; // nullptr: no fog file
        bool loads;
        const char* logged;
    };
    const Case cases[] = {
        {"no fog file", [](Json::Value&) {}, nullptr, false, "Failed to load saved fog of war."},
        {"fog line not a number", [](Json::Value&) {}, "5,abc\n", false, "Failed to load saved fog of war."},
        {"tile flag of the wrong type", [](Json::Value& s) { s["Tiles"][0]["IsMission"] = "yes"; }, "", false, nullptr},
        {"grid position of the wrong type", [](Json::Value& s) { s["Tiles"][0]["GridPosition"] = "5,1"; }, "", false, nullptr},
        {"negative seed", [](Json::Value& s) { s["Seed"] = -4; }, "", false, nullptr},
        {"no jump report", [](Json::Value& s) { s.removeMember("JumpLog"); }, "", true, nullptr},
        {"tile outside the grid", [](Json::Value& s) { s["Tiles"][0]["GridPosition"][0] = 40; }, "", true, nullptr},
    };
    for (const Case& c : cases) {
        Json::Value save = good;
        c.breakSave(save);
        std::filesystem::remove(fogPath());
        if (c.fog)
            writeText(fogPath(), c.fog);
        Loader other;
        Sector loaded(missions, other.ship, 3, 3, FogOfWar::Mode::Shaded);
        loaded.jumpText = "a previous run's report";
        EXPECT_EQ(loaded.fromJson(save, fogPath()), c.loads) << c.name;
        if (c.logged) {
            EXPECT_TRUE(log.contains(c.logged)) << c.name;
        }
        if (std::string(c.name) == "no jump report") {
            EXPECT_EQ(loaded.jumpText, "") << c.name;
        }
    }
}

TEST_F(SectorTest, ASavedMissionNoLongerInTheListsLeavesAnEmptyTile)
{
    sector.generateSector(2, false);
    Json::Value save = sector.toJson(fogPath());
    for (Json::Value& tile : save["Tiles"])
        if (tile.isMember("Mission"))
            tile["Mission"] = "missions/json/gone.json";
    Loader other;
    Sector loaded(missions, other.ship, 3, 3, FogOfWar::Mode::Plain);
    ASSERT_TRUE(loaded.fromJson(save, fogPath()));
    const SectorTile* tile = loaded.layout().tileAt(5, 1);
    EXPECT_TRUE(tile->isMission);
    EXPECT_FALSE(tile->hasMission());
    EXPECT_EQ(tile->nameText, "Ceres Gate");
    EXPECT_EQ(loaded.missionOnTile(*tile), nullptr);
}

} // namespace
