#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>

class CharacterManager;

namespace sf {
class RenderTarget;
}

// The whole-crew view opened from the map: every crew member's card (the living, then the
// dead), the details of the one picked, and its mementos twenty to a page. Looking at a crew
// member clears its unseen-memento mark.
//
// Entry for the run flow: open() on entering the state, draw() each frame, the mouse in
// logical coordinates, and leftScreen() once its leave button was pressed. Main thread only.
class CrewViewScreen {
public:
    explicit CrewViewScreen(CharacterManager& crew);

    void open();
    void draw(sf::RenderTarget& target);
    void mousePressed(float x, float y);
    void mouseMoved(float x, float y);
    bool leftScreen() const { return left_; }
    // Shows crew member `crew` (a position aboard) in the details.
    void select(std::int32_t crew);

private:
    void refreshArrows();
    std::int32_t selectedCount();

    CharacterManager& crew_;
    sf::Sprite background_, infoPanel_, mementoPanel_, topBorder_;
    Button leftArrow_, rightArrow_, leaveButton_;
    bool left_ = false;
};
