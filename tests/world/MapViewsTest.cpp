#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/UiTestSupport.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"
#include "world/SectorView.hpp"
#include "world/Ship.hpp"
#include "world/ShipView.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {

class MapViewsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        missions = std::make_unique<MissionManager>(nullptr, assets);
        FixtureRunLists::full().copyInto(*missions);
    }

    // Every label id handed out while `make` ran, found by probing the shared id counter.
    template <class Make>
    std::pair<int, int> labelIdsOf(Make make)
    {
        TextManager& texts = TextManager::get();
        const int before = texts.addText(0, 0, "");
        make();
        const int after = texts.addText(0, 0, "");
        return {before + 1, after};
    }
    static bool anyLabelLeft(std::pair<int, int> ids)
    {
        for (int id = ids.first; id < ids.second; ++id)
            if (TextManager::get().hasText(id) || TextManager::get().hasRichText(id))
                return true;
        return false;
    }

    std::unique_ptr<MissionManager> missions;
    FakeShipContext context;
    Ship ship { context };
};

TEST_F(MapViewsTest, ViewsDropTheLabelsOfAnOldSectorAndOfClearedMarkers)
{
    Sector sector(*missions, ship, 3, 3, FogOfWar::Mode::Plain);
    sector.generateSector(2, false);
    std::unique_ptr<SectorView> sectorView;
    const auto firstSector = labelIdsOf([&] { sectorView = std::make_unique<SectorView>(sector, SectorPictures()); });
    EXPECT_GT(firstSector.second - firstSector.first, 98); // the tags and the two names

    ShipView shipView(ship, assets, false);
    ship.addMissionMarker("Beacon");
    ship.addMissionMarker("Wreck");
    const auto markers = labelIdsOf([&] { shipView.sync(); });
    EXPECT_EQ(markers.second - markers.first, 2);

    sector.generateSector(3, false); // clears the markers too
    sectorView->sync();
    shipView.sync();
    EXPECT_FALSE(anyLabelLeft(firstSector));
    EXPECT_FALSE(anyLabelLeft(markers));
    EXPECT_TRUE(logText().find("Shader Warning: Is not using ShaderDest") != std::string::npos);
}

TEST_F(MapViewsTest, BasesOfFinishedMissionsTurnRed)
{
    writeImage(assets + "mapscreen/mapscreen_base.png", 40, 14, sf::Color::Green);
    writeImage(assets + "mapscreen/mapscreen_base_red.png", 40, 14, sf::Color::Red);
    Sector sector(*missions, ship, 3, 3, FogOfWar::Mode::Plain);
    sector.generateSector(2, false); // Ceres Gate at tile (5, 1): its base spans (221..261, 66..80)
    SectorView view(sector, SectorPictures());
    sf::RenderTexture frame;
    ASSERT_TRUE(frame.create(640, 360));
    const auto baseColour = [&](bool planetCheat) {
        view.sync();
        frame.clear();
        view.drawBasesAndNames(frame, planetCheat, nullptr, -1);
        frame.display();
        return frame.getTexture().copyToImage().getPixel(240, 72);
    };
    EXPECT_EQ(baseColour(false), sf::Color::Black); // not yet detected
    EXPECT_EQ(baseColour(true), sf::Color::Green);
    missions->storyMissions[0].isCompleted = true;
    EXPECT_EQ(baseColour(true), sf::Color::Red);
}

} // namespace
