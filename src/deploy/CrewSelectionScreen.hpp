#pragma once

#include "deploy/CrewSelection.hpp"
#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <vector>

class CharacterManager;

namespace sf {
class RenderTarget;
}

// The new-game crew selection: the library of characters on the left (16 to a page, with
// their origin badges), eight team slots on the right (those the difficulty does not open
// show their locks), the difficulty buttons, Randomize and the start button. It draws the
// CrewSelection's state and turns presses, drags and releases into its operations.
//
// Entry for the run flow: enter() on entering GameState::CrewSelect (after the roster's
// resetCrew), update() and draw() each frame, the mouse in logical coordinates; then
// selectionDone() (the roster's chosenCrew holds the picks in slot order; requiredCrew() is
// the difficulty) or leftScreen() (back to the title). Main thread only.
class CrewSelectionScreen {
public:
    CrewSelectionScreen(CharacterManager& crew, std::uint32_t seed);
    ~CrewSelectionScreen();
    CrewSelectionScreen(const CrewSelectionScreen&) = delete;
    CrewSelectionScreen& operator=(const CrewSelectionScreen&) = delete;

    void enter();
    void update();
    void draw(sf::RenderTarget& target);
    void mousePressed(float x, float y);
    void mouseReleased(float x, float y);
    void mouseMoved(float x, float y);

    bool selectionDone() const { return selection_.selectionDone(); }
    bool leftScreen() const { return left_; }
    std::int32_t requiredCrew() const { return selection_.requiredCrew(); }
    CrewSelection& selection() { return selection_; }

private:
    void layOutPage();
    void showOrigins();
    void placeCards();
    void storeChosen();
    void refreshLook();
    void drawSlotNames(sf::RenderTarget& target);
    // The library card under the point among those drawn (the page's and those on slots).
    std::int32_t cardAt(float x, float y);

    CharacterManager& crew_;
    CrewSelection selection_;
    sf::Sprite background_, library_, stripes_, chosenPanel_, difficultyPanel_, infoPanel_, leavePanel_,
        randomizePanel_, startPanel_, topBorder_;
    std::vector<sf::Sprite> platforms_, locks_, nametags_;
    int titleText_ = -1, leftText_ = -1, countText_ = -1, countText2_ = -1, pageText_ = -1;
    Button easyButton_, mediumButton_, hardButton_, startButton_, randomizeButton_, leaveButton_, pageLeft_, pageRight_;
    std::int32_t dragged_ = -1;
    sf::Vector2f grabOffset_;
    bool left_ = false;
};
