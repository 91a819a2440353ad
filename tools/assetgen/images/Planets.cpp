// Planets, moons, stations and a derelict for the sector map and the deploy screen. Missions
// name these pictures by file name, so every name here is part of the game's data.
#include "images/Sphere.hpp"
#include "images/WorldFamilies.hpp"
#include "images/WorldKit.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace gen::world {

namespace {

using V3 = std::array<float, 3>;
using namespace palette;

constexpr float pi = 3.14159265f;

Rgba hex(unsigned rgb)
{
    return Rgba::from(static_cast<int>((rgb >> 16) & 255), static_cast<int>((rgb >> 8) & 255), static_cast<int>(rgb & 255));
}

// Samples a fractal on the sphere; points are pushed off the origin so octaves do not line up.
struct Field {
    Noise noise;
    float frequency;
    int octaves;
    float operator()(float x, float y, float z) const
    {
        return noise.fractal3(x * frequency + 31.7f, y * frequency + 17.3f, z * frequency + 5.9f, octaves);
    }
};

float ridged(float n)
{
    return 1.f - std::fabs(2.f * n - 1.f);
}

std::vector<V3> randomDirections(std::uint32_t seed, int count)
{
    Dice dice(seed);
    std::vector<V3> out;
    for (int i = 0; i < count; ++i) {
        float z = dice.range(-1, 1), phi = dice.range(0, 2 * pi);
        float s = std::sqrt(1 - z * z);
        out.push_back({s * std::cos(phi), s * std::sin(phi), z});
    }
    return out;
}

// Craters: darker floors with a bright rim; returns a brightness factor.
struct Craters {
    std::vector<V3> centres;
    std::vector<float> sizes;
    Craters(std::uint32_t seed, int count, float smallest, float largest)
        : centres(randomDirections(seed, count))
    {
        Dice dice(seed ^ 0x9e3779b9u);
        for (int i = 0; i < count; ++i) {
            float r = dice.unit();
            sizes.push_back(smallest + (largest - smallest) * r * r);
        }
    }
    float operator()(float x, float y, float z) const
    {
        float k = 1.f;
        for (std::size_t i = 0; i < centres.size(); ++i) {
            float dot = x * centres[i][0] + y * centres[i][1] + z * centres[i][2];
            float d = std::acos(std::clamp(dot, -1.f, 1.f)) / sizes[i];
            if (d < 0.8f)
                k *= 0.72f;
            else if (d < 1.f)
                k *= 1.22f;
        }
        return k;
    }
};

Rgba scaled(const Rgba& c, float k)
{
    return {c.r * k, c.g * k, c.b * k, c.a};
}

void save(Context& context, const Canvas& canvas, const std::string& name)
{
    context.save(canvas, "mapscreen/planets/" + name);
}

void rockyWorlds(Context& context)
{
    {
        Field ground{Noise(101), 2.2f, 5};
        Craters craters(102, 16, 0.12f, 0.38f);
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            return scaled(mix(hex(0x544a44), hex(0x9c9084), ground(x, y, z)), craters(x, y, z));
        };
        look.spin = 0.4f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 19, look);
        save(context, c, "barren.png");
    }
    {
        Field ground{Noise(111), 2.5f, 5};
        Field maria{Noise(112), 1.4f, 3};
        Craters craters(113, 22, 0.1f, 0.3f);
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            Rgba base = maria(x, y, z) > 0.57f ? hex(0x50525c) : mix(hex(0x7a7c84), hex(0xc2c2c6), ground(x, y, z));
            return scaled(base, craters(x, y, z));
        };
        Canvas c(40, 40);
        drawSphere(c, 20, 20, 13, look);
        save(context, c, "barren_moon.png");
    }
    {
        Field cracks{Noise(121), 2.8f, 4};
        Craters craters(122, 6, 0.12f, 0.25f);
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            Rgba base = ridged(cracks(x, y, z)) > 0.9f ? hex(0x5a80b8) : mix(hex(0xb8d0e8), hex(0xeef6ff), cracks(z, x, y));
            return scaled(base, 0.5f + 0.5f * craters(x, y, z));
        };
        look.ambient = 0.12f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 12, look);
        save(context, c, "icy_moon.png");
    }
    {
        Field ground{Noise(131), 2.f, 5};
        Field canyon{Noise(132), 1.6f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            if (std::fabs(y) > 0.86f + 0.06f * ground(x, y, z))
                return hex(0xf0dcd4);
            if (ridged(canyon(x, y, z)) > 0.93f)
                return hex(0x3c1a12);
            return mix(hex(0x6c2c1a), hex(0xc8683a), ground(x, y, z));
        };
        look.atmosphere = Rgba::from(230, 150, 110).withAlpha(0.35f);
        look.atmosphereWidth = 1.5f;
        look.tilt = 0.3f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 18, look);
        save(context, c, "rocky.png");
    }
    {
        Field warp{Noise(141), 1.8f, 4};
        Field rock{Noise(142), 2.4f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            if (rock(x, y, z) > 0.62f)
                return hex(0x7a5636);
            float dunes = 0.5f + 0.5f * std::sin(y * 16.f + warp(x, y, z) * 9.f);
            return mix(hex(0xc08c50), hex(0xecc890), dunes);
        };
        look.atmosphere = Rgba::from(245, 205, 150).withAlpha(0.45f);
        look.atmosphereWidth = 2.f;
        look.tilt = -0.2f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 19, look);
        save(context, c, "desert.png");
    }
    {
        Field snow{Noise(151), 2.2f, 5};
        Field crevasse{Noise(152), 1.9f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            if (ridged(crevasse(x, y, z)) > 0.91f)
                return hex(0x4c74a8);
            return mix(hex(0xa4c4e6), hex(0xf2f8ff), snow(x, y, z));
        };
        look.atmosphere = Rgba::from(190, 225, 255).withAlpha(0.55f);
        look.atmosphereWidth = 2.f;
        look.ambient = 0.1f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 19, look);
        save(context, c, "ice.png");
    }
    {
        Field crust{Noise(161), 2.4f, 5};
        Field cracks{Noise(162), 1.7f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) { return mix(hex(0x24181a), hex(0x4e3432), crust(x, y, z)); };
        look.glow = [=](float x, float y, float z) {
            float r = ridged(cracks(x, y, z));
            if (r > 0.9f)
                return Rgba::from(255, 190, 60).withAlpha(1.f);
            if (r > 0.82f)
                return Rgba::from(230, 90, 20).withAlpha(0.85f);
            return Rgba{0, 0, 0, 0};
        };
        look.atmosphere = Rgba::from(255, 100, 40).withAlpha(0.45f);
        look.atmosphereWidth = 2.f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 18, look);
        save(context, c, "lava.png");
    }
    {
        Field ash{Noise(171), 2.6f, 5};
        Field vents{Noise(172), 3.5f, 3};
        Craters craters(173, 8, 0.1f, 0.2f);
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            return scaled(mix(hex(0x3a3a40), hex(0x7a7670), ash(x, y, z)), 0.6f + 0.4f * craters(x, y, z));
        };
        look.glow = [=](float x, float y, float z) {
            return vents(x, y, z) > 0.7f ? Rgba::from(255, 120, 40).withAlpha(0.9f) : Rgba{0, 0, 0, 0};
        };
        look.atmosphere = Rgba::from(150, 140, 130).withAlpha(0.35f);
        look.atmosphereWidth = 1.5f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 16, look);
        save(context, c, "ash.png");
    }
    {
        // Crystal world: flat facets that catch the light, glowing faintly where they meet.
        std::vector<V3> facets = randomDirections(181, 46);
        Dice dice(182);
        std::vector<float> tone;
        for (std::size_t i = 0; i < facets.size(); ++i)
            tone.push_back(dice.unit());
        auto nearest = [facets](float x, float y, float z, float& edge) {
            float best = -2, second = -2;
            std::size_t index = 0;
            for (std::size_t i = 0; i < facets.size(); ++i) {
                float d = x * facets[i][0] + y * facets[i][1] + z * facets[i][2];
                if (d > best) {
                    second = best;
                    best = d;
                    index = i;
                } else if (d > second)
                    second = d;
            }
            edge = best - second;
            return index;
        };
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            float edge;
            std::size_t i = nearest(x, y, z, edge);
            return mix(hex(0x4a2a78), hex(0xc8a0f8), tone[i]);
        };
        look.glow = [=](float x, float y, float z) {
            float edge;
            nearest(x, y, z, edge);
            return edge < 0.02f ? Rgba::from(220, 180, 255).withAlpha(0.7f) : Rgba{0, 0, 0, 0};
        };
        look.atmosphere = Rgba::from(190, 140, 255).withAlpha(0.3f);
        look.atmosphereWidth = 1.5f;
        look.shadeLevels = 5;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 17, look);
        save(context, c, "crystal.png");
    }
}

