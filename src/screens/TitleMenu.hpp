#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <array>
#include <vector>

namespace sf {
class RenderTarget;
}

// The title screen: the backdrop, the panel and the row of eight picture buttons (continue,
// new game, crew creator, options, deeds, credits, web site, quit). It only says which item
// the player picked, by mouse or by keyboard; the game carries the choice out, since every
// choice changes the state, starts a load, opens the web site or quits. Continue is offered
// only when there is a saved run. Main thread only (it draws with the texture registry).
class TitleMenu {
public:
    enum class Item { Continue, NewGame, Characters, Options, Deeds, Credits, WebSite, Quit, None };
    static constexpr std::size_t itemCount = 8;

    TitleMenu();

    // Entering the title: every button released, continue enabled (and first in the keyboard
    // order) only when `canContinue`.
    void reset(bool canContinue);
    bool continueEnabled() const { return buttons_[0].enabled; }
    // The keyboard order: continue (when enabled), new game, characters, options, credits, quit.
    const std::vector<Item>& keyboardOrder() const { return order_; }

    // The highlight follows the pointer; the keyboard's choice shows while the pointer is
    // over no button.
    void update(sf::Vector2f pointer);
    // The enabled item under the point, or None.
    Item itemAt(sf::Vector2f point);
    // Left/Right (or A/D, Tab) move the keyboard's choice; Enter or Space picks it.
    Item handleKey(sf::Keyboard::Key key);
    Item keyboardChoice() const;
    // The button drawn pressed or released (a pick shows pressed until the screen changes).
    void showPressed(Item item, bool pressed);

    void draw(sf::RenderTarget& target);

    Button& button(Item item) { return buttons_[static_cast<std::size_t>(item)]; }

private:
    sf::Sprite background_;
    sf::Sprite panel_;
    // The game's name over the backdrop: the emblem, "Quorvane" and "Vesperine", doubled.
    std::array<sf::Sprite, 3> title_;
    std::array<Button, itemCount> buttons_;
    std::vector<Item> order_;
    int keyboardIndex_ = -1;
};
