#pragma once

#include <SFML/Graphics/RectangleShape.hpp>

#include <string>

namespace sf {
class RenderTarget;
}

// A short help text in a box next to the pointer. The box grows to fit the longest text it
// has shown and never shrinks; it is kept inside the 640-wide screen and below its top.
class Tooltip {
public:
    Tooltip();
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    void setText(const std::string& text);
    void setBoxColor(const sf::Color& color) { box.setFillColor(color); }
    // Pointer position in the interface view; x or y of -1 hides the tooltip.
    void follow(float x, float y);
    void draw(sf::RenderTarget& target);

    int getTextId() const { return textId; }
    const sf::RectangleShape& getBox() const { return box; }
    bool isVisible() const { return visible; }

    float offsetY = 0.f;
    float margin = 0.f;

private:
    int textId;
    sf::RectangleShape box;
    int textSize;
    float contentWidth = 0.f;
    float contentHeight = 0.f;
    bool visible = false;
};