void livingWorlds(Context& context)
{
    {
        Field depth{Noise(201), 2.f, 4};
        Field land{Noise(202), 1.8f, 5};
        Field cloud{Noise(203), 2.6f, 5};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            float c = cloud(x + 0.3f * std::sin(y * 6), y, z);
            if (c > 0.56f)
                return mix(hex(0xc8d8ec), hex(0xffffff), clamp01((c - 0.56f) * 6));
            float l = land(x, y, z);
            if (l > 0.7f)
                return l > 0.74f ? hex(0x3c7a48) : hex(0xd0bc80);
            return mix(hex(0x0e3070), hex(0x2060b0), depth(x, y, z));
        };
        look.atmosphere = Rgba::from(110, 180, 255).withAlpha(0.85f);
        look.atmosphereWidth = 2.5f;
        look.tilt = 0.25f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 20, look);
        save(context, c, "ocean.png");
    }
    {
        // The world the crew hopes for: continents, ice caps, weather and no lights at night.
        Field land{Noise(211), 1.6f, 6};
        Field relief{Noise(212), 3.f, 4};
        Field cloud{Noise(213), 2.3f, 5};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            float c = cloud(x, y * 1.6f, z);
            if (c > 0.58f)
                return mix(hex(0xd8e4f0), hex(0xffffff), clamp01((c - 0.58f) * 6));
            if (std::fabs(y) > 0.84f)
                return hex(0xeef4fa);
            float l = land(x, y, z);
            if (l < 0.5f)
                return mix(hex(0x0c2c68), hex(0x1c58a0), l * 2);
            float r = relief(x, y, z);
            if (r > 0.64f)
                return hex(0x8a7a5c);
            return mix(hex(0x2c6a2c), hex(0x7a9a44), clamp01((l - 0.5f) * 5 * r));
        };
        look.atmosphere = Rgba::from(120, 190, 255).withAlpha(0.85f);
        look.atmosphereWidth = 2.5f;
        look.tilt = -0.35f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 20, look);
        save(context, c, "terran.png");
    }
    {
        Field bands{Noise(221), 1.5f, 4};
        Field murk{Noise(222), 2.8f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            float t = 0.5f + 0.5f * std::sin(y * 9.f + bands(x, y, z) * 5.f);
            Rgba base = mix(hex(0x5a7a1c), hex(0xc0c858), t);
            return murk(x, y, z) > 0.6f ? mix(base, hex(0x304a14), 0.6f) : base;
        };
        look.atmosphere = Rgba::from(170, 255, 70).withAlpha(0.65f);
        look.atmosphereWidth = 2.5f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 19, look);
        save(context, c, "toxic.png");
    }
    {
        Field water{Noise(231), 2.f, 5};
        Field growth{Noise(232), 3.2f, 4};
        Field cloud{Noise(233), 2.f, 4};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            if (cloud(x, y, z) > 0.64f)
                return hex(0xb8c8a0);
            if (water(x, y, z) < 0.42f)
                return hex(0x1a3a40);
            return growth(x, y, z) > 0.58f ? hex(0x6a8a34) : mix(hex(0x24442e), hex(0x3e6236), water(x, y, z));
        };
        look.atmosphere = Rgba::from(160, 210, 130).withAlpha(0.6f);
        look.atmosphereWidth = 2.f;
        look.tilt = 0.15f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 18, look);
        save(context, c, "swamp.png");
    }
}

