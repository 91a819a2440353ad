#pragma once

#include "ui/Button.hpp"
#include "ui/WindowScreen.hpp"
#include "world/ShipSystemsFile.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Ship;

// The ship systems window, opened from the map's ship button: the ship's blueprint, a row of
// system buttons and the description of the selected one. The last button is the upgrade
// log, which lists the ship's upgrades and downgrades newest first, a page at a time (the
// arrows, or W/S, move one entry at a time), and glows while it holds lines the player has
// not looked at; looking at it marks them seen.
//
// The systems come from "ship_systems/systems.json", read at every opening, so a changed file
// shows the next time; without a usable file only the log is offered. A/D and the arrow keys
// move the selection (wrapping). Escape and the close button release the map's ship button
// (onShipButtonReleased); only the close button closes the window.
class ShipWindowScreen : public WindowScreen {
public:
    // Where the description and the log begin: just under the row of buttons.
    static constexpr int textTop = 190;
    // The log lists entries from textTop down while they fit in this height.
    static constexpr int logPageHeight = 133;

    ShipWindowScreen(Ship& ship, const std::string& systemsPath);
    ~ShipWindowScreen() override;

    void draw(sf::RenderTarget& target) override;
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view) override;
    // Keeps the log button's glow in step with the map's blinking.
    void update() override;

    std::function<void()> onShipButtonReleased;

    // What the window shows (tests).
    std::size_t buttonCount() const { return buttons_.size(); }
    std::size_t selected() const { return selected_; }
    std::size_t logButtonIndex() const { return buttons_.size() - 1; }
    int logPage() const { return logPage_; }
    const std::vector<int>& logTextIds() const { return logTextIds_; }
    int detailsTextId() const { return detailsTextId_; }
    const Button& systemButton(std::size_t index) const { return *buttons_.at(index); }
    const Button& upArrow() const { return upArrow_; }
    const Button& downArrow() const { return downArrow_; }

private:
    void addButton(const std::string& sprite, const std::string& details);
    void refresh();
    void showDetails(const std::string& details);
    void listLog(const std::vector<std::string>& log);
    void clearLogTexts();
    void pressUp();
    void pressDown();
    void pressArrow(Button& arrow, const char* sheet, void (ShipWindowScreen::*page)());
    void pageUp();
    void pageDown();
    void setArrow(Button& arrow, const char* sheet, bool enabled);
    void releaseShipButton();
    void showLogGlow();

    Ship& ship_;
    sf::Sprite blueprint_;
    sf::Sprite systemsPanel_;
    sf::Sprite connectors_;
    int detailsTextId_;
    // Owned one by one: each holds a label id that must not move.
    std::vector<std::unique_ptr<Button>> buttons_;
    // Each button's frames and description, the log's last.
    std::vector<ShipSystemsFile::System> entries_;
    std::size_t selected_ = 0;
    // The log is selected and has lines: its page shows instead of a description.
    bool showingLog_ = false;
    int logPage_ = 0;
    std::vector<int> logTextIds_;
    Button upArrow_;
    Button downArrow_;
};
