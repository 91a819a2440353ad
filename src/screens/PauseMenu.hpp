#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <array>

namespace sf {
class RenderTarget;
}

// The menu over a frozen run: the darkened view, the panel and five buttons (save game,
// options, deeds, main menu, resume). It says which button was pressed; the game carries
// the choice out. Saving is offered only while it may be done (`setSaveAllowed`): greyed and
// dead while a mission script runs or when there is no run to save. Process-wide, created on
// first use; whether it shows is the StateManager's `paused`. Main thread only.
class PauseMenu {
public:
    enum class Item { SaveGame, Options, Deeds, MainMenu, Resume, None };

    static PauseMenu& get();
    static bool exists();
    static void destroy();

    PauseMenu();

    // Every button loses its highlight (showing the menu, each step while shown).
    void clearFocus();
    void update(sf::Vector2f pointer);
    void setSaveAllowed(bool allowed);
    bool saveAllowed() const { return buttons_[0].enabled; }
    // The enabled button under the point, in the order presses are tested.
    Item itemAt(sf::Vector2f point);
    void showPressed(Item item, bool pressed);

    void draw(sf::RenderTarget& target);

    Button& button(Item item) { return buttons_[static_cast<std::size_t>(item)]; }

private:
    sf::Sprite blackout_;
    sf::Sprite panel_;
    std::array<Button, 5> buttons_;
};
