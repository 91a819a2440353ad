#pragma once

#include "ui/RichText.hpp"

#include <SFML/Graphics/Color.hpp>

#include <string>
#include <vector>

// The colour markup of game strings: "<c=" R "," G "," B ">" text "</c>", with R, G and B
// decimal numbers; spans do not nest and everything outside them is plain text.
//
// How malformed markup reads (never a hang, never a read past the text):
// - "<c=" with no "</c>" after it: the rest of the text, tag included, is plain.
// - a tag whose '>' or second ',' does not come before its "</c>": the whole span, tags
//   included, is plain text, and the scan goes on after the "</c>".
// - a component is read like std::stoi (leading blanks and a sign allowed, digits up to the
//   first other character). No digits at all throws std::invalid_argument("invalid stoi
//   argument"); a value beyond the 32-bit range throws std::out_of_range("stoi argument out
//   of range"). Values inside that range are clamped to 0..255 rather than wrapped, so
//   "<c=300,0,0>" is full red and not dark red.

// One run of text: plain, or coloured by markup.
struct MarkupPart {
    std::string text;
    bool colored = false;
    sf::Color color;
};

// Splits `text` into parts (empty parts are left out). Throws as described above, before
// anything is returned.
std::vector<MarkupPart> parseColorMarkup(const std::string& text);

// One colour component, read as described above (not clamped).
int parseMarkupNumber(const std::string& digits);

// Appends `text` to `richText`: plain parts in `defaultColor`, spans in their colour, then
// gives spans of hard-to-read colours an outline for the mission text mode (2 = light
// background: very bright spans get a dark outline; other modes: very dark spans get a light
// one). Returns the text without markup. On a malformed number it throws before
// `richText` is touched.
std::string appendColorMarkup(sfe::RichText& richText, const std::string& text, const sf::Color& defaultColor,
                              int textMode);
