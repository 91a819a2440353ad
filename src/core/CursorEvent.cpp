#include "core/CursorEvent.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

void pointEventAtCursor(sf::Event& event, const sf::RenderTarget& window, const sf::View& gameView,
                        sf::Vector2f cursor)
{
    const sf::Vector2i pixel = window.mapCoordsToPixel(cursor, gameView);
    switch (event.type) {
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
        event.mouseButton.x = pixel.x;
        event.mouseButton.y = pixel.y;
        break;
    case sf::Event::MouseWheelScrolled:
        event.mouseWheelScroll.x = pixel.x;
        event.mouseWheelScroll.y = pixel.y;
        break;
    default:
        break;
    }
}
