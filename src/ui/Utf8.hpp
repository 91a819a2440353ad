#pragma once

#include <SFML/System/String.hpp>

#include <cstddef>
#include <string>
#include <string_view>

// The game's strings are UTF-8 (files, scripts, mods, names the player types); SFML's own
// std::string conversion reads bytes through the C locale, which the game never sets, so
// every label is made from a string through toLabel. Measuring and wrapping step through
// text with next, so they see the same characters the label shows.
//
// A byte that does not start a well-formed sequence (a stray continuation byte, a sequence
// cut short, an overlong form, a surrogate, a value past U+10FFFF) reads as one U+FFFD on
// its own; the bytes after it are read afresh. ASCII bytes are therefore always characters
// of their own, and a line break never hides inside a sequence.
class Utf8 {
public:
    static constexpr char32_t replacement = 0xFFFD;

    // The character starting at `index`, which moves past it. `index` must be inside `text`.
    static char32_t next(std::string_view text, std::size_t& index);
    // The label text for a UTF-8 string.
    static sf::String toLabel(std::string_view text);
    // The UTF-8 form of a label's text (what the player typed, for saving).
    static std::string fromLabel(const sf::String& label);
};
