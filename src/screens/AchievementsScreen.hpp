#pragma once

#include "core/GameState.hpp"
#include "core/TimedActionGroup.hpp"
#include "ui/Button.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <string>
#include <vector>

class AchievementManager;

namespace sf {
class RenderTarget;
}

// The deeds screen (GameState::Achievements): the achievement catalogue six entries to a
// page, each with its picture, quotation, description and, for counted deeds, a progress
// bar; how many are unlocked; the most recently unlocked deed and the next one to aim for
// (a click on either turns to its page). Locked entries are grey with a dimmed picture,
// unlocked ones white and green.
//
// Unlocks can come at any time (a mission may grant one while a pause menu shows this
// screen), so each entry's look and the summary are read again from the manager on every
// fixed step, not only on entry. The page survives leaving and coming back.
//
// Owned by the game; reads the manager's catalogue and unlocked list (the player's record).
// Main thread only. The game hands it the window's events with the pointer in the 640 x 360 view.
class AchievementsScreen {
public:
    static constexpr int perPage = 6;
    // Where the bar of an entry is and how long it is when full.
    static constexpr float barDx = 80.f, barDy = 46.f, barLength = 186.f;

    explicit AchievementsScreen(AchievementManager& manager);
    ~AchievementsScreen();
    AchievementsScreen(const AchievementsScreen&) = delete;
    AchievementsScreen& operator=(const AchievementsScreen&) = delete;

    // The enter step, and after every page turn: the arrows, the page's layout, the summary.
    void reset();
    // Each fixed step: looks and summary from the manager as they stand now.
    void update();
    void handleEvent(const sf::Event& event, sf::Vector2f pointer);
    void draw(sf::RenderTarget& target);

    // Where the leave button goes (the title unless a menu opened the screen).
    GameState returnState = GameState::Title;

    struct Entry {
        float x = 0.f, y = 0.f;
        bool unlocked = false;
        int flavourText = -1;
        int descriptionText = -1;
        sf::Sprite picture;
        sf::RectangleShape barBack;
        sf::RectangleShape barFill;
    };
    // Tests: what is shown.
    unsigned page() const { return page_; }
    const std::vector<Entry>& entries() const { return entries_; }
    int upcomingIndex() const { return upcomingIndex_; }
    int recentIndex() const { return recentIndex_; }
    std::string unlockedText() const;
    bool upcomingShown() const { return upcomingShown_; }
    Button& nextArrow() { return nextArrow_; }
    Button& previousArrow() { return previousArrow_; }
    Button& upcomingSlot() { return upcomingSlot_; }
    Button& recentSlot() { return recentSlot_; }
    Button& leaveButton() { return leaveButton_; }
    const Tooltip& slotTip() const { return slotTip_; }

private:
    void buildEntries();
    void showLook(std::size_t index);
    void layoutBar(std::size_t index);
    void refreshSummary();
    void act(float x, float y);
    void turnTo(unsigned page);
    void leave();
    void hover(float x, float y);
    bool onPage(std::size_t index) const;

    AchievementManager& manager_;
    std::vector<Entry> entries_;
    unsigned page_ = 0;
    int recentIndex_ = -1;
    int upcomingIndex_ = -1;
    bool upcomingShown_ = true;
    bool leftDown_ = false;

    sf::Sprite background_, challengesPanel_, recentPanel_, unlockedPanel_, arrowPanel_, leavePanel_;
    Button nextArrow_, previousArrow_, recentSlot_, upcomingSlot_, leaveButton_;
    int unlockedTextId_;
    int recentLabelId_;
    int upcomingLabelId_;
    // Over the recent or upcoming slot: what that deed asks for.
    Tooltip slotTip_;
    TimedActionGroup arrowRestores_;
};
