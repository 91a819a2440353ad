#pragma once

#include "missions/MissionTextPage.hpp"
#include "ui/Button.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class MissionManager;
class Ship;

namespace sf {
class RenderTarget;
}

// The terminal a mission is read and played on. Each frame it takes what the script has
// queued, types the messages out one at a time at the player's pace ("WordsPerSecond"; a
// message is followed after as many whole seconds as its words allow), shows each choice
// set once the text before it is out, hands the player's pick (a click or the digit keys)
// back to the runtime, and opens LEAVE once the closing line has been typed out. Around the
// text: the team, the location, the ship's food and fuel, the time controls and the menu.
//
// update(now) does all of that with the time it is given; draw() only draws, so the pacing
// is tested without a window. Main thread only; its only contact with the script is through
// the MissionManager's hand-over.
//
// The run flow opens it with open() after MissionManager::setCurrentMission and before the
// script starts, then reads leaveRequested() (LEAVE was pressed and its hold is over) and
// saveRequested() (the end was shown and the run goes on). The menu button calls onMenu with
// whether the pause menu may offer to save (not while the script runs).
class MissionScreen {
public:
    static constexpr double leaveHoldSeconds = 0.25;
    static constexpr int scrollMargin = 40;

    // The player's text settings the screen follows (from Options in the game).
    struct TextSettings {
        bool fastForward = false;
        bool paused = false;
        std::int32_t wordsPerSecond = 6;
        int textMode = 0;
        bool missionPrint = false;
    };
    static TextSettings settingsFromOptions();

    explicit MissionScreen(MissionManager& missions);
    ~MissionScreen();
    MissionScreen(const MissionScreen&) = delete;
    MissionScreen& operator=(const MissionScreen&) = delete;

    // The ship whose food and fuel the status line shows (may be none).
    void setShip(Ship* ship) { ship_ = ship; }
    // A new mission from the options' text settings: fast-forward and pause as the player
    // left them, the text mode, LEAVE inactive, the team panel and the location line.
    void open(double now);
    // The per-frame work; `now` in seconds on any steady clock.
    void update(double now);
    void draw(sf::RenderTarget& target);
    // Logical coordinates (the 640 x 360 view).
    void handleClick(float x, float y, double now);
    void handleKey(sf::Keyboard::Key key, double now);
    void handleMouseMove(float x, float y);

    bool leaveRequested() const { return leaveRequested_; }
    bool saveRequested() const;
    bool leaveActive() const;
    const Button& leaveButton() const { return leaveButton_; }
    bool paused() const { return paused_; }
    bool fastForward() const { return fastForward_; }
    bool stepRequested() const { return stepRequested_; }
    // How many messages have been typed out.
    std::size_t revealedCount() const { return revealedCount_; }
    float scrollTop() const { return scrollTop_; }
    MissionTextPage& page() { return page_; }
    // The food and fuel icons the status line shows now.
    std::string foodIconName() const;
    std::string fuelIconName() const;
    const std::string& locationLine() const { return location_; }

    std::function<void(bool saveAllowed)> onMenu;
    // Asked at open() and every update (tests give their own).
    std::function<TextSettings()> settingsSource = &MissionScreen::settingsFromOptions;

private:
    void setUpButtons();
    void showTimeControls();
    void buildTeamPanel();
    void clearTeamPanel();
    void drawTeam(sf::RenderTarget& target);
    void refreshStatus();
    void revealDue(double now);
    void scrollToContent();
    void placeText();
    // The newest shown, unanswered set; with `choices`, only one that has that many.
    bool pick(std::size_t set, std::int32_t index);
    bool clickChoice(float x, float y);
    sf::FloatRect textArea() const;

    MissionManager& missions_;
    Ship* ship_ = nullptr;
    MissionTextPage page_;

    sf::Sprite mainPanel_, textBackground_, characterPanel_, controlsPanel_, locationPanel_, statusPanel_;
    sf::Sprite foodIcon_, fuelIcon_;
    int locationText_ = -1;
    int foodText_ = -1;
    int fuelText_ = -1;
    // Positions aboard of the team whose cards the character panel shows.
    std::vector<std::size_t> teamCards_;
    std::string location_;
    Button leaveButton_, menuButton_, playButton_, pauseButton_, fastForwardButton_;
    Tooltip autoplayTip_, pauseTip_, fastForwardTip_;

    double revealStart_ = 0.0;
    std::size_t revealedCount_ = 0;
    float scrollBottom_ = 0.f;
    float scrollTop_ = 0.f;
    // Where each laid-out message and button stands on the unscrolled page.
    std::vector<float> messageTops_;
    std::vector<std::vector<float>> buttonTops_;
    float placedScroll_ = -1.f;
    std::size_t placedMessages_ = 0;
    std::size_t placedSets_ = 0;
    bool fastForward_ = false;
    bool paused_ = false;
    bool stepRequested_ = false;
    bool leaveRequested_ = false;
    bool menuPressed_ = false;
    std::optional<double> leaveAt_;
    int textMode_ = 0;
    TextSettings settings_;
};
