#pragma once

#include "common/Canvas.hpp"

#include <string>

namespace gen {

// The generator's own bitmap lettering for labels drawn into pictures. Two faces: a 5 x 7
// face for button labels and titles, and a 3 x 5 face for the smallest tags. Every glyph
// is whole pixels, so labels stay crisp at 1:1 and at any integer scale. Lower-case input
// is drawn in capitals; unknown characters draw as a blank of the same advance.
class PixelFont {
public:
    enum class Face { Regular, Tiny };

    explicit PixelFont(Face face = Face::Regular);

    int glyphWidth() const;
    int glyphHeight() const;
    // Horizontal advance of one character in unscaled pixels, spacing included.
    int advance(char c) const;
    // Width in pixels of `text` drawn at `scale` (one pixel of spacing between glyphs).
    int measure(const std::string& text, int scale = 1) const;
    // Draws `text` with its top-left corner at (x, y); each glyph pixel becomes a
    // scale x scale block.
    void draw(Canvas& canvas, int x, int y, const std::string& text, const Rgba& colour, int scale = 1) const;
    // Draws `text` centred horizontally in [x, x + width) with a one-pixel drop shadow
    // towards the lower right, the way engraved labels catch the light from the upper left.
    void drawCentred(Canvas& canvas, int x, int width, int y, const std::string& text, const Rgba& colour,
        const Rgba& shadow, int scale = 1) const;
    // True when glyph pixel (column, row) of `c` is set.
    bool pixel(char c, int column, int row) const;

private:
    Face face_;
};

} // namespace gen
