#include "ui/Button.hpp"

#include "ui/TextManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cmath>

Button::Button()
    : labelId(TextManager::get().addText(0, 0, "", -1.f))
{
    TextManager::get().getText(labelId).setFillColor(sf::Color::Black);
    background.setSize(sf::Vector2f(0.f, 0.f));
}

Button::~Button()
{
    if (labelId >= 0 && TextManager::exists())
        TextManager::get().removeText(labelId);
}

Button::Button(Button&& other) noexcept
    : enabled(other.enabled)
    , attention(other.attention)
    , onClick(std::move(other.onClick))
    , labelId(other.labelId)
    , background(other.background)
    , left(other.left)
    , top(other.top)
    , right(other.right)
    , bottom(other.bottom)
    , sprite(other.sprite)
    , highlightSprite(other.highlightSprite)
    , hasHighlight(other.hasHighlight)
    , spriteMode(other.spriteMode)
    , focused(other.focused)
{
    other.labelId = -1;
}

Button& Button::operator=(Button&& other) noexcept
{
    if (this != &other) {
        if (labelId >= 0)
            TextManager::get().removeText(labelId);
        enabled = other.enabled;
        attention = other.attention;
        onClick = std::move(other.onClick);
        labelId = other.labelId;
        background = other.background;
        left = other.left;
        top = other.top;
        right = other.right;
        bottom = other.bottom;
        sprite = other.sprite;
        highlightSprite = other.highlightSprite;
        hasHighlight = other.hasHighlight;
        spriteMode = other.spriteMode;
        focused = other.focused;
        other.labelId = -1;
    }
    return *this;
}

void Button::setTexture(const sf::Texture& texture)
{
    sprite.setTexture(texture, true);
    spriteMode = true;
    updateBounds();
}

void Button::setHighlightTexture(const sf::Texture& texture)
{
    hasHighlight = true;
    highlightSprite.setTexture(texture, true);
    highlightSprite.setOrigin(2.f, 0.f);
    highlightSprite.setPosition(sprite.getPosition());
}

void Button::setText(const std::string& text)
{
    TextManager::get().getText(labelId).setString(Utf8::toLabel(text));
    updateBounds();
}

void Button::setPosition(float x, float y)
{
    sprite.setPosition(x, y);
    highlightSprite.setPosition(x, y);
    background.setPosition(x, y);
    updateBounds();
}

void Button::setColor(const sf::Color& color)
{
    sprite.setColor(color);
}

bool Button::contains(float x, float y)
{
    if (!enabled)
        return false;
    updateBounds();
    return left <= x && x <= right && top <= y && y <= bottom;
}

void Button::setFocus(bool value)
{
    focused = value;
}

sf::FloatRect Button::getBounds()
{
    updateBounds();
    return sf::FloatRect(left, top, right - left, bottom - top);
}

void Button::updateBounds()
{
    if (spriteMode) {
        const sf::Vector2f position = sprite.getPosition();
        const sf::FloatRect global = sprite.getGlobalBounds();
        left = position.x;
        top = position.y;
        right = position.x + global.width;
        bottom = position.y + global.height;
        return;
    }
    TextManager& texts = TextManager::get();
    UiHost& host = UiHost::get();
    const float scale = texts.getScale();
    sf::Text& label = texts.getText(labelId);
    const sf::String& string = label.getString();
    const auto lines = 1 + std::count(string.begin() + std::min<std::size_t>(string.getSize(), 1), string.end(), '\n');
    const float lineSpacing =
        std::floor(host.gameFont().getLineSpacing(static_cast<unsigned>(host.defaultTextSize())));
    const sf::FloatRect labelBounds = label.getGlobalBounds();
    background.setSize(sf::Vector2f(host.defaultTextSize() + labelBounds.width / scale,
                                    static_cast<float>(lines) * lineSpacing));
    const sf::Vector2f position = background.getPosition();
    texts.setTextPosition(labelId, static_cast<int>(position.x),
                          static_cast<int>(position.y + labelBounds.height / (2.f * scale)
                                           - background.getSize().y / 2.f));
    left = position.x;
    top = position.y;
    right = position.x + background.getSize().x;
    bottom = position.y + background.getSize().y;
}

void Button::draw(sf::RenderTarget& target)
{
    if (spriteMode) {
        target.draw(sprite);
        if (focused) {
            if (hasHighlight)
                target.draw(highlightSprite, sf::BlendAdd);
            else
                target.draw(sprite, sf::BlendMultiply);
        }
        if (attention)
            target.draw(sprite, sf::BlendAdd);
        return;
    }
    target.draw(background);
    TextManager::get().drawTexts({labelId}, target);
}
