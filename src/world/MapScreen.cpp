#include "world/MapScreen.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/NumberConversions.hpp"
#include "core/ProcessWide.hpp"
#include "core/ProgramArguments.hpp"
#include "core/TextFunctions.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/Options.hpp"
#include "world/MapCanvas.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "world/Sector.hpp"
#include "world/ShipAudio.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cstdio>
#include <iomanip>
#include <sstream>

namespace {

const sf::Color foodColour(152, 121, 119);
const sf::Color disabledTint(128, 128, 128, 255);

const char* const clickSound = "button_click.wav";

// The sheet a map button is cut from; its frames add "_Up", "_Down" and "_HI".
const char* sheetOf(MapScreen::MapButton button)
{
    switch (button) {
    case MapScreen::MapButton::Menu:
        return "general/button_menu.png";
    case MapScreen::MapButton::Crew:
        return "mapscreen/button_crew.png";
    case MapScreen::MapButton::Ship:
        return "mapscreen/button_ship.png";
    case MapScreen::MapButton::Sector:
        return "mapscreen/button_sector.png";
    case MapScreen::MapButton::LightJump:
        break;
    }
    return "mapscreen/button_lightjump.png";
}

std::string dayFrame(int index)
{
    char name[64];
    std::snprintf(name, sizeof(name), "mapscreen/flash_frames_green/flashy_%02d.png", index);
    return name;
}

void place(sf::Sprite& sprite, const std::string& texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void setUpButton(Button& button, MapScreen::MapButton which, bool pressed, float x, float y)
{
    TextureManager& textures = TextureManager::get();
    const std::string sheet = sheetOf(which);
    button.setTexture(textures.getTexture(sheet + (pressed ? "_Down" : "_Up")));
    button.setPosition(x, y);
    button.setHighlightTexture(textures.getTexture(sheet + "_HI"));
}

void setUpTooltip(Tooltip& tip, const std::string& text)
{
    tip.offsetY = -36.f;
    tip.margin = 5.f;
    // Grey, as on the deploy screen: the box's default white would hide the white letters.
    tip.setBoxColor(sf::Color(128, 128, 128));
    tip.setText(text);
}

} // namespace

MapScreen& MapScreen::get()
{
    return ProcessWide<MapScreen>::get(
        [] { return std::make_unique<MapScreen>(assetsPath(), !hasArgument("--no-shader")); });
}

bool MapScreen::exists()
{
    return ProcessWide<MapScreen>::exists();
}

void MapScreen::destroy()
{
    ProcessWide<MapScreen>::destroy();
}

void MapScreen::install(std::unique_ptr<MapScreen> screen)
{
    ProcessWide<MapScreen>::install(std::move(screen));
}

MapScreen::MapScreen(const std::string& assetsRoot, bool allowShaders)
    : ship_(*this)
    , fogShader_(assetsRoot, allowShaders)
    , pictures_(SectorPictures::fromAssets(assetsRoot))
    , shipView_(ship_, assetsRoot, allowShaders)
{
    ship_.setPosition(15.f, 37.f);
    ship_.setHeading(-160.712f);

    place(statusPanel_, "mapscreen/mapscreen_panel_status.png", 260.f, 0.f);
    place(foodIcon_, "mapscreen/food_icon.png", 278.f, 3.f);
    place(fuelIcon_, "mapscreen/fuel_icon.png", 384.f, 3.f);
    place(bottomPanel_, "mapscreen/mapscreen_panel_bottom_wide.png", 495.f, 329.f);
    place(topPanel_, "mapscreen/mapscreen_panel_top.png", 576.f, 0.f);
    place(topLeftPanel_, "mapscreen/mapscreen_panel_top_left.png", 0.f, 0.f);
    place(dayDigitFast_, dayFrame(0), 43.f, 15.f);
    place(dayDigitSlow_, dayFrame(0), 36.f, 15.f);

    setUpButton(menuButton_, MapButton::Menu, false, 597.f, 2.f);
    setUpButton(crewButton_, MapButton::Crew, false, 597.f, 337.f);
    setUpButton(shipButton_, MapButton::Ship, false, 557.f, 337.f);
    // The summary opens with every new sector and releases the button when it closes.
    setUpButton(sectorButton_, MapButton::Sector, true, 506.f, 337.f);
    setUpButton(lightJumpButton_, MapButton::LightJump, true, 306.f, 5.f);
    showLightJump();

    setUpTooltip(lightJumpTip_, "Move to the sector's edge to jump to a new sector.");
    setUpTooltip(foodTip_, "Remaining food, consumed twice per day at a rate of one unit per crewmember.");
    setUpTooltip(fuelTip_, "Remaining fuel, consumed at one unit per parsec of in-sector travel.");
    setUpTooltip(sectorTimeTip_, "Sector time, measured in days since jumping into the current sector.");

    TextManager& texts = TextManager::get();
    foodTextId_ = texts.addText(278, 19, std::to_string(ship_.getFood()));
    texts.getText(foodTextId_).setFillColor(foodColour);
    fuelTextId_ = texts.addText(385, 19, std::to_string(ship_.getFuel()));
    texts.getText(fuelTextId_).setFillColor(fuelColour(ship_.getFuel()));
    dayTextId_ = texts.addText(0, 2, "");
    showDayText("0-0.00");
}

MapScreen::~MapScreen()
{
    // The canvas's view of the sector goes first; it owns labels too.
    canvas_.reset();
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    for (int id : {foodTextId_, fuelTextId_, dayTextId_})
        texts.removeText(id);
}

void MapScreen::attachSector(Sector* sector)
{
    canvas_.reset();
    sector_ = sector;
    hoveredTile_ = -1;
    if (sector_)
        canvas_ = std::make_unique<MapCanvas>(*sector_, shipView_, pictures_, fogShader_);
    showLightJump();
}

// --- The ship's surroundings ---

// Asked under the ship's lock; the roster never waits for the ship under its own.
std::int32_t MapScreen::livingCrewCount()
{
    return CharacterManager::exists() ? CharacterManager::get().livingCrewCount() : 0;
}

std::string MapScreen::currentMissionName()
{
    return CharacterManager::exists() ? CharacterManager::get().getCurrentMissionName() : std::string();
}

bool MapScreen::foodCheat()
{
    return Options::exists() && Options::get().foodCheat;
}

std::int32_t MapScreen::difficulty()
{
    return missions_ ? missions_->difficulty : MissionManager::medium;
}

void MapScreen::keepThrustersPlaying()
{
    ShipAudio(AudioManager::get()).keepThrustersPlaying();
}

void MapScreen::stopThrusters()
{
    ShipAudio(AudioManager::get()).stopThrusters();
}

void MapScreen::playJumpSound()
{
    ShipAudio(AudioManager::get()).playJumpSound();
}

// --- A step of the map ---

void MapScreen::fixedStep(bool cannibal, bool cannibalFuel)
{
    if (dayClock_.step(ship_)) {
        refreshDayText();
        TextureManager& textures = TextureManager::get();
        dayDigitFast_.setTexture(textures.getTexture(dayFrame(dayClock_.fastFrame())), true);
        dayDigitSlow_.setTexture(textures.getTexture(dayFrame(dayClock_.slowFrame())), true);
    }
    ship_.consumptionTick();
    ship_.advanceBlink();
    shipButton_.attention = ship_.isBlinkLit() && ship_.hasUnseenUpgrades();
    showFood(cannibal);
    showFuel(cannibalFuel);
    sync();
}

void MapScreen::sync()
{
    showLightJump();
    shipView_.sync();
    if (canvas_)
        canvas_->sync();
}

void MapScreen::showFood(bool cannibal)
{
    const std::int32_t food = ship_.getFood();
    const char* icon = nullptr;
    if (cannibal)
        icon = food > 0 ? "mapscreen/food_icon_cannibal.png" : "mapscreen/starvation_icon_cannibal.png";
    else
        icon = food > 0 ? "mapscreen/food_icon.png" : "mapscreen/starvation_icon.png";
    foodIcon_.setTexture(TextureManager::get().getTexture(icon), true);
    setText(foodTextId_, std::to_string(food), cannibal ? amberColor : foodColour);
}

void MapScreen::showFuel(bool cannibalFuel)
{
    const std::int32_t fuel = ship_.getFuel();
    fuelIcon_.setTexture(
        TextureManager::get().getTexture(cannibalFuel ? "mapscreen/fuel_icon_cannibal.png" : "mapscreen/fuel_icon.png"),
        true);
    setText(fuelTextId_, std::to_string(fuel), fuelColour(fuel));
}

// The button works only at the sector's edge, and not again once a jump is under way.
void MapScreen::showLightJump()
{
    const bool usable = sector_ && !sector_->isShipInside() && !sector_->jumpRequested;
    lightJumpButton_.enabled = usable;
    lightJumpButton_.setTexture(TextureManager::get().getTexture(std::string(sheetOf(MapButton::LightJump))
                                                                 + (usable ? "_Up" : "_Down")));
    lightJumpButton_.setColor(usable ? sf::Color::White : disabledTint);
}

void MapScreen::setText(int id, const std::string& text, const sf::Color& colour)
{
    sf::Text& label = TextManager::get().getText(id);
    if (label.getString() != text)
        label.setString(text);
    label.setFillColor(colour);
}

sf::Color MapScreen::fuelColour(std::int32_t fuel)
{
    if (fuel > 5)
        return sf::Color::White;
    // Reddens as the tank empties; past empty the shade keeps cycling (never a negative channel).
    const std::int64_t red = ((10 * static_cast<std::int64_t>(fuel) + 102) % 256 + 256) % 256;
    return sf::Color(static_cast<sf::Uint8>(red), 121, 119);
}

std::string MapScreen::dayText(std::int32_t jumpCount, float days)
{
    std::ostringstream text;
    text << jumpCount << '-' << std::fixed << std::setprecision(1) << days;
    return text.str();
}

void MapScreen::refreshDayText()
{
    showDayText(dayText(ship_.getJumpCount(), ship_.getJumpDays()));
}

void MapScreen::showDayText(const std::string& text)
{
    TextManager& texts = TextManager::get();
    setText(dayTextId_, text, sf::Color::White);
    // Right-aligned: the text ends at x = 44 whatever its length.
    const float width = texts.getText(dayTextId_).getGlobalBounds().width / texts.getScale();
    texts.setTextPosition(dayTextId_, truncateToInt32(44.f - width), 2);
}

void MapScreen::resetDayClock()
{
    dayClock_.reset();
    TextureManager& textures = TextureManager::get();
    dayDigitFast_.setTexture(textures.getTexture(dayFrame(dayClock_.fastFrame())), true);
    dayDigitSlow_.setTexture(textures.getTexture(dayFrame(dayClock_.slowFrame())), true);
    refreshDayText();
}

// --- Buttons and the pointer ---

Button& MapScreen::buttonFor(MapButton which)
{
    switch (which) {
    case MapButton::Menu:
        return menuButton_;
    case MapButton::Crew:
        return crewButton_;
    case MapButton::Ship:
        return shipButton_;
    case MapButton::Sector:
        return sectorButton_;
    case MapButton::LightJump:
        break;
    }
    return lightJumpButton_;
}

const Button& MapScreen::button(MapButton which) const
{
    return const_cast<MapScreen*>(this)->buttonFor(which);
}

void MapScreen::setButtonPressed(MapButton which, bool pressed)
{
    buttonFor(which).setTexture(
        TextureManager::get().getTexture(std::string(sheetOf(which)) + (pressed ? "_Down" : "_Up")));
}

void MapScreen::press(MapButton which, const std::function<void()>& action)
{
    UiHost::get().playSound(clickSound);
    setButtonPressed(which, true);
    if (action)
        action();
}

void MapScreen::mousePressed(float x, float y)
{
    if (!sector_ || sector_->jumpRequested || ship_.isLightJumping())
        return;
    if (menuButton_.contains(x, y)) {
        press(MapButton::Menu, onPause);
    } else if (crewButton_.contains(x, y)) {
        press(MapButton::Crew, onCrewView);
    } else if (shipButton_.contains(x, y)) {
        press(MapButton::Ship, onShipSystems);
    } else if (sectorButton_.contains(x, y)) {
        press(MapButton::Sector, onSectorSummary);
    } else if (lightJumpButton_.contains(x, y)) {
        // The run flow turns the ship to the edge and jumps.
        press(MapButton::LightJump, [this] { sector_->jumpRequested = true; });
    } else {
        for (const sf::Sprite* panel : {&statusPanel_, &topPanel_, &bottomPanel_})
            if (panel->getGlobalBounds().contains(x, y))
                return;
        sector_->clickMap(x, y);
        shipView_.sync();
    }
}

void MapScreen::mouseMoved(float x, float y)
{
    for (Button* button : {&menuButton_, &crewButton_, &shipButton_, &sectorButton_, &lightJumpButton_})
        button->setFocus(button->contains(x, y));
    hoveredTile_ = sector_ ? sector_->layout().tileIndexAt(x, y) : -1;

    const std::vector<MissionMarker> markers = ship_.getMissionMarkers();
    const sf::Vector2u icon = TextureManager::get().getTexture("mapscreen/map_icon_small.png").getSize();
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const MissionMarker& marker = markers[i];
        const bool over = x > marker.x && x <= marker.x + static_cast<float>(icon.x) && y > marker.y
                          && y <= marker.y + static_cast<float>(icon.y);
        ship_.setMarkerLabelShown(i, over);
    }
    ship_.setNameLabelShown(sector_ && sector_->isOnShip(x, y));

