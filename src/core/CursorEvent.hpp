#pragma once

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

namespace sf {
class RenderTarget;
}

// Clicks and wheel turns act where the cursor sprite is, also when the cursor was moved by
// keys: the event's pointer position is replaced by the window pixel under `cursor`, a
// point of `gameView`. The event keeps window pixels, because every screen and modal window
// maps an event's position through its own view. Other events are left as they are.
void pointEventAtCursor(sf::Event& event, const sf::RenderTarget& window, const sf::View& gameView,
                        sf::Vector2f cursor);
