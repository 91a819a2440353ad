#include "common/Canvas.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace gen {

float clamp01(float v)
{
    return std::min(1.f, std::max(0.f, v));
}

float smoothstep(float edge0, float edge1, float x)
{
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

sf::Color Rgba::toColor() const
{
    auto channel = [](float v) { return static_cast<sf::Uint8>(std::lround(clamp01(v) * 255.f)); };
    return sf::Color(channel(r), channel(g), channel(b), channel(a));
}

Rgba mix(const Rgba& x, const Rgba& y, float t)
{
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Canvas::Canvas(unsigned width, unsigned height, Rgba fill)
    : width_(width)
    , height_(height)
    , pixels_(static_cast<std::size_t>(width) * height, fill)
{
}

Rgba Canvas::get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= static_cast<int>(width_) || y >= static_cast<int>(height_))
        return {0, 0, 0, 0};
    return pixels_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)];
}

void Canvas::set(int x, int y, const Rgba& c)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(width_) || y >= static_cast<int>(height_))
        return;
    pixels_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)] = c;
}

void Canvas::blend(int x, int y, const Rgba& c, float coverage)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(width_) || y >= static_cast<int>(height_))
        return;
    Rgba& d = pixels_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)];
    float a = clamp01(c.a * coverage);
    float outA = a + d.a * (1 - a);
    if (outA <= 0) {
        d = {0, 0, 0, 0};
        return;
    }
    d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
    d.a = outA;
}

void Canvas::fillRect(int x, int y, int w, int h, const Rgba& c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Canvas::blendRect(int x, int y, int w, int h, const Rgba& c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            blend(i, j, c);
}

void Canvas::outlineRect(int x, int y, int w, int h, const Rgba& c)
{
    fillRect(x, y, w, 1, c);
    fillRect(x, y + h - 1, w, 1, c);
    fillRect(x, y, 1, h, c);
    fillRect(x + w - 1, y, 1, h, c);
}

void Canvas::bevel(int x, int y, int w, int h, const Rgba& light, const Rgba& dark, int thickness)
{
    for (int t = 0; t < thickness; ++t) {
        fillRect(x + t, y + t, w - 2 * t, 1, light);
        fillRect(x + t, y + t, 1, h - 2 * t, light);
        fillRect(x + t, y + h - 1 - t, w - 2 * t, 1, dark);
        fillRect(x + w - 1 - t, y + t, 1, h - 2 * t, dark);
    }
}

void Canvas::verticalGradient(int x, int y, int w, int h, const Rgba& top, const Rgba& bottom)
{
    for (int j = 0; j < h; ++j) {
        Rgba c = mix(top, bottom, h > 1 ? static_cast<float>(j) / static_cast<float>(h - 1) : 0.f);
        fillRect(x, y + j, w, 1, c);
    }
}

void Canvas::fillCircle(float cx, float cy, float radius, const Rgba& c)
{
    int x0 = static_cast<int>(std::floor(cx - radius - 1)), x1 = static_cast<int>(std::ceil(cx + radius + 1));
    int y0 = static_cast<int>(std::floor(cy - radius - 1)), y1 = static_cast<int>(std::ceil(cy + radius + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            float coverage = clamp01(radius - d + 0.5f);
            if (coverage > 0)
                blend(x, y, c, coverage);
        }
}

void Canvas::ring(float cx, float cy, float radius, float thickness, const Rgba& c)
{
    int x0 = static_cast<int>(std::floor(cx - radius - thickness - 1)), x1 = static_cast<int>(std::ceil(cx + radius + thickness + 1));
    int y0 = static_cast<int>(std::floor(cy - radius - thickness - 1)), y1 = static_cast<int>(std::ceil(cy + radius + thickness + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
            float coverage = clamp01(thickness / 2 - d + 0.5f);
            if (coverage > 0)
                blend(x, y, c, coverage);
        }
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, const Rgba& c)
{
    float minX = std::min(x0, x1) - width - 1, maxX = std::max(x0, x1) + width + 1;
    float minY = std::min(y0, y1) - width - 1, maxY = std::max(y0, y1) + width + 1;
    float dx = x1 - x0, dy = y1 - y0;
    float length2 = dx * dx + dy * dy;
    for (int y = static_cast<int>(minY); y <= static_cast<int>(maxY); ++y)
        for (int x = static_cast<int>(minX); x <= static_cast<int>(maxX); ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = length2 > 0 ? clamp01((px * dx + py * dy) / length2) : 0.f;
            float d = std::hypot(px - t * dx, py - t * dy);
            float coverage = clamp01(width / 2 - d + 0.5f);
            if (coverage > 0)
                blend(x, y, c, coverage);
        }
}

void Canvas::pixelLine(int x0, int y0, int x1, int y1, const Rgba& c)
{
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        blend(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::draw(const Canvas& source, int x, int y)
{
    for (unsigned j = 0; j < source.height(); ++j)
        for (unsigned i = 0; i < source.width(); ++i)
            blend(x + static_cast<int>(i), y + static_cast<int>(j), source.get(static_cast<int>(i), static_cast<int>(j)));
}

sf::Image Canvas::toImage() const
{
    sf::Image image;
    image.create(width_, height_);
    for (unsigned y = 0; y < height_; ++y)
        for (unsigned x = 0; x < width_; ++x)
            image.setPixel(x, y, pixels_[static_cast<std::size_t>(y) * width_ + x].toColor());
    return image;
}

void Canvas::save(const std::string& path) const
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!toImage().saveToFile(path))
        throw std::runtime_error("could not write " + path);
}

Noise::Noise(std::uint32_t seed)
    : seed_(seed)
{
}

float Noise::hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / static_cast<float>(0xffffff);
}

float Noise::value(float x, float y) const
{
    float fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<std::uint32_t>(static_cast<std::int32_t>(fx));
    auto iy = static_cast<std::uint32_t>(static_cast<std::int32_t>(fy));
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float a = hash(ix, iy, seed_), b = hash(ix + 1, iy, seed_);
    float c = hash(ix, iy + 1, seed_), d = hash(ix + 1, iy + 1, seed_);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Noise::fractal(float x, float y, int octaves, float persistence) const
{
    float sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += value(x * frequency + o * 17.3f, y * frequency + o * 9.1f) * amplitude;
        total += amplitude;
        amplitude *= persistence;
        frequency *= 2;
    }
    return total > 0 ? sum / total : 0.f;
}

float Noise::value3(float x, float y, float z) const
{
    float fz = std::floor(z);
    auto iz = static_cast<std::uint32_t>(static_cast<std::int32_t>(fz));
    float tz = z - fz;
    tz = tz * tz * (3 - 2 * tz);
    Noise lower(seed_ ^ (iz * 2654435761u)), upper(seed_ ^ ((iz + 1) * 2654435761u));
    float a = lower.value(x, y), b = upper.value(x, y);
    return a + (b - a) * tz;
}

float Noise::fractal3(float x, float y, float z, int octaves, float persistence) const
{
    float sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += value3(x * frequency + o * 17.3f, y * frequency + o * 9.1f, z * frequency + o * 5.7f) * amplitude;
        total += amplitude;
        amplitude *= persistence;
        frequency *= 2;
    }
    return total > 0 ? sum / total : 0.f;
}

} // namespace gen
