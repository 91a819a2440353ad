#include "crew/CardLabel.hpp"

#include "ui/TextManager.hpp"
#include "ui/Utf8.hpp"

#include <utility>

CardLabel::CardLabel(CardLabel&& other) noexcept
    : id_(std::exchange(other.id_, -1))
    , shownText_(std::move(other.shownText_))
    , shownColour_(other.shownColour_)
    , x_(other.x_)
    , y_(other.y_)
{
}

CardLabel& CardLabel::operator=(CardLabel&& other) noexcept
{
    if (this != &other) {
        release();
        id_ = std::exchange(other.id_, -1);
        shownText_ = std::move(other.shownText_);
        shownColour_ = other.shownColour_;
        x_ = other.x_;
        y_ = other.y_;
    }
    return *this;
}

CardLabel::~CardLabel()
{
    release();
}

void CardLabel::release()
{
    // At shutdown the text manager may already be gone, and its texts with it.
    if (id_ >= 0 && TextManager::exists())
        TextManager::get().removeText(id_);
    id_ = -1;
}

void CardLabel::show(const std::string& text, const sf::Color& colour, int x, int y)
{
    TextManager& texts = TextManager::get();
    bool fresh = id_ < 0 || !texts.hasText(id_);
    if (fresh) {
        id_ = texts.addText(x, y, "");
        x_ = x;
        y_ = y;
    }
    if (fresh || text != shownText_) {
        texts.getText(id_).setString(Utf8::toLabel(text));
        shownText_ = text;
    }
    if (fresh || colour != shownColour_) {
        texts.getText(id_).setFillColor(colour);
        shownColour_ = colour;
    }
    if (x != x_ || y != y_) {
        texts.setTextPosition(id_, x, y);
        x_ = x;
        y_ = y;
    }
}
