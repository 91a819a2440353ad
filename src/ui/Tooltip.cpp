#include "ui/Tooltip.hpp"

#include "ui/TextManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

Tooltip::Tooltip()
    : textId(TextManager::get().addText(0, 0, "", -1.f))
    , textSize(static_cast<int>(UiHost::get().defaultTextSize()))
{
    box.setSize(sf::Vector2f(0.f, 0.f));
}

Tooltip::~Tooltip()
{
    if (TextManager::exists())
        TextManager::get().removeText(textId);
}

void Tooltip::setText(const std::string& text)
{
    TextManager& texts = TextManager::get();
    sf::Text& label = texts.getText(textId);
    label.setString(Utf8::toLabel(text));
    const float scale = texts.getScale();
    const sf::FloatRect bounds = label.getGlobalBounds();
    // The margins are added to the largest text seen, not to the box itself: re-setting the
    // same text (every pointer move) must not grow the box by the margins each time.
    contentWidth = std::max(contentWidth, bounds.width / scale);
    contentHeight = std::max(contentHeight, bounds.height / scale);
    box.setSize(sf::Vector2f(margin * 2.f + contentWidth, margin + contentHeight));
}

void Tooltip::follow(float x, float y)
{
    if (x == -1.f || y == -1.f) {
        visible = false;
        return;
    }
    visible = true;
    const sf::Vector2f size = box.getSize();
    float left = x - size.x / 2.f;
    if (left < 0.f)
        left = x;
    else if (left + size.x > 640.f)
        left = x - size.x;
    float top = y - size.y - offsetY;
    if (top < 0.f)
        top = 2.f;
    box.setPosition(left, top);
    TextManager::get().setTextPosition(textId, static_cast<int>(left + margin), static_cast<int>(top));
}

void Tooltip::draw(sf::RenderTarget& target)
{
    if (!visible)
        return;
    target.draw(box);
    TextManager::get().drawTexts({textId}, target);
}
