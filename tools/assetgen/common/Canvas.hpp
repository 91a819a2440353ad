#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

// A colour with float channels in 0..1, so shading and blending do not band.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
    static Rgba from(int r, int g, int b, int a = 255) { return {r / 255.f, g / 255.f, b / 255.f, a / 255.f}; }
    Rgba scaled(float k) const { return {r * k, g * k, b * k, a}; }
    Rgba withAlpha(float alpha) const { return {r, g, b, alpha}; }
    sf::Color toColor() const;
};

Rgba mix(const Rgba& x, const Rgba& y, float t);
float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);

// A picture being drawn by the generator. Coordinates are pixels; all operations clip.
class Canvas {
public:
    Canvas(unsigned width, unsigned height, Rgba fill = {0, 0, 0, 0});

    unsigned width() const { return width_; }
    unsigned height() const { return height_; }

    Rgba get(int x, int y) const;
    void set(int x, int y, const Rgba& c);
    // Source-over blend of `c` (its alpha times `coverage`).
    void blend(int x, int y, const Rgba& c, float coverage = 1.f);

    void fillRect(int x, int y, int w, int h, const Rgba& c);
    void blendRect(int x, int y, int w, int h, const Rgba& c);
    void outlineRect(int x, int y, int w, int h, const Rgba& c);
    // A raised (or sunken) metal edge: light on top/left, dark on bottom/right, `thickness` pixels.
    void bevel(int x, int y, int w, int h, const Rgba& light, const Rgba& dark, int thickness = 1);
    void verticalGradient(int x, int y, int w, int h, const Rgba& top, const Rgba& bottom);
    // Anti-aliased filled disc and ring.
    void fillCircle(float cx, float cy, float radius, const Rgba& c);
    void ring(float cx, float cy, float radius, float thickness, const Rgba& c);
    // Anti-aliased line of the given width.
    void line(float x0, float y0, float x1, float y1, float width, const Rgba& c);
    // Pixel-exact line (Bresenham), for crisp one-pixel art.
    void pixelLine(int x0, int y0, int x1, int y1, const Rgba& c);
    // Copies `source` with source-over blending at (x, y).
    void draw(const Canvas& source, int x, int y);

    sf::Image toImage() const;
    // Writes a PNG, creating folders; throws std::runtime_error on failure.
    void save(const std::string& path) const;

private:
    unsigned width_;
    unsigned height_;
    std::vector<Rgba> pixels_;
};

// Deterministic noise for textures; the same seed always gives the same picture.
class Noise {
public:
    explicit Noise(std::uint32_t seed);
    // Smooth value noise in 0..1.
    float value(float x, float y) const;
    // Fractal sum of `octaves` layers in 0..1.
    float fractal(float x, float y, int octaves, float persistence = 0.5f) const;
    // 3D value noise in 0..1, for textures wrapped on spheres.
    float value3(float x, float y, float z) const;
    float fractal3(float x, float y, float z, int octaves, float persistence = 0.5f) const;
    // Integer hash to 0..1, for scattering stars and specks.
    static float hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

private:
    std::uint32_t seed_;
};

} // namespace gen
