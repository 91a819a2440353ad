#pragma once

#include "ui/FocusableUI.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <functional>
#include <string>

namespace sf {
class RenderTarget;
class Texture;
}

// A clickable control: a sprite button drawn from sprite-sheet frames, or a text button
// drawing a label on a plain rectangle. It reads no events itself: the screen asks whether
// it contains the pointer, sets its focus and calls onClick. Its label lives in the
// TextManager and is removed with the button. Movable, not copyable (it owns that label).
class Button : public FocusableUI {
public:
    Button();
    ~Button() override;
    Button(Button&& other) noexcept;
    Button& operator=(Button&& other) noexcept;
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Sprite mode from here on; the hit rectangle is the texture's size.
    void setTexture(const sf::Texture& texture);
    // The frame drawn additively over the sprite while focused, 2 units further left.
    void setHighlightTexture(const sf::Texture& texture);
    void setText(const std::string& text);
    void setPosition(float x, float y);
    void setColor(const sf::Color& color);
    // Edges included; a disabled button contains nothing.
    bool contains(float x, float y);
    void setFocus(bool focused) override;
    void draw(sf::RenderTarget& target);

    int getLabelId() const { return labelId; }
    sf::RectangleShape& getBackground() { return background; }
    const sf::Sprite& getSprite() const { return sprite; }
    bool isFocused() const { return focused; }
    bool isSpriteMode() const { return spriteMode; }
    sf::FloatRect getBounds();

    bool enabled = true;
    bool attention = false;
    std::function<void()> onClick;

private:
    void updateBounds();

    int labelId;
    sf::RectangleShape background;
    float left = 0.f, top = 0.f, right = 0.f, bottom = 0.f;
    sf::Sprite sprite;
    sf::Sprite highlightSprite;
    bool hasHighlight = false;
    bool spriteMode = false;
    bool focused = false;
};
