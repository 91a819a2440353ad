#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>
#include <vector>

// Text and colour helpers shared by many screens. They keep no state: they read the
// interface scale of the TextManager and the game font and default size of the UI host.

// The one amber of the interface (amber text mode, location lines, asteroid tags, ...).
extern const sf::Color amberColor;

// Breaks `text` into lines that fit `maxWidth` logical units when drawn with the game font
// at `charSize` (-1: the default size): spaces become line breaks, and a word too long for
// a line is cut before the character (a whole UTF-8 sequence) that overflows. Existing
// newlines are kept. With `colourTags`, colour spans ("<c=...>name</c>") are measured by
// their visible text only and never cut. Should the text grow by more than 1000 characters
// (a limit narrower than a character), "Something has probably gone wrong" goes to standard
// output and `text` is returned unchanged.
std::string wrapText(const std::string& text, int maxWidth, int charSize = -1, bool colourTags = true);

// "RRGGBB" without '#'; each pair is read up to its first non-hex digit (none: 0). Fewer
// than four characters is logged and gives red.
sf::Color parseHexColor(const std::string& text);

// A stable colour for a name: an entry of `colourList` picked from the name's base64 form,
// or, when the list is empty, one derived from the name's FNV-1a hash.
sf::Color fallbackColor(const std::string& name, const std::vector<sf::Color>& colourList);

// Gives the TextManager text `textId` a light outline when `colour` (its fill) is too dark
// to read, and a transparent one otherwise.
void setContrastOutline(int textId, const sf::Color& colour);
