#pragma once

#include "common/Canvas.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <random>
#include <vector>

namespace gen::world {

// Shared palette of the world pictures: space, metal and the two interface colours.
namespace palette {
inline const Rgba spaceBlack = Rgba::from(4, 5, 12);
inline const Rgba spaceNavy = Rgba::from(10, 14, 32);
inline const Rgba spaceDeep = Rgba::from(17, 23, 52);
inline const Rgba spaceHaze = Rgba::from(28, 36, 78);
inline const Rgba spaceViolet = Rgba::from(36, 26, 70);
inline const Rgba outline = Rgba::from(5, 6, 14);
inline const Rgba metalLight = Rgba::from(176, 184, 196);
inline const Rgba metal = Rgba::from(118, 126, 142);
inline const Rgba metalDark = Rgba::from(70, 76, 94);
inline const Rgba metalShadow = Rgba::from(40, 44, 60);
inline const Rgba amber = Rgba::from(185, 128, 0);
inline const Rgba amberBright = Rgba::from(255, 196, 80);
inline const Rgba green = Rgba::from(0, 255, 0);
inline const Rgba greenDim = Rgba::from(0, 110, 40);
} // namespace palette

// Ordered-dither thresholds in [0, 1) for the pixel (x, y).
float bayer4(int x, int y);
float bayer8(int x, int y);
// Quantises v in 0..1 to `levels` steps, dithering between neighbouring steps.
float ditherLevel(float v, int levels, int x, int y);
// Picks one colour of `ramp` for t in 0..1, dithering between neighbouring entries.
Rgba rampColor(const std::vector<Rgba>& ramp, float t, int x, int y);

// Value noise that repeats every `period` units in x and y, for pictures that must tile.
float periodicNoise(float x, float y, int period, std::uint32_t seed);
float periodicFractal(float x, float y, int period, int octaves, std::uint32_t seed, float persistence = 0.5f);

// A seeded random stream whose numbers are the same on every machine (no std distributions).
class Dice {
public:
    explicit Dice(std::uint32_t seed)
        : engine_(seed)
    {
    }
    float unit() { return static_cast<float>(engine_() >> 8) / static_cast<float>(1u << 24); }
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return n > 0 ? static_cast<int>(engine_() % static_cast<std::uint32_t>(n)) : 0; }

private:
    std::mt19937 engine_;
};

// Cylinder-like banding across a part from `top` to `bottom`: light, mid, then dark tone.
Rgba band(float v, float top, float bottom, const Rgba& light, const Rgba& mid, const Rgba& dark);

// Hard-edged shapes: a pixel is covered when its centre lies inside. Keeps pixel art crisp.
bool insidePolygon(const std::vector<sf::Vector2f>& points, float x, float y);
void fillPolygon(Canvas& canvas, const std::vector<sf::Vector2f>& points, const Rgba& color);
void crispLine(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Rgba& color);
void crispDisc(Canvas& canvas, float cx, float cy, float radius, const Rgba& color);

// Draws a 1-pixel outline of `color` around every pixel whose alpha is at least `threshold`.
void outlineOpaque(Canvas& canvas, const Rgba& color, float threshold = 0.5f);
// Light from the upper left: lightens opaque pixels whose upper or left neighbour is empty and
// darkens those whose lower or right neighbour is empty.
void edgeLight(Canvas& canvas, float lighten, float darken);

// One star: a dot, a small plus or a cross with glints, by brightness. `wrap` repeats it across
// the picture's edges (for tiling pictures).
void drawStar(Canvas& canvas, int x, int y, float brightness, const Rgba& tint, bool wrap);
// Scatters `count` stars with mostly faint ones; `margin` keeps them off the edges.
void scatterStars(Canvas& canvas, Dice& dice, int count, int margin, bool wrap, float brightest = 1.f);

} // namespace gen::world
