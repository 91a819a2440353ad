#pragma once

#include <SFML/Config.hpp>

#include <array>
#include <string>

namespace sf {
class Font;
}

// Measures a line of text exactly as sf::Text reports its global width (regular style, no
// outline, no transform), but one character at a time: appending a character costs a glyph
// lookup instead of rebuilding the whole text. Bytes are read the way sf::String reads a
// std::string, so the result matches what a label built from the same string shows.
class TextMeasure {
public:
    TextMeasure(const sf::Font& font, unsigned characterSize);

    void reset();
    void append(char byte);
    void append(const std::string& text, std::size_t from, std::size_t count);
    // Width of everything appended since the last reset (0 for nothing).
    float width() const;

    // Width of a whole string, for callers that measure once.
    float measure(const std::string& text);

private:
    const sf::Font& font_;
    unsigned size_;
    float whitespaceWidth_;
    std::array<sf::Uint32, 256> codePoints_{};
    float x_ = 0.f;
    float minX_ = 0.f;
    float maxX_ = 0.f;
    sf::Uint32 previous_ = 0;
    std::size_t count_ = 0;
};