// Banded giants: latitude bands bent by turbulence, with a storm.
Rgba giantBands(float x, float y, float z, const Field& turbulence, const std::vector<Rgba>& colors, float bandsPerUnit)
{
    float lat = y + 0.09f * (turbulence(x, y, z) - 0.5f);
    float t = 0.5f + 0.5f * std::sin(lat * bandsPerUnit) * std::cos(lat * bandsPerUnit * 0.37f + 1.3f);
    float scaledT = t * static_cast<float>(colors.size() - 1);
    std::size_t i = static_cast<std::size_t>(std::floor(scaledT));
    if (i + 1 >= colors.size())
        return colors.back();
    return mix(colors[i], colors[i + 1], scaledT - static_cast<float>(i));
}

void giants(Context& context)
{
    {
        Field turbulence{Noise(301), 3.f, 5};
        std::vector<Rgba> colors = {hex(0x7a4428), hex(0xc07840), hex(0xe6c898), hex(0xf4e4c4)};
        SphereLook look;
        look.surface = [=](float x, float y, float z) {
            // The great storm sits south of the equator, facing the viewer.
            float sx = (x - 0.25f) / 0.24f, sy = (y - 0.32f) / 0.1f;
            if (z > 0 && sx * sx + sy * sy < 1.f)
                return sx * sx + sy * sy < 0.35f ? hex(0xe07050) : hex(0xb84a30);
            return giantBands(x, y, z, turbulence, colors, 13.f);
        };
        look.atmosphere = Rgba::from(255, 225, 180).withAlpha(0.3f);
        look.atmosphereWidth = 1.f;
        look.tilt = 0.12f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 22, look);
        save(context, c, "gas_giant.png");
    }
    {
        Field turbulence{Noise(311), 2.5f, 5};
        std::vector<Rgba> colors = {hex(0x1c3c7c), hex(0x2c6aa8), hex(0x6ab4d8), hex(0xa8e0f0)};
        SphereLook look;
        look.surface = [=](float x, float y, float z) { return giantBands(x, y, z, turbulence, colors, 9.f); };
        look.atmosphere = Rgba::from(150, 225, 255).withAlpha(0.55f);
        look.atmosphereWidth = 2.f;
        look.tilt = -0.25f;
        Canvas c(48, 48);
        drawSphere(c, 24, 24, 21, look);
        save(context, c, "gas_giant_blue.png");
    }
    {
        Field turbulence{Noise(321), 3.f, 4};
        std::vector<Rgba> colors = {hex(0x9a7a4c), hex(0xc8a870), hex(0xe8d4a0)};
        Field grain{Noise(322), 40.f, 2};
        SphereLook look;
        look.surface = [=](float x, float y, float z) { return giantBands(x, y, z, turbulence, colors, 11.f); };
        look.tilt = -0.3f;
        RingLook rings;
        rings.inner = 1.32f;
        rings.outer = 1.74f;
        rings.openness = 0.3f;
        rings.angle = -0.3f;
        rings.color = [=](float r) {
            if (r > 1.55f && r < 1.6f)
                return Rgba{0, 0, 0, 0};
            float t = (r - rings.inner) / (rings.outer - rings.inner);
            Rgba c = mix(hex(0xe8dcb8), hex(0x9a8460), t);
            return c.withAlpha(0.75f + 0.25f * grain.noise.value(r * 60.f, 3.f));
        };
        Canvas c(48, 48);
        drawRings(c, 24, 24, 13, rings, false);
        drawSphere(c, 24, 24, 13, look);
        drawRings(c, 24, 24, 13, rings, true);
        save(context, c, "ringed.png");
    }
}

