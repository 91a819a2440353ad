#include "audio/AudioManager.hpp"
#include "core/TextFunctions.hpp"
#include "missions/MissionManager.hpp"
#include "world/MapCanvas.hpp"
#include "world/MapScreen.hpp"
#include "support/FakeAudio.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/UiTestSupport.hpp"
#include "support/WorldFixtures.hpp"
#include "world/Sector.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <climits>
#include <optional>
#include <string>

namespace {

using MapButton = MapScreen::MapButton;

// The map screen over pictures of the real sizes (each panel and button in a plain colour),
// the fixture missions, and seed 2: a planet with the first story mission on tile (5, 1).
class MapScreenTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        const sf::Color grey(90, 90, 90);
        for (const auto& [file, w, h] : {std::tuple{"mapscreen/mapscreen_panel_status.png", 150u, 32u},
                                         std::tuple{"mapscreen/mapscreen_panel_top.png", 64u, 22u},
                                         std::tuple{"mapscreen/mapscreen_panel_bottom_wide.png", 145u, 31u},
                                         std::tuple{"mapscreen/mapscreen_panel_top_left.png", 56u, 28u},
                                         std::tuple{"mapscreen/food_icon.png", 12u, 12u},
                                         std::tuple{"mapscreen/food_icon_cannibal.png", 12u, 12u},
                                         std::tuple{"mapscreen/starvation_icon.png", 12u, 12u},
                                         std::tuple{"mapscreen/starvation_icon_cannibal.png", 12u, 12u},
                                         std::tuple{"mapscreen/fuel_icon.png", 12u, 12u},
                                         std::tuple{"mapscreen/fuel_icon_cannibal.png", 12u, 12u}})
            writeImage(assets + file, w, h, grey);
        for (const auto& [file, w, h] : {std::tuple{"general/button_menu.png", 38u, 16u},
                                         std::tuple{"mapscreen/button_crew.png", 38u, 20u},
                                         std::tuple{"mapscreen/button_ship.png", 36u, 20u},
                                         std::tuple{"mapscreen/button_sector.png", 46u, 20u},
                                         std::tuple{"mapscreen/button_lightjump.png", 70u, 21u}})
            writeButtonSheet(assets + file, w, h, grey, sf::Color(40, 40, 40), sf::Color(20, 20, 20));
        writeImage(assets + "mapscreen/space_tiles.png", 512, 512, sf::Color(30, 60, 90));
        writeImage(assets + "mapscreen/mapscreen_base.png", 40, 14, sf::Color::White);
        writeImage(assets + "mapscreen/mapscreen_base_red.png", 40, 14, sf::Color::Red);
        TextureManager::resetForTests(assets, true);
        AudioManager::install(std::make_unique<AudioManager>(std::make_unique<FakeAudioBackend>(audioBooks), assets));

        missions = std::make_unique<MissionManager>(nullptr, assets);
        FixtureRunLists::full().copyInto(*missions);
        screen = std::make_unique<MapScreen>(assets, false);
        screen->setMissionManager(missions.get());
        sector = makeSector();
        screen->attachSector(sector.get());
        sector->generateSector(2, false);
        screen->onPause = [this] { called += "pause "; };
        screen->onCrewView = [this] { called += "crew "; };
        screen->onShipSystems = [this] { called += "ship "; };
        screen->onSectorSummary = [this] { called += "sector "; };
        screen->sync();
    }
    void TearDown() override
    {
        screen->attachSector(nullptr);
        sector.reset();
        screen.reset();
        missions.reset();
        AudioManager::destroy();
        UiTest::TearDown();
    }

    std::unique_ptr<Sector> makeSector()
    {
        return std::make_unique<Sector>(*missions, screen->ship(), 3, 3, screen->fogMode(), clock);
    }
    bool shows(MapButton button, const std::string& frame) const
    {
        return screen->button(button).getSprite().getTexture() == &TextureManager::get().getTexture(frame);
    }
    sf::Image render()
    {
        if (!target) {
            target = std::make_unique<sf::RenderTexture>();
            target->create(640, 360);
            target->setView(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
        }
        target->clear();
        screen->draw(*target);
        target->display();
        return target->getTexture().copyToImage();
    }

    std::shared_ptr<FakeAudioBackend::Books> audioBooks = std::make_shared<FakeAudioBackend::Books>();
    ManualTimeSource clock;
    std::unique_ptr<MissionManager> missions;
    std::unique_ptr<MapScreen> screen;
    std::unique_ptr<Sector> sector;
    std::string called;
    // Drawn into like a window: one target until the test makes a new one.
    std::unique_ptr<sf::RenderTexture> target;
};

