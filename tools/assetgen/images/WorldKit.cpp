#include "images/WorldKit.hpp"

#include <algorithm>
#include <cmath>

namespace gen::world {

namespace {

const int bayerMatrix8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
};

int wrapIndex(int v, int n)
{
    int r = v % n;
    return r < 0 ? r + n : r;
}

} // namespace

float bayer4(int x, int y)
{
    return static_cast<float>(bayerMatrix8[wrapIndex(y, 4) * 2][wrapIndex(x, 4) * 2] / 4) / 16.f + 1.f / 32.f;
}

float bayer8(int x, int y)
{
    return (static_cast<float>(bayerMatrix8[wrapIndex(y, 8)][wrapIndex(x, 8)]) + 0.5f) / 64.f;
}

float ditherLevel(float v, int levels, int x, int y)
{
    if (levels < 2)
        return clamp01(v);
    float scaled = clamp01(v) * static_cast<float>(levels - 1);
    float base = std::floor(scaled);
    float step = (scaled - base) > bayer4(x, y) ? base + 1 : base;
    return std::min(step, static_cast<float>(levels - 1)) / static_cast<float>(levels - 1);
}

Rgba rampColor(const std::vector<Rgba>& ramp, float t, int x, int y)
{
    if (ramp.empty())
        return {};
    int n = static_cast<int>(ramp.size());
    float level = ditherLevel(t, n, x, y);
    int index = static_cast<int>(std::lround(level * static_cast<float>(n - 1)));
    return ramp[static_cast<std::size_t>(std::clamp(index, 0, n - 1))];
}

float periodicNoise(float x, float y, int period, std::uint32_t seed)
{
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto at = [&](int i, int j) {
        return Noise::hash(static_cast<std::uint32_t>(wrapIndex(i, period)), static_cast<std::uint32_t>(wrapIndex(j, period)), seed);
    };
    float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float periodicFractal(float x, float y, int period, int octaves, std::uint32_t seed, float persistence)
{
    float sum = 0, amplitude = 1, total = 0;
    int frequency = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += periodicNoise(x * static_cast<float>(frequency), y * static_cast<float>(frequency), period * frequency,
                   seed + static_cast<std::uint32_t>(o) * 7919u)
            * amplitude;
        total += amplitude;
        amplitude *= persistence;
        frequency *= 2;
    }
    return total > 0 ? sum / total : 0.f;
}

Rgba band(float v, float top, float bottom, const Rgba& light, const Rgba& mid, const Rgba& dark)
{
    float t = (v - top) / (bottom - top);
    if (t < 0.3f)
        return light;
    if (t < 0.72f)
        return mid;
    return dark;
}

bool insidePolygon(const std::vector<sf::Vector2f>& points, float x, float y)
{
    bool inside = false;
    std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const sf::Vector2f& a = points[i];
        const sf::Vector2f& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

void fillPolygon(Canvas& canvas, const std::vector<sf::Vector2f>& points, const Rgba& color)
{
    if (points.size() < 3)
        return;
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const auto& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
        for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x)
            if (insidePolygon(points, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f))
                canvas.blend(x, y, color);
}

void crispLine(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Rgba& color)
{
    float half = width / 2;
    int minX = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
    int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
    int minY = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
    int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
    float dx = x1 - x0, dy = y1 - y0;
    float length2 = dx * dx + dy * dy;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            float px = static_cast<float>(x) + 0.5f - x0, py = static_cast<float>(y) + 0.5f - y0;
            float t = length2 > 0 ? clamp01((px * dx + py * dy) / length2) : 0.f;
            if (std::hypot(px - t * dx, py - t * dy) <= half)
                canvas.blend(x, y, color);
        }
}

void crispDisc(Canvas& canvas, float cx, float cy, float radius, const Rgba& color)
{
    for (int y = static_cast<int>(std::floor(cy - radius)); y <= static_cast<int>(std::ceil(cy + radius)); ++y)
        for (int x = static_cast<int>(std::floor(cx - radius)); x <= static_cast<int>(std::ceil(cx + radius)); ++x)
            if (std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) <= radius)
                canvas.blend(x, y, color);
}

void outlineOpaque(Canvas& canvas, const Rgba& color, float threshold)
{
    Canvas copy = canvas;
    int w = static_cast<int>(canvas.width()), h = static_cast<int>(canvas.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (copy.get(x, y).a >= threshold)
                continue;
            bool touches = copy.get(x - 1, y).a >= threshold || copy.get(x + 1, y).a >= threshold
                || copy.get(x, y - 1).a >= threshold || copy.get(x, y + 1).a >= threshold;
            if (touches)
                canvas.set(x, y, color);
        }
}

void edgeLight(Canvas& canvas, float lighten, float darken)
{
    Canvas copy = canvas;
    int w = static_cast<int>(canvas.width()), h = static_cast<int>(canvas.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba c = copy.get(x, y);
            if (c.a < 0.5f)
                continue;
            bool lit = copy.get(x - 1, y).a < 0.5f || copy.get(x, y - 1).a < 0.5f;
            bool shaded = copy.get(x + 1, y).a < 0.5f || copy.get(x, y + 1).a < 0.5f;
            if (lit && !shaded)
                canvas.set(x, y, mix(c, Rgba{1, 1, 1, c.a}, lighten));
            else if (shaded && !lit)
                canvas.set(x, y, mix(c, Rgba{0, 0, 0, c.a}, darken));
        }
}

void drawStar(Canvas& canvas, int x, int y, float brightness, const Rgba& tint, bool wrap)
{
    int w = static_cast<int>(canvas.width()), h = static_cast<int>(canvas.height());
    auto put = [&](int px, int py, float k) {
        if (wrap) {
            px = wrapIndex(px, w);
            py = wrapIndex(py, h);
        }
        canvas.blend(px, py, tint.withAlpha(clamp01(k)));
    };
    put(x, y, brightness);
    if (brightness > 0.75f) {
        float arm = (brightness - 0.6f) * 1.6f;
        put(x - 1, y, arm);
        put(x + 1, y, arm);
        put(x, y - 1, arm);
        put(x, y + 1, arm);
    }
    if (brightness > 0.95f) {
        put(x - 2, y, 0.35f);
        put(x + 2, y, 0.35f);
        put(x, y - 2, 0.35f);
        put(x, y + 2, 0.35f);
    }
}

void scatterStars(Canvas& canvas, Dice& dice, int count, int margin, bool wrap, float brightest)
{
    int w = static_cast<int>(canvas.width()), h = static_cast<int>(canvas.height());
    const Rgba tints[] = {Rgba::from(255, 255, 255), Rgba::from(190, 210, 255), Rgba::from(255, 230, 190),
        Rgba::from(170, 190, 255), Rgba::from(255, 200, 170)};
    for (int i = 0; i < count; ++i) {
        int x = margin + dice.below(std::max(1, w - 2 * margin));
        int y = margin + dice.below(std::max(1, h - 2 * margin));
        float r = dice.unit();
        // Most stars are faint; a few are bright enough to get arms.
        float brightness = 0.18f + 0.55f * r * r * r * r + (dice.unit() < 0.04f ? 0.4f : 0.f);
        brightness = std::min(brightness, brightest);
        drawStar(canvas, x, y, brightness, tints[dice.below(5)], wrap);
    }
}

} // namespace gen::world