    const bool overDisabledJump = !lightJumpButton_.enabled && lightJumpButton_.getBounds().contains(x, y);
    const auto follow = [x, y](Tooltip& tip, bool shown) { shown ? tip.follow(x, y) : tip.follow(-1.f, -1.f); };
    follow(lightJumpTip_, overDisabledJump);
    follow(foodTip_, foodIcon_.getGlobalBounds().contains(x, y));
    follow(fuelTip_, fuelIcon_.getGlobalBounds().contains(x, y));
    follow(sectorTimeTip_, topLeftPanel_.getGlobalBounds().contains(x, y));
    shipView_.sync();
}

void MapScreen::clearFocus()
{
    for (Button* button : {&menuButton_, &crewButton_, &shipButton_, &sectorButton_, &lightJumpButton_})
        button->setFocus(false);
}

// --- Drawing ---

void MapScreen::draw(sf::RenderTarget& target)
{
    if (canvas_)
        canvas_->draw(target, Options::exists() && Options::get().planetCheat, hoveredTile_);
    shipView_.draw(target);
    for (const sf::Sprite* sprite : {&statusPanel_, &foodIcon_, &fuelIcon_, &topLeftPanel_, &dayDigitFast_,
                                     &dayDigitSlow_})
        target.draw(*sprite);
    TextManager::get().drawTexts({foodTextId_, fuelTextId_, dayTextId_}, target);
    target.draw(topPanel_);
    target.draw(bottomPanel_);
    for (Button* button : {&menuButton_, &lightJumpButton_, &crewButton_, &shipButton_, &sectorButton_})
        button->draw(target);
    for (Tooltip* tip : {&lightJumpTip_, &foodTip_, &fuelTip_, &sectorTimeTip_})
        tip->draw(target);
}