TEST_F(MapScreenTest, AClickGoesToTheFirstButtonPanelOrMapThatHoldsIt)
{
    const struct {
        const char* name;
        sf::Vector2f at;
        const char* called;
        std::optional<MapButton> pressed;
        const char* pressedFrame;
        bool travels;
    } cases[] = {
        {"menu button", {600.f, 5.f}, "pause ", MapButton::Menu, "general/button_menu.png_Down", false},
        {"crew button", {600.f, 340.f}, "crew ", MapButton::Crew, "mapscreen/button_crew.png_Down", false},
        {"ship button", {560.f, 340.f}, "ship ", MapButton::Ship, "mapscreen/button_ship.png_Down", false},
        {"sector button", {510.f, 340.f}, "sector ", MapButton::Sector, "mapscreen/button_sector.png_Down", false},
        {"status panel", {280.f, 20.f}, "", {}, nullptr, false},
        {"light-jump button away from the edge", {310.f, 10.f}, "", {}, nullptr, false},
        {"top panel", {580.f, 20.f}, "", {}, nullptr, false},
        {"bottom panel", {498.f, 340.f}, "", {}, nullptr, false},
        {"map left of the status panel", {255.f, 20.f}, "", {}, nullptr, true},
        {"map just below the status panel", {280.f, 32.f}, "", {}, nullptr, true},
        {"map beside the bottom panel", {490.f, 340.f}, "", {}, nullptr, true},
    };
    for (const auto& c : cases) {
        called.clear();
        host.sounds.clear();
        screen->ship().setPosition(Sector::entryX, Sector::entryY);
        screen->sync();
        screen->mousePressed(c.at.x, c.at.y);
        EXPECT_EQ(called, c.called) << c.name;
        EXPECT_EQ(host.sounds, c.pressed ? std::vector<std::string> {"button_click.wav"} : std::vector<std::string> {})
            << c.name;
        if (c.pressed) {
            EXPECT_TRUE(shows(*c.pressed, c.pressedFrame)) << c.name;
        }
        EXPECT_EQ(screen->ship().isMoving(), c.travels) << c.name;
        if (c.travels) {
            EXPECT_EQ(screen->ship().getDestination(), c.at) << c.name;
        }
    }
}

TEST_F(MapScreenTest, TheLightJumpButtonWorksOnlyAtTheEdgeAndEndsTheClicks)
{
    Ship& ship = screen->ship();
    ship.setPosition(594.f, 160.f);
    screen->fixedStep(false, false);
    EXPECT_FALSE(screen->button(MapButton::LightJump).enabled);
    EXPECT_TRUE(shows(MapButton::LightJump, "mapscreen/button_lightjump.png_Down"));
    screen->mouseMoved(310.f, 10.f);
    EXPECT_TRUE(screen->lightJumpTip().isVisible()) << "the edge tooltip explains the grey button";

    ship.setPosition(595.f, 160.f); // left + width: the edge begins here
    screen->fixedStep(false, false);
    EXPECT_TRUE(screen->button(MapButton::LightJump).enabled);
    EXPECT_TRUE(shows(MapButton::LightJump, "mapscreen/button_lightjump.png_Up"));
    screen->mouseMoved(310.f, 10.f);
    EXPECT_FALSE(screen->lightJumpTip().isVisible());

    screen->mousePressed(310.f, 10.f);
    EXPECT_TRUE(sector->jumpRequested);
    screen->mousePressed(200.f, 200.f);
    EXPECT_FALSE(ship.isMoving()) << "a click during a light jump is ignored";
    screen->fixedStep(false, false);
    EXPECT_FALSE(screen->button(MapButton::LightJump).enabled);
}

TEST_F(MapScreenTest, FoodAndFuelShowWhatIsLeftAndWhoEatsWhom)
{
    TextManager& texts = TextManager::get();
    TextureManager& textures = TextureManager::get();
    Ship& ship = screen->ship();
    ship.adjustFood(-ship.getFood());
    ship.adjustFuel(3 - ship.getFuel());
    screen->fixedStep(false, false);
    EXPECT_EQ(screen->foodIcon().getTexture(), &textures.getTexture("mapscreen/starvation_icon.png"));
    EXPECT_EQ(texts.getText(screen->foodTextId()).getFillColor(), sf::Color(152, 121, 119));
    EXPECT_EQ(texts.getText(screen->fuelTextId()).getString(), "3");
    EXPECT_EQ(texts.getText(screen->fuelTextId()).getFillColor(), sf::Color(132, 121, 119));

    screen->fixedStep(true, true);
    EXPECT_EQ(screen->foodIcon().getTexture(), &textures.getTexture("mapscreen/starvation_icon_cannibal.png"));
    EXPECT_EQ(texts.getText(screen->foodTextId()).getFillColor(), amberColor);
    EXPECT_EQ(screen->fuelIcon().getTexture(), &textures.getTexture("mapscreen/fuel_icon_cannibal.png"));

    screen->mouseMoved(283.f, 8.f);
    EXPECT_TRUE(screen->foodTip().isVisible());
    EXPECT_FALSE(screen->fuelTip().isVisible());
    screen->mouseMoved(10.f, 10.f);
    EXPECT_TRUE(screen->sectorTimeTip().isVisible());
    EXPECT_FALSE(screen->foodTip().isVisible());
    // The help texts are readable: their boxes are not the colour of their letters.
    for (const Tooltip* tip : {&screen->lightJumpTip(), &screen->foodTip(), &screen->fuelTip(), &screen->sectorTimeTip()})
        EXPECT_NE(tip->getBox().getFillColor(), texts.getText(tip->getTextId()).getFillColor());
}