// Lights a flat-drawn structure: outline, then light and shadow on its edges.
void finishStructure(Canvas& c)
{
    edgeLight(c, 0.3f, 0.35f);
    outlineOpaque(c, outline);
}

void stations(Context& context)
{
    {
        // A wheel station seen from above and to the side: ring, spokes, hub and spindle.
        Canvas c(48, 40);
        const float cx = 24, cy = 20, rx = 19, ry = 8;
        auto ring = [&](bool front) {
            for (int py = 0; py < 40; ++py)
                for (int px = 0; px < 48; ++px) {
                    float x = (static_cast<float>(px) + 0.5f - cx) / rx, y = (static_cast<float>(py) + 0.5f - cy) / ry;
                    float d = std::sqrt(x * x + y * y);
                    if (d < 0.8f || d > 1.f || (y > 0) != front)
                        continue;
                    float a = std::atan2(y, x);
                    bool window = std::fmod(a + 2 * pi, pi / 6) < 0.13f && d > 0.86f && d < 0.95f;
                    Rgba col = d > 0.93f ? metalDark : (d > 0.86f ? metal : metalLight);
                    if (!front)
                        col = scaled(col, 0.7f);
                    c.set(px, py, window ? amberBright : col);
                }
        };
        ring(false);
        for (float a : {0.6f, 2.2f, 3.8f, 5.4f})
            crispLine(c, cx, cy, cx + std::cos(a) * rx * 0.85f, cy + std::sin(a) * ry * 0.85f, 1.2f, metalDark);
        c.fillRect(22, 2, 4, 36, metal);
        c.fillRect(22, 2, 1, 36, metalLight);
        c.fillRect(25, 2, 1, 36, metalShadow);
        crispDisc(c, cx, cy, 4.5f, metalLight);
        crispDisc(c, cx + 0.7f, cy + 0.7f, 3.f, metal);
        // Solar sails at the ends of the spindle.
        for (int y : {2, 34}) {
            c.fillRect(14, y, 8, 4, hex(0x1c2c5c));
            c.fillRect(26, y, 8, 4, hex(0x1c2c5c));
            for (int x = 15; x < 34; x += 2)
                c.fillRect(x, y + 1, 1, 2, hex(0x3a5aa0));
        }
        ring(true);
        finishStructure(c);
        c.set(24, 1, green);
        save(context, c, "spacestation.png");
    }
    {
        // A small modular station: a core with two solar wings, a dish and docking lights.
        Canvas c(36, 28);
        for (int side : {0, 1}) {
            int x0 = side == 0 ? 1 : 26;
            c.fillRect(x0, 5, 9, 18, hex(0x1a2a58));
            for (int y = 6; y < 22; y += 3)
                c.fillRect(x0 + 1, y, 7, 2, hex(0x30509a));
            c.fillRect(x0 + 4, 5, 1, 18, metalDark);
        }
        c.fillRect(9, 13, 18, 2, metalDark);
        c.fillRect(12, 10, 12, 8, metal);
        c.fillRect(12, 10, 12, 2, metalLight);
        c.fillRect(12, 16, 12, 2, metalDark);
        c.fillRect(15, 7, 6, 3, metal);
        crispDisc(c, 18, 5, 3.f, metalLight);
        crispDisc(c, 18.6f, 5.6f, 1.6f, metal);
        c.fillRect(15, 18, 6, 4, metalDark);
        finishStructure(c);
        c.set(13, 13, amberBright);
        c.set(16, 13, amberBright);
        c.set(19, 13, amberBright);
        c.set(22, 13, amberBright);
        c.set(18, 22, green);
        save(context, c, "spacestation_2.png");
    }
    {
        // An outpost dug into a lumpy asteroid: domes, a mast and a landing light.
        Canvas c(48, 48);
        Noise lump(401);
        Field grain{Noise(402), 4.f, 3};
        SphereLook rock;
        rock.surface = [=](float x, float y, float z) { return mix(hex(0x4a4038), hex(0x8a7a68), grain(x, y, z)); };
        Canvas body(48, 48);
        drawSphere(body, 24, 27, 16, rock);
        for (int py = 0; py < 48; ++py)
            for (int px = 0; px < 48; ++px) {
                float a = std::atan2(static_cast<float>(py) - 27, static_cast<float>(px) - 24);
                float r = std::hypot(static_cast<float>(px) + 0.5f - 24, static_cast<float>(py) + 0.5f - 27);
                float edge = 12.5f + 4.f * lump.fractal(std::cos(a) * 2 + 3, std::sin(a) * 2 + 3, 3);
                if (r > edge)
                    body.set(px, py, {0, 0, 0, 0});
            }
        outlineOpaque(body, outline);
        c.draw(body, 0, 0);
        c.fillRect(31, 4, 1, 16, metal);
        crispLine(c, 28, 8, 35, 8, 1, metalDark);
        for (auto [x, y, r] : {std::array<float, 3>{20, 19, 4.5f}, {29, 22, 3.5f}, {16, 27, 3.f}}) {
            Canvas dome(48, 48);
            crispDisc(dome, x, y, r, hex(0x3a5070));
            crispDisc(dome, x - r * 0.35f, y - r * 0.35f, r * 0.45f, hex(0x8ab0d0));
            dome.fillRect(static_cast<int>(x - r), static_cast<int>(y), static_cast<int>(2 * r + 1), static_cast<int>(r + 1), {0, 0, 0, 0});
            dome.fillRect(static_cast<int>(x - r), static_cast<int>(y), static_cast<int>(2 * r + 1), 1, metalDark);
            outlineOpaque(dome, outline);
            c.draw(dome, 0, 0);
            c.set(static_cast<int>(x), static_cast<int>(y) - 1, amberBright);
        }
        c.set(31, 3, green);
        save(context, c, "outpost.png");
    }
    {
        // A derelict: an old hull broken in two, tumbling, with one emergency light left.
        Canvas c(48, 48);
        auto hullPiece = [&](float u0, float u1, std::uint32_t seed) {
            Noise jag(seed);
            const float angle = -0.45f, ca = std::cos(angle), sa = std::sin(angle);
            for (int py = 0; py < 48; ++py)
                for (int px = 0; px < 48; ++px) {
                    float x = static_cast<float>(px) + 0.5f - 24, y = static_cast<float>(py) + 0.5f - 24;
                    float u = x * ca + y * sa, v = -x * sa + y * ca;
                    float torn = 2.5f * jag.value(v * 0.9f + 7, 1.f);
                    if (u < u0 + torn || u > u1 - torn * 0.5f || std::fabs(v) > 5.5f)
                        continue;
                    Rgba col = band(v, -5.5f, 5.5f, hex(0x8a8478), hex(0x5c5852), hex(0x34323a));
                    if (jag.value(u * 0.7f, v * 0.7f + 20) > 0.72f)
                        col = hex(0x6a3c26); // rust
                    if (std::fmod(std::fabs(u) + 40, 6.f) < 0.8f)
                        col = scaled(col, 0.7f);
                    c.set(px, py, col);
                }
        };
        hullPiece(-21, -3, 411);
        hullPiece(1.5f, 19, 412);
        Dice dice(413);
        for (int i = 0; i < 9; ++i)
            c.set(dice.below(40) + 4, dice.below(40) + 4, dice.unit() < 0.5f ? metalDark : hex(0x6a3c26));
        finishStructure(c);
        c.set(13, 27, amberBright);
        save(context, c, "derelict.png");
    }
}

} // namespace

void drawPlanets(Context& context)
{
    rockyWorlds(context);
    livingWorlds(context);
    giants(context);
    stations(context);
}

} // namespace gen::world
