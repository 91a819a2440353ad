#include "core/WindowGeometry.hpp"

#include <algorithm>

sf::FloatRect letterboxViewport(unsigned width, unsigned height)
{
    if (width == 0 || height == 0)
        return sf::FloatRect(0.f, 0.f, 1.f, 1.f);
    float w = static_cast<float>(width);
    float h = static_cast<float>(height);
    float sizeY = (w * 9.f / 16.f) / h;
    float sizeX = (h / 9.f * 16.f) / w;
    if (sizeX < sizeY)
        return sf::FloatRect((1.f - sizeX) / 2.f, 0.f, sizeX, 1.f);
    return sf::FloatRect(0.f, (1.f - sizeY) / 2.f, 1.f, sizeY);
}

sf::Vector2u windowSizeAfterResize(unsigned width, unsigned height)
{
    if (width < logicalWidth || height < logicalHeight)
        return sf::Vector2u(logicalWidth, logicalHeight);
    return sf::Vector2u(width, height);
}

sf::Vector2i windowPositionOnScreen(sf::Vector2i position, sf::Vector2u size, sf::Vector2u desktop)
{
    auto fit = [](int at, unsigned length, unsigned screen) {
        const int room = length < screen ? static_cast<int>(screen - length) : 0;
        return std::clamp(at, 0, room);
    };
    return sf::Vector2i(fit(position.x, size.x, desktop.x), fit(position.y, size.y, desktop.y));
}