TEST_F(MapScreenTest, ASavedSectorComesBackWithItsReportAndTheVisitedBaseRed)
{
    // The planet on (5, 1) found by the sensors and its mission done; the one on (12, 3) unseen.
    Ship& ship = screen->ship();
    ship.setPosition(230.f, 120.f);
    sector->update(0);
    ASSERT_TRUE(sector->layout().tileAt(5, 1)->shouldDrawNameText);
    ASSERT_FALSE(sector->layout().tileAt(12, 3)->shouldDrawNameText);
    missions->storyMissions[0].isCompleted = true;
    sector->jumpText = "Jump Count: 2\n==========\nJump Result: Success";
    const std::string fogPath = home.root() + "/fow.save";
    const Json::Value saved = sector->toJson(fogPath);

    screen->attachSector(nullptr);
    sector = makeSector();
    screen->attachSector(sector.get());
    ASSERT_TRUE(sector->fromJson(saved, fogPath));
    EXPECT_EQ(sector->jumpText, "Jump Count: 2\n==========\nJump Result: Success");
    ship.setPosition(230.f, 120.f);
    screen->sync();
    const sf::Image picture = render();
    // The base's top-left pixel is (45 x 5 + 4, 45 x 1 + 29) less the tile sprites' origin (8, 8).
    EXPECT_EQ(picture.getPixel(221 + 20, 66 + 10), sf::Color::Red);
    // The unseen planet's base stays under the plain black fog.
    EXPECT_EQ(picture.getPixel(536 + 20, 156 + 10), sf::Color::Black);

    screen->mouseMoved(240.f, 90.f);
    EXPECT_EQ(screen->hoveredTile(), 5 * 7 + 1);
}

TEST_F(MapScreenTest, TheMapRedrawnOnlyWhereTheFogClearedMatchesOneDrawnAfresh)
{
    // A flight with a turn, drawn now and then as the game does: several steps' worth of
    // cleared fog between two frames, and a new window half-way.
    Ship& ship = screen->ship();
    ship.adjustFuel(100);
    render();
    ship.travelTo(100.f, 300.f);
    for (int step = 0; step < 240; ++step) {
        sector->update(50000);
        screen->fixedStep(false, false);
        if (step % 7 == 0)
            render();
        if (step == 100) {
            // The window made again (full screen toggled): the map goes on in a new context.
            target.reset();
        }
    }
    render();
    ASSERT_TRUE(screen->canvas() && screen->canvas()->worldPicture());
    const sf::Image kept = screen->canvas()->worldPicture()->copyToImage();

    screen->attachSector(nullptr);
    screen->attachSector(sector.get());
    render();
    const sf::Image fresh = screen->canvas()->worldPicture()->copyToImage();
    std::size_t differing = 0, clear = 0;
    for (unsigned y = 0; y < 360; ++y)
        for (unsigned x = 0; x < 640; ++x) {
            differing += kept.getPixel(x, y) != fresh.getPixel(x, y) ? 1 : 0;
            clear += fresh.getPixel(x, y) == sf::Color(30, 60, 90) ? 1 : 0;
        }
    EXPECT_GT(clear, 20000u) << "the flight cleared a wide path";
    EXPECT_EQ(differing, 0u);
}

TEST(MapScreenHud, FuelColourReddensTowardEmptyAndKeepsCyclingBelow)
{
    const struct {
        std::int32_t fuel;
        sf::Color colour;
    } cases[] = {{6, sf::Color::White},
                 {5, sf::Color(152, 121, 119)},
                 {0, sf::Color(102, 121, 119)},
                 {-1, sf::Color(92, 121, 119)},
                 {-11, sf::Color(248, 121, 119)},
                 {INT_MIN, sf::Color(102, 121, 119)}};
    for (const auto& c : cases)
        EXPECT_EQ(MapScreen::fuelColour(c.fuel), c.colour) << c.fuel;
    EXPECT_EQ(MapScreen::dayText(3, 1.24f), "3-1.2");
}

} // namespace

TEST_F(MapScreenTest, TheShipButtonBlinksWhileTheUpgradeLogHasUnseenLines)
{
    const auto lit = [this](int steps) {
        int count = 0;
        for (int step = 0; step < steps; ++step) {
            screen->fixedStep(false, false);
            count += screen->button(MapButton::Ship).attention ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(lit(60), 0);
    screen->ship().adjustSensors(0.5f, "tuned");
    const int on = lit(60);
    EXPECT_GT(on, 0);
    EXPECT_LT(on, 60); // on and off, not steady
    screen->ship().markUpgradesSeen();
    EXPECT_EQ(lit(60), 0);
}
