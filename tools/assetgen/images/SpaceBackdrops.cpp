// Deep-space pictures that tile: the sector map's background cells, the credits starfield and
// the two masks the fog-of-war shader samples.
#include "images/WorldFamilies.hpp"
#include "images/WorldKit.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace gen::world {

namespace {

// Dithered dust: the density d (0..1) picks a dark step between black and a tinted haze.
Rgba dust(float d, const Rgba& tint, int x, int y)
{
    static const std::vector<Rgba> steps = {palette::spaceBlack, palette::spaceNavy, palette::spaceDeep, palette::spaceHaze};
    Rgba base = rampColor(steps, d, x, y);
    return mix(base, tint, 0.35f * d);
}

} // namespace

void drawSpaceTiles(Context& context)
{
    // 4 x 4 cells of 128 x 128 that the map lays out at random, so any cell must meet any other:
    // every cell shares one field that repeats every 128 pixels, and its own clouds fade out
    // towards its border. Stars keep clear of the border.
    const int cell = 128;
    Canvas sheet(cell * 4, cell * 4);
    const Rgba tints[4] = {Rgba::from(40, 60, 140), Rgba::from(70, 40, 120), Rgba::from(30, 80, 110), Rgba::from(50, 50, 110)};
    for (int index = 0; index < 16; ++index) {
        int ox = (index % 4) * cell, oy = (index / 4) * cell;
        Noise own(700 + static_cast<std::uint32_t>(index));
        Dice dice(800 + static_cast<std::uint32_t>(index));
        float strength = 0.2f + 0.4f * dice.unit();
        const Rgba& tint = tints[index % 4];
        Canvas tile(cell, cell);
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                float shared = periodicFractal(static_cast<float>(x) / 32.f, static_cast<float>(y) / 32.f, 4, 5, 901);
                float border = std::min({x, y, cell - 1 - x, cell - 1 - y}) / 30.f;
                float window = smoothstep(0.f, 1.f, border);
                float cloud = own.fractal(static_cast<float>(x) / 26.f, static_cast<float>(y) / 26.f, 4);
                // Kept dark: the map's planets, ship and labels must stand out against it.
                float d = 0.5f * std::max(0.f, shared - 0.45f) * 2.f + window * strength * std::max(0.f, cloud - 0.5f) * 2.f;
                tile.set(x, y, dust(clamp01(d), tint, ox + x, oy + y));
            }
        scatterStars(tile, dice, 70 + dice.below(40), 3, false);
        if (index == 6 || index == 13) {
            // A distant spiral galaxy, small enough not to be noticed twice.
            float gx = 40.f + dice.range(0, 48), gy = 40.f + dice.range(0, 48);
            for (int arm = 0; arm < 2; ++arm)
                for (float t = 0; t < 3.2f; t += 0.05f) {
                    float a = t * 1.7f + static_cast<float>(arm) * 3.14159f;
                    float r = 1.f + t * 3.2f;
                    tile.blend(static_cast<int>(gx + std::cos(a) * r), static_cast<int>(gy + std::sin(a) * r * 0.5f),
                        Rgba::from(170, 180, 230).withAlpha(0.5f - t * 0.13f));
                }
            drawStar(tile, static_cast<int>(gx), static_cast<int>(gy), 0.85f, Rgba::from(230, 220, 255), false);
        }
        if (index == 9) {
            // A small open cluster.
            for (int i = 0; i < 26; ++i)
                drawStar(tile, 60 + static_cast<int>(dice.range(-14, 14) * dice.unit()), 58 + static_cast<int>(dice.range(-12, 12) * dice.unit()),
                    0.3f + 0.5f * dice.unit(), Rgba::from(200, 220, 255), false);
        }
        sheet.draw(tile, ox, oy);
    }
    context.save(sheet, "mapscreen/space_tiles.png");
}

void drawStarfields(Context& context)
{
    // Transparent star layers over the credits' dark clear colour; they wrap at every edge.
    for (int layer = 1; layer <= 2; ++layer) {
        Canvas field(512, 512);
        Dice dice(950 + static_cast<std::uint32_t>(layer));
        scatterStars(field, dice, layer == 1 ? 420 : 700, 0, true, layer == 1 ? 1.f : 0.8f);
        // On a transparent layer the faint stars would vanish against the credits' dark grey.
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                Rgba c = field.get(x, y);
                field.set(x, y, c.withAlpha(std::min(1.f, c.a * 1.9f)));
            }
        context.save(field, "credits/starfield" + std::to_string(layer) + ".png");
    }
}

void drawFogMasks(Context& context)
{
    // EdgeMask: 32 x 32 thresholds (grey level) that make the fog's edge a dithered fringe.
    // The shader reads it one texel per map pixel.
    Canvas mask(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float jitter = (Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 977) - 0.5f) * 0.18f;
            float t = clamp01(0.1f + 0.8f * bayer8(x, y) + jitter);
            mask.set(x, y, Rgba{t, t, t, 1});
        }
    context.save(mask, "FOW/EdgeMask.png");

    // Unexplored: 90 x 90 (two map tiles) of dark static with a faint chart grid whose marks sit on
    // the tile corners once the shader shifts it by the map's 25-pixel top margin.
    Canvas fog(90, 90);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x) {
            float n = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 991);
            Rgba c = (y % 2 == 0) ? Rgba::from(9, 12, 26) : Rgba::from(6, 8, 19);
            if (n > 0.97f)
                c = Rgba::from(24, 32, 58);
            fog.set(x, y, c);
        }
    for (int gy = 0; gy < 90; gy += 45)
        for (int gx = 0; gx < 90; gx += 45) {
            for (int i = -2; i <= 2; ++i) {
                fog.set((gx + i + 90) % 90, gy, Rgba::from(20, 70, 46));
                fog.set(gx, (gy + i + 90) % 90, Rgba::from(20, 70, 46));
            }
            for (int i = 6; i < 40; i += 3) {
                fog.set(gx + i, gy, Rgba::from(14, 30, 34));
                fog.set(gx, gy + i, Rgba::from(14, 30, 34));
            }
        }
    context.save(fog, "FOW/Unexplored.png");
}

} // namespace gen::world
