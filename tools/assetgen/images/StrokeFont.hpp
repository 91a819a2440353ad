#pragma once

#include "common/Canvas.hpp"

#include <string>

namespace gen::world {

// Vector-display lettering for titles and captions painted into world pictures: capitals,
// digits and a few marks drawn as hard-edged strokes on a 4 x 6 grid, so they scale to any size.
class StrokeFont {
public:
    // Width in pixels of `text` at the given letter height.
    static float width(const std::string& text, float height);
    // Draws `text` with its top-left corner at (x, y); unknown characters are left blank.
    static void draw(Canvas& canvas, const std::string& text, float x, float y, float height, float stroke, const Rgba& color);
    // Centred on `centreX`, with a dark halo one stroke wider so it reads over any picture.
    static void drawCentred(Canvas& canvas, const std::string& text, float centreX, float y, float height, float stroke,
        const Rgba& color, const Rgba& halo);
};

} // namespace gen::world
