#include "ui/TextMeasure.hpp"

#include "ui/Utf8.hpp"

#include <SFML/Graphics/Font.hpp>

#include <algorithm>
#include <cmath>

TextMeasure::TextMeasure(const sf::Font& font, unsigned characterSize)
    : font_(font)
    , size_(characterSize)
    , whitespaceWidth_(font.getGlyph(L' ', characterSize, false).advance)
{
    reset();
}

void TextMeasure::reset()
{
    x_ = 0.f;
    minX_ = static_cast<float>(size_);
    maxX_ = 0.f;
    previous_ = 0;
    count_ = 0;
}

// The same steps, in the same order and precision, as sf::Text's geometry update.
void TextMeasure::append(char32_t character)
{
    const sf::Uint32 c = static_cast<sf::Uint32>(character);
    ++count_;
    if (c == '\r')
        return;
    x_ += font_.getKerning(previous_, c, size_);
    previous_ = c;
    if (c == ' ' || c == '\n' || c == '\t') {
        minX_ = std::min(minX_, x_);
        if (c == ' ')
            x_ += whitespaceWidth_;
        else if (c == '\t')
            x_ += whitespaceWidth_ * 4;
        else
            x_ = 0.f;
        maxX_ = std::max(maxX_, x_);
        return;
    }
    const sf::Glyph& glyph = font_.getGlyph(c, size_, false);
    const float left = glyph.bounds.left;
    const float right = glyph.bounds.left + glyph.bounds.width;
    minX_ = std::min(minX_, x_ + left);
    maxX_ = std::max(maxX_, x_ + right);
    x_ += glyph.advance;
}

float TextMeasure::width() const
{
    // Like a global bounds rectangle, never negative (a lone '\r' leaves min above max).
    return count_ == 0 ? 0.f : std::fabs(maxX_ - minX_);
}

void TextMeasure::append(const std::string& text, std::size_t from, std::size_t count)
{
    const std::string_view range(text.data() + from, count);
    for (std::size_t i = 0; i < range.size();)
        append(Utf8::next(range, i));
}

float TextMeasure::measure(const std::string& text)
{
    reset();
    append(text, 0, text.size());
    return width();
}
