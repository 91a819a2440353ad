#include "ui/RichText.hpp"

#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace sfe {

namespace {

float wholeLineSpacing(const sf::Text& text)
{
    const sf::Font* font = text.getFont();
    return font ? std::floor(font->getLineSpacing(text.getCharacterSize())) : 0.f;
}

int brightness(const sf::Color& color)
{
    return (2 * color.r + 3 * color.g + color.b) / 6;
}

} // namespace

void RichText::Line::place(sf::Text& text)
{
    const float outline = std::max(text.getOutlineThickness(), 0.f);
    text.setPosition(pen_ + outline, 0.f);
    bounds_.height = std::max(bounds_.height, wholeLineSpacing(text));
    const float advance = text.findCharacterPos(text.getString().getSize()).x - text.getPosition().x;
    pen_ += outline + advance + outline;
    const sf::FloatRect ink = text.getGlobalBounds();
    bounds_.width = std::max({bounds_.width, pen_, ink.left + ink.width});
}

void RichText::Line::appendText(sf::Text text)
{
    place(text);
    texts_.push_back(std::move(text));
}

void RichText::Line::relayout()
{
    bounds_ = sf::FloatRect();
    pen_ = 0.f;
    for (sf::Text& text : texts_)
        place(text);
}

void RichText::Line::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform *= getTransform();
    for (const sf::Text& text : texts_)
        target.draw(text, states);
}

RichText& RichText::operator<<(const sf::Color& color)
{
    currentColor_ = color;
    return *this;
}

RichText& RichText::operator<<(sf::Text::Style style)
{
    currentStyle_ = style;
    return *this;
}

RichText& RichText::operator<<(const sf::String& string)
{
    if (string.isEmpty())
        return *this;

    // Pieces between newlines; a trailing newline leaves a final empty piece.
    std::vector<sf::String> pieces(1);
    for (sf::Uint32 c : string) {
        if (c == '\n')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }

    if (lines_.empty())
        lines_.emplace_back();
    Line& last = lines_.back();
    bounds_.height -= last.getGlobalBounds().height;
    last.appendText(makeSegment(pieces.front()));
    bounds_.height += last.getGlobalBounds().height;
    bounds_.width = std::max(bounds_.width, last.getGlobalBounds().width);

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        Line line;
        line.setPosition(0.f, bounds_.height);
        line.appendText(makeSegment(pieces[i]));
        bounds_.height += line.getGlobalBounds().height;
        bounds_.width = std::max(bounds_.width, line.getGlobalBounds().width);
        lines_.push_back(std::move(line));
    }
    return *this;
}

RichText& RichText::operator<<(const std::string& utf8)
{
    return *this << Utf8::toLabel(utf8);
}

RichText& RichText::operator<<(const char* utf8)
{
    return *this << Utf8::toLabel(utf8);
}

sf::Text RichText::makeSegment(const sf::String& string) const
{
    sf::Text text;
    text.setString(string);
    text.setFillColor(currentColor_);
    text.setStyle(currentStyle_);
    text.setCharacterSize(characterSize_);
    text.setOutlineThickness(outlineThickness_);
    if (font_)
        text.setFont(*font_);
    return text;
}

void RichText::setCharacterSize(unsigned size)
{
    if (size == characterSize_)
        return;
    characterSize_ = size;
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts())
            text.setCharacterSize(size);
    relayout();
}

void RichText::setFont(const sf::Font& font)
{
    if (font_ == &font)
        return;
    font_ = &font;
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts())
            text.setFont(font);
    relayout();
}

void RichText::setOutlineThickness(float thickness)
{
    if (thickness == outlineThickness_)
        return;
    outlineThickness_ = thickness;
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts())
            text.setOutlineThickness(thickness);
    relayout();
}

void RichText::replaceColor(const sf::Color& from, const sf::Color& to)
{
    currentColor_ = to;
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts())
            if (text.getFillColor() == from)
                text.setFillColor(to);
}

void RichText::setOutlineForColor(float thickness, const sf::Color& fill, const sf::Color& outline)
{
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts())
            if (text.getFillColor() == fill) {
                text.setOutlineColor(outline);
                text.setOutlineThickness(thickness);
            }
    relayout();
}

void RichText::applyContrastOutline(const sf::Color& base, const sf::Color& outline, int threshold, float thickness)
{
    for (Line& line : lines_)
        for (sf::Text& text : line.getTexts()) {
            const sf::Color fill = text.getFillColor();
            if (fill == base)
                continue;
            const int light = brightness(fill);
            const bool outlined = threshold >= 0 ? light < threshold : light > threshold + 255;
            if (outlined) {
                text.setOutlineColor(outline);
                text.setOutlineThickness(thickness);
            } else {
                text.setOutlineThickness(0.f);
            }
        }
    relayout();
}

void RichText::clear()
{
    lines_.clear();
    bounds_ = sf::FloatRect();
}

void RichText::relayout()
{
    bounds_ = sf::FloatRect();
    for (Line& line : lines_) {
        line.relayout();
        line.setPosition(0.f, bounds_.height);
        bounds_.height += line.getGlobalBounds().height;
        bounds_.width = std::max(bounds_.width, line.getGlobalBounds().width);
    }
}

void RichText::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform *= getTransform();
    for (const Line& line : lines_)
        target.draw(line, states);
}

} // namespace sfe
