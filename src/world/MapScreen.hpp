#pragma once

#include "persistence/PlayerStats.hpp"
#include "ui/Button.hpp"
#include "ui/Tooltip.hpp"
#include "world/DayClock.hpp"
#include "world/FogShader.hpp"
#include "world/SectorPictures.hpp"
#include "world/Ship.hpp"
#include "world/ShipContext.hpp"
#include "world/ShipView.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sf {
class RenderTarget;
}
class MapCanvas;
class MissionManager;
class Sector;

// The hub of a run: the sector map with the ship, and the interface around it — food, fuel
// and the sector clock at the top, the menu, crew, ship and sector buttons and the light-jump
// button, and their tooltips. The player clicks where the ship should go; the ship turns,
// flies, burns fuel and feeds the crew (the Ship does that, one fixed step at a time), and the
// sector it flies through (owned by the game) decides what happens there.
//
// The map screen lives once per process: it owns the Ship and the cross-run PlayerStats, so
// every part of the game reaches them here, and it answers the ship's questions about the rest
// of the game (ShipContext). The buttons that lead to screens not on the map (the pause menu,
// the crew view, the ship systems and the sector summary) call the game back through the on...
// callbacks; the game shows a button released again when its screen closes.
//
// fixedStep() and the mouse operations change state; draw() only draws (and refreshes the
// pictures its MapCanvas keeps). Main thread only, apart from the ship's own locked operations.
class MapScreen : private ShipContext {
public:
    enum class MapButton { Menu, Crew, Ship, Sector, LightJump };

    // The instance over the game's assets, with shaders unless "--no-shader" was given.
    static MapScreen& get();
    static bool exists();
    static void destroy();
    static void install(std::unique_ptr<MapScreen> screen);

    // `assetsRoot` ends in '/'; `allowShaders` is false for "--no-shader". Places the ship at
    // (15, 37), turned to -160.712 degrees, until a sector puts it at its entry.
    MapScreen(const std::string& assetsRoot, bool allowShaders);
    ~MapScreen() override;
    MapScreen(const MapScreen&) = delete;
    MapScreen& operator=(const MapScreen&) = delete;

    Ship& ship() { return ship_; }
    const Ship& ship() const { return ship_; }
    PlayerStats& stats() { return stats_; }
    // The crew alive aboard (the sector summary's "Active Crew").
    std::int32_t livingCrew() { return livingCrewCount(); }
    // What a Sector shown here is built with: how the fog is kept, and the asteroid pictures.
    FogOfWar::Mode fogMode() const { return fogShader_.fogMode(); }
    const SectorPictures& pictures() const { return pictures_; }

    // The sector to show and steer; nullptr detaches it (before it is destroyed).
    void attachSector(Sector* sector);
    // The run's missions: the difficulty the ship's older saves and the crew stand-in use.
    void setMissionManager(MissionManager* missions) { missions_ = missions; }

    // One fixed step of the map, after the sector's update: the sector clock, the ship's fuel
    // and meals, the food and fuel display (`cannibal`, `cannibalFuel`: the mission flags of a
    // crew that eats its own or burns them), the ship button glowing on and off while the
    // upgrade log has unseen lines. Ends with sync().
    void fixedStep(bool cannibal, bool cannibalFuel);
    // The light-jump button and the views follow the sector and the ship (also after a new or
    // loaded sector).
    void sync();
    // The left button pressed at (x, y) in the 640 x 360 view: the first of the buttons, the
    // panels and the map that holds the point takes the click. Ignored during a light jump.
    void mousePressed(float x, float y);
    // The pointer moved: highlights, hovered planet, marker and ship labels, tooltips.
    void mouseMoved(float x, float y);
    // Every button loses its highlight (keys on the map).
    void clearFocus();
    // The map, then the interface, through the target's current view (the 640 x 360 one).
    void draw(sf::RenderTarget& target);

    // The sector clock's text: the jump number and the days in this sector ("3-1.2").
    void refreshDayText();
    // A light jump: the clock starts again from the new sector's day 0.
    void resetDayClock();
    void setButtonPressed(MapButton button, bool pressed);

    std::function<void()> onPause;
    std::function<void()> onCrewView;
    std::function<void()> onShipSystems;
    std::function<void()> onSectorSummary;

    // The fuel count's colour: white above 5 units, reddening toward (102, 121, 119) at 0 and
    // cycling on below it.
    static sf::Color fuelColour(std::int32_t fuel);
    static std::string dayText(std::int32_t jumpCount, float days);

    // What the interface shows (tests).
    const DayClock& dayClock() const { return dayClock_; }
    int foodTextId() const { return foodTextId_; }
    int fuelTextId() const { return fuelTextId_; }
    int dayTextId() const { return dayTextId_; }
    int hoveredTile() const { return hoveredTile_; }
    const Button& button(MapButton which) const;
    const sf::Sprite& foodIcon() const { return foodIcon_; }
    const sf::Sprite& fuelIcon() const { return fuelIcon_; }
    const Tooltip& lightJumpTip() const { return lightJumpTip_; }
    const Tooltip& foodTip() const { return foodTip_; }
    const Tooltip& fuelTip() const { return fuelTip_; }
    const Tooltip& sectorTimeTip() const { return sectorTimeTip_; }
    const MapCanvas* canvas() const { return canvas_.get(); }

private:
    // ShipContext
    PlayerStats& playerStats() override { return stats_; }
    std::int32_t livingCrewCount() override;
    std::string currentMissionName() override;
    bool foodCheat() override;
    std::int32_t difficulty() override;
    void raiseJumpFlash() override { dayClock_.raiseFlash(); }
    void keepThrustersPlaying() override;
    void stopThrusters() override;
    void playJumpSound() override;

    Button& buttonFor(MapButton which);
    void press(MapButton which, const std::function<void()>& action);
    void showFood(bool cannibal);
    void showFuel(bool cannibalFuel);
    void showLightJump();
    void setText(int id, const std::string& text, const sf::Color& colour);
    void showDayText(const std::string& text);

    PlayerStats stats_;
    Ship ship_;
    MissionManager* missions_ = nullptr;
    Sector* sector_ = nullptr;
    FogShader fogShader_;
    SectorPictures pictures_;
    ShipView shipView_;
    std::unique_ptr<MapCanvas> canvas_;
    DayClock dayClock_;

    sf::Sprite statusPanel_, foodIcon_, fuelIcon_, topLeftPanel_, topPanel_, bottomPanel_;
    sf::Sprite dayDigitFast_, dayDigitSlow_;
    Button menuButton_, crewButton_, shipButton_, sectorButton_, lightJumpButton_;
    Tooltip lightJumpTip_, sectorTimeTip_, foodTip_, fuelTip_;
    int foodTextId_ = -1;
    int fuelTextId_ = -1;
    int dayTextId_ = -1;
    int hoveredTile_ = -1;
};
