#pragma once

#include "core/TimedActionGroup.hpp"
#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

namespace sf {
class RenderTarget;
class View;
}

// Base of the modal windows drawn over the current screen. While a window is open it takes
// every event and, unless it asks for one more step, stops the game underneath. Pressing
// its close button sets `closed`; the WindowManager then destroys it at the next fixed step.
// Delayed actions a window starts go through its own `timedActions`, so none of them can run
// once the window is gone, however it was closed or replaced.
class WindowScreen {
public:
    WindowScreen();
    virtual ~WindowScreen() = default;
    WindowScreen(const WindowScreen&) = delete;
    WindowScreen& operator=(const WindowScreen&) = delete;

    virtual void draw(sf::RenderTarget& target);
    // `view` maps the event's pixel position into the 640 x 360 game view.
    virtual void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view);
    // Each fixed step of the game while the window is open (the game beneath may be frozen).
    virtual void update() {}

    bool closed = false;
    bool runOneStep = false;
    // When false the window ignores all input and hides its close button.
    bool closable = true;

    Button& getCloseButton() { return closeButton; }

protected:
    // The event's pointer position in `view` coordinates (false for events without one).
    static bool pointerPosition(const sf::Event& event, const sf::RenderTarget& window, const sf::View& view,
                                sf::Vector2f& position);
    static bool isLeftPress(const sf::Event& event);

    sf::Sprite blackout;
    Button closeButton;
    TimedActionGroup timedActions;
};
