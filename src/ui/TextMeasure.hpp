#pragma once

#include <SFML/Config.hpp>

#include <string>

namespace sf {
class Font;
}

// Measures a line of text exactly as sf::Text reports its global width (regular style, no
// outline, no transform), but one character at a time: appending a character costs a glyph
// lookup instead of rebuilding the whole text. Strings are read as UTF-8 the way labels are
// (Utf8), so the result matches what a label built from the same string shows; a range
// handed to append should begin and end between whole characters.
class TextMeasure {
public:
    TextMeasure(const sf::Font& font, unsigned characterSize);

    void reset();
    void append(char32_t character);
    void append(const std::string& text, std::size_t from, std::size_t count);
    // Width of everything appended since the last reset (0 for nothing).
    float width() const;

    // Width of a whole string, for callers that measure once.
    float measure(const std::string& text);

private:
    const sf::Font& font_;
    unsigned size_;
    float whitespaceWidth_;
    float x_ = 0.f;
    float minX_ = 0.f;
    float maxX_ = 0.f;
    sf::Uint32 previous_ = 0;
    std::size_t count_ = 0;
};
