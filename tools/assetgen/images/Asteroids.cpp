// Asteroid fields for the map's slow tiles: a dusty background layer and a foreground of larger
// rocks. Each picture is 61 x 61 so that it overhangs its 45-pixel tile by 8 pixels on every side
// and neighbouring fields run together.
#include "images/Sphere.hpp"
#include "images/WorldFamilies.hpp"
#include "images/WorldKit.hpp"

#include <cmath>
#include <string>

namespace gen::world {

namespace {

const int size = 61;

// One lumpy rock, lit from the upper left, with a dark outline.
void drawRock(Canvas& canvas, float cx, float cy, float radius, std::uint32_t seed, float brightness)
{
    Noise shape(seed);
    Noise grain(seed + 1);
    SphereLook look;
    look.surface = [=](float x, float y, float z) {
        float g = grain.fractal3(x * 3 + 9, y * 3 + 9, z * 3 + 9, 3);
        Rgba c = mix(Rgba::from(70, 60, 54), Rgba::from(140, 124, 108), g);
        return Rgba{c.r * brightness, c.g * brightness, c.b * brightness, 1};
    };
    look.shadeLevels = 4;
    look.spin = static_cast<float>(seed % 7);
    int box = static_cast<int>(std::ceil(radius * 1.6f)) * 2 + 4;
    Canvas rock(static_cast<unsigned>(box), static_cast<unsigned>(box));
    float c = static_cast<float>(box) / 2.f;
    drawSphere(rock, c, c, radius * 1.25f, look);
    for (int y = 0; y < box; ++y)
        for (int x = 0; x < box; ++x) {
            float dx = static_cast<float>(x) + 0.5f - c, dy = static_cast<float>(y) + 0.5f - c;
            float a = std::atan2(dy, dx);
            float edge = radius * (0.75f + 0.5f * shape.fractal(std::cos(a) * 1.5f + 4, std::sin(a) * 1.5f + 4, 3));
            if (std::hypot(dx, dy) > edge)
                rock.set(x, y, {0, 0, 0, 0});
        }
    outlineOpaque(rock, palette::outline);
    canvas.draw(rock, static_cast<int>(cx - c), static_cast<int>(cy - c));
}

} // namespace

void drawAsteroids(Context& context)
{
    for (int variant = 1; variant <= 3; ++variant) {
        Dice dice(1100 + static_cast<std::uint32_t>(variant));
        Noise haze(1200 + static_cast<std::uint32_t>(variant));
        // Background: thin dithered dust that fades towards the edges, and many small dim rocks.
        Canvas back(size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                float edge = std::hypot(static_cast<float>(x) - 30, static_cast<float>(y) - 30) / 31.f;
                float d = haze.fractal(static_cast<float>(x) / 14.f, static_cast<float>(y) / 14.f, 3) * (1.f - edge * edge);
                if (d > 0.35f + bayer4(x, y) * 0.3f)
                    back.set(x, y, Rgba::from(60, 52, 50).withAlpha(0.55f));
            }
        for (int i = 0; i < 16; ++i) {
            float r = 1.f + 2.2f * dice.unit();
            drawRock(back, dice.range(6, 55), dice.range(6, 55), r, 1300 + static_cast<std::uint32_t>(variant * 50 + i), 0.6f);
        }
        for (int i = 0; i < 22; ++i)
            back.set(dice.below(57) + 2, dice.below(57) + 2, Rgba::from(110, 98, 88));
        context.save(back, "mapscreen/environment/asteroids_bg" + std::to_string(variant) + ".png");

        // Foreground: three to five bigger rocks, spread so they do not pile up in the middle.
        Canvas front(size, size);
        int rocks = 3 + dice.below(3);
        for (int i = 0; i < rocks; ++i) {
            float a = static_cast<float>(i) / static_cast<float>(rocks) * 6.283f + dice.range(0, 1);
            float d = dice.range(6, 20);
            drawRock(front, 30 + std::cos(a) * d, 30 + std::sin(a) * d, dice.range(3.f, 6.5f),
                1500 + static_cast<std::uint32_t>(variant * 50 + i), 1.f);
        }
        context.save(front, "mapscreen/environment/asteroids_fg" + std::to_string(variant) + ".png");
    }
}

} // namespace gen::world
