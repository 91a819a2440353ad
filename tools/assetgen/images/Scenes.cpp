// Full-picture scenes: the splash window, the title and options backdrops and one picture for
// each ending of a run.
#include "images/Ship.hpp"
#include "images/Sphere.hpp"
#include "images/StrokeFont.hpp"
#include "images/WorldFamilies.hpp"
#include "images/WorldKit.hpp"

#include <cmath>
#include <string>

namespace gen::world {

namespace {

using namespace palette;

Rgba hex(unsigned rgb)
{
    return Rgba::from(static_cast<int>((rgb >> 16) & 255), static_cast<int>((rgb >> 8) & 255), static_cast<int>(rgb & 255));
}

// Dark space with dithered clouds of `tint` (strength 0..1) and a scatter of stars.
void fillSpace(Canvas& canvas, std::uint32_t seed, const Rgba& tint, float strength, int stars)
{
    static const std::vector<Rgba> steps = {spaceBlack, spaceNavy, spaceDeep, spaceHaze};
    Noise clouds(seed);
    Noise detail(seed + 1);
    int w = static_cast<int>(canvas.width()), h = static_cast<int>(canvas.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float n = clouds.fractal(static_cast<float>(x) / 110.f, static_cast<float>(y) / 110.f, 5);
            float m = detail.fractal(static_cast<float>(x) / 40.f, static_cast<float>(y) / 40.f, 3);
            float d = clamp01((n - 0.42f) * 2.4f * strength + (m - 0.5f) * 0.25f * strength);
            canvas.set(x, y, mix(rampColor(steps, d, x, y), tint, 0.4f * d));
        }
    Dice dice(seed + 2);
    scatterStars(canvas, dice, stars, 2, false);
}

// Dim alternate rows, the hint of a monitor the picture is shown on.
void scanlines(Canvas& canvas, float keep)
{
    for (unsigned y = 1; y < canvas.height(); y += 2)
        for (unsigned x = 0; x < canvas.width(); ++x) {
            Rgba c = canvas.get(static_cast<int>(x), static_cast<int>(y));
            canvas.set(static_cast<int>(x), static_cast<int>(y), {c.r * keep, c.g * keep, c.b * keep, c.a});
        }
}

// A bright sun: a hard core and rays, with a dithered glow.
void sun(Canvas& canvas, float cx, float cy, float radius, const Rgba& color)
{
    int reach = static_cast<int>(radius * 5);
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            float d = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) / radius;
            float glow = clamp01(1.4f / (d * d + 0.01f) - 0.06f);
            if (d < 1.f)
                canvas.set(x, y, Rgba::from(255, 252, 236));
            else if (glow > bayer4(x, y))
                canvas.blend(x, y, color.withAlpha(0.35f + 0.4f * glow));
        }
    crispLine(canvas, cx - radius * 4, cy, cx + radius * 4, cy, 1, Rgba::from(255, 240, 210).withAlpha(0.6f));
    crispLine(canvas, cx, cy - radius * 3, cx, cy + radius * 3, 1, Rgba::from(255, 240, 210).withAlpha(0.5f));
}

void caption(Canvas& canvas, const std::string& title, const std::string& line)
{
    float cx = static_cast<float>(canvas.width()) / 2.f;
    // A dark caption strip with thin metal edges, so the words read over bright planets too.
    canvas.blendRect(0, 284, static_cast<int>(canvas.width()), 50, Rgba::from(4, 5, 12).withAlpha(0.7f));
    canvas.fillRect(0, 284, static_cast<int>(canvas.width()), 1, metalDark);
    canvas.fillRect(0, 333, static_cast<int>(canvas.width()), 1, metalShadow);
    StrokeFont::drawCentred(canvas, title, cx, 292, 18, 2, amber, outline);
    StrokeFont::drawCentred(canvas, line, cx, 320, 8, 1, green, outline);
}

// Weather over a globe's ground, stretched along its latitudes: the cloud's colour where the noise
// runs above `cover`, and nothing (alpha 0) where the ground shows.
struct Weather {
    Noise noise;
    float across, offset; // noise scale across the latitudes, and where the pattern starts
    int octaves;
    float cover;
    Rgba thin, thick;

    Rgba at(float x, float y, float z) const
    {
        float c = noise.fractal3(x * across + offset, y * 9 + offset, z * across + offset, octaves);
        return c > cover ? mix(thin, thick, clamp01((c - cover) * 5)) : Rgba{0, 0, 0, 0};
    }
};

SphereLook terranLook()
{
    Noise land(2011), relief(2012);
    // Many octaves: this globe fills half the screen, so its weather needs fine detail.
    Weather weather{Noise(2013), 5, 3, 8, 0.6f, hex(0xd8e4f0), hex(0xffffff)};
    SphereLook look;
    look.surface = [=](float x, float y, float z) {
        if (Rgba cloud = weather.at(x, y, z); cloud.a > 0)
            return cloud;
        float l = land.fractal3(x * 3.2f + 7, y * 3.2f + 7, z * 3.2f + 7, 8);
        if (l < 0.5f)
            return mix(hex(0x0c2c68), hex(0x1c58a0), l * 2);
        return relief.fractal3(x * 8 + 1, y * 8 + 1, z * 8 + 1, 6) > 0.62f ? hex(0x8a7a5c) : mix(hex(0x2c6a2c), hex(0x7a9a44), (l - 0.5f) * 3);
    };
    look.atmosphere = Rgba::from(120, 190, 255).withAlpha(0.9f);
    look.atmosphereWidth = 8;
    look.shadeLevels = 8;
    return look;
}

void splash(Context& context)
{
    Canvas c(480, 300);
    fillSpace(c, 3001, Rgba::from(60, 40, 120), 0.8f, 260);
    SphereLook giant;
    Noise turbulence(3002);
    giant.surface = [=](float x, float y, float z) {
        float lat = y + 0.05f * (turbulence.fractal3(x * 4 + 2, y * 4 + 2, z * 4 + 2, 5) - 0.5f);
        float t = 0.5f + 0.5f * std::sin(lat * 15.f);
        return mix(hex(0x6a3a24), hex(0xe8c898), t);
    };
    giant.atmosphere = Rgba::from(255, 220, 170).withAlpha(0.5f);
    giant.atmosphereWidth = 4;
    giant.shadeLevels = 8;
    giant.tilt = 0.2f;
    drawSphere(c, 400, 330, 170, giant);
    drawShip(c, {170, 150, 3, 8, 0, 9, true});
    StrokeFont::drawCentred(c, "QUORVANE", 240, 34, 30, 3, amber, outline);
    StrokeFont::drawCentred(c, "VESPERINE", 240, 76, 12, 1.5f, green, outline);
    StrokeFont::draw(c, "WAKING THE SLEEPERS...", 14, 280, 7, 1, greenDim);
    scanlines(c, 0.88f);
    c.bevel(0, 0, 480, 300, metalLight, metalShadow);
    c.bevel(1, 1, 478, 298, metal, metalDark);
    context.save(c, "splashScreen/splash_new.png");
}

void titleBackdrops(Context& context)
{
    {
        // Title menu: a blue world's limb below, nebula above, the ship heading out. The middle
        // of the top stays calm for the title, the bottom strip for the button panel.
        Canvas c(640, 360);
        fillSpace(c, 3101, Rgba::from(70, 40, 130), 1.f, 420);
        SphereLook look = terranLook();
        look.spin = 1.2f;
        drawSphere(c, 150, 700, 470, look);
        sun(c, 610, 30, 3, Rgba::from(255, 220, 160));
        drawShip(c, {470, 190, 2, -18, 0, 8, true});
        scanlines(c, 0.92f);
        context.save(c, "title_screen/quorvane_title_screen2.png");
    }
    {
        // Options: quieter, the dark side of a gas giant filling the right edge.
        Canvas c(640, 360);
        fillSpace(c, 3201, Rgba::from(40, 50, 110), 0.6f, 300);
        SphereLook giant;
        Noise turbulence(3202);
        giant.surface = [=](float x, float y, float z) {
            float lat = y + 0.04f * (turbulence.fractal3(x * 4 + 2, y * 4 + 2, z * 4 + 2, 4) - 0.5f);
            return mix(hex(0x1c3c7c), hex(0x6ab4d8), 0.5f + 0.5f * std::sin(lat * 12.f));
        };
        giant.atmosphere = Rgba::from(150, 225, 255).withAlpha(0.5f);
        giant.atmosphereWidth = 5;
        giant.shadeLevels = 7;
        drawSphere(c, 800, 120, 260, giant);
        scanlines(c, 0.9f);
        context.save(c, "title_screen/title_bg2.png");
    }
}

// The Halden's ring station: a wheel seen at a slant on a spindle, the far half of the rim drawn
// darker behind the spokes and hub. `everyWindowLit` lights both window rows of the rim and the
// hub's ring; otherwise one sparse row is lit.
struct Wheel {
    float cx, cy, rx, ry;
    float spindleTop, spindleBottom;
    bool everyWindowLit;
};

void wheelStation(Canvas& c, const Wheel& w)
{
    int width = static_cast<int>(c.width()), height = static_cast<int>(c.height());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                float u = (static_cast<float>(x) + 0.5f - w.cx) / w.rx, v = (static_cast<float>(y) + 0.5f - w.cy) / w.ry;
                float d = std::sqrt(u * u + v * v);
                if (d < 0.84f || d > 1.f || (v > 0) != (pass == 1))
                    continue;
                float a = std::atan2(v, u);
                Rgba col = d > 0.95f ? metalDark : (d > 0.88f ? metal : metalLight);
                if (std::fmod(a + 7.f, 0.16f) < 0.03f)
                    col = metalShadow;
                if (w.everyWindowLit) {
                    bool window = std::fmod(a + 7.f, 0.05f) < 0.022f;
                    if (window && ((d > 0.9f && d < 0.93f) || (d > 0.855f && d < 0.875f)))
                        col = d > 0.9f ? amberBright : Rgba::from(255, 226, 140);
                } else if (d > 0.9f && d < 0.93f && std::fmod(a + 7.f, 0.08f) < 0.025f) {
                    col = amberBright;
                }
                if (pass == 0)
                    col = Rgba{col.r * 0.6f, col.g * 0.6f, col.b * 0.7f, 1};
                c.set(x, y, col);
            }
        if (pass == 0) {
            for (float a : {0.4f, 1.97f, 3.54f, 5.11f})
                crispLine(c, w.cx, w.cy, w.cx + std::cos(a) * w.rx * 0.86f, w.cy + std::sin(a) * w.ry * 0.86f, 5, metalDark);
            int top = static_cast<int>(w.spindleTop), length = static_cast<int>(w.spindleBottom - w.spindleTop);
            c.fillRect(static_cast<int>(w.cx) - 9, top, 18, length, metal);
            c.fillRect(static_cast<int>(w.cx) - 9, top, 3, length, metalLight);
            c.fillRect(static_cast<int>(w.cx) + 6, top, 3, length, metalShadow);
            crispDisc(c, w.cx, w.cy, 30, metalLight);
            crispDisc(c, w.cx + 3, w.cy + 3, 25, metal);
            crispDisc(c, w.cx, w.cy, 8, amberBright);
            if (w.everyWindowLit) {
                for (int k = 0; k < 16; ++k) {
                    float a = static_cast<float>(k) * 0.3927f;
                    crispDisc(c, w.cx + 3 + std::cos(a) * 19.f, w.cy + 3 + std::sin(a) * 19.f, 1.6f, amberBright);
                }
                for (int y = top + 6; y < top + length - 4; y += 9)
                    c.fillRect(static_cast<int>(w.cx) - 2, y, 3, 3, amberBright);
            }
        }
    }
}

void endings(Context& context)
{
    {
        Canvas c(640, 360);
        fillSpace(c, 4001, Rgba::from(40, 70, 140), 0.7f, 380);
        sun(c, 118, 196, 5, Rgba::from(255, 230, 170));
        drawSphere(c, 330, 820, 600, terranLook());
        drawShip(c, {400, 120, 2.5f, -150, 0, 10, true});
        caption(c, "A NEW HOME", "THE SLEEPERS WAKE UNDER AN OPEN SKY");
        scanlines(c, 0.9f);
        context.save(c, "end_screens/ending_new_home.png");
    }
    {
        Canvas c(640, 360);
        fillSpace(c, 4101, Rgba::from(30, 30, 60), 0.3f, 200);
        sun(c, 560, 60, 1.5f, Rgba::from(255, 200, 160));
        drawShip(c, {300, 160, 3, 57, 1, 0, false});
        caption(c, "ADRIFT", "THE TANKS RAN DRY BETWEEN THE STARS");
        scanlines(c, 0.9f);
        context.save(c, "end_screens/ending_adrift.png");
    }
    {
        Canvas c(640, 360);
        fillSpace(c, 4201, Rgba::from(30, 40, 70), 0.5f, 300);
        Noise ground(4202);
        SphereLook dead;
        dead.surface = [=](float x, float y, float z) {
            return mix(hex(0x3a3a40), hex(0x8a8478), ground.fractal3(x * 4 + 5, y * 4 + 5, z * 4 + 5, 5));
        };
        dead.shadeLevels = 6;
        drawSphere(c, 520, 250, 150, dead);
        drawShip(c, {200, 110, 2, 12, 1, 0, false});
        // The last line on the crew monitor: a few beats, then flat.
        float y0 = 230;
        crispLine(c, 40, y0, 120, y0, 1.5f, greenDim);
        crispLine(c, 120, y0, 128, y0 - 22, 1.5f, green);
        crispLine(c, 128, y0 - 22, 136, y0 + 14, 1.5f, green);
        crispLine(c, 136, y0 + 14, 142, y0, 1.5f, green);
        crispLine(c, 142, y0, 600, y0, 1.5f, green);
        caption(c, "SILENCE", "NO ONE IS LEFT TO WAKE");
        scanlines(c, 0.85f);
        context.save(c, "end_screens/ending_silence.png");
    }
    {
        Canvas c(640, 360);
        fillSpace(c, 4301, Rgba::from(110, 40, 40), 0.6f, 260);
        Noise crust(4302);
        SphereLook red;
        red.surface = [=](float x, float y, float z) {
            return mix(hex(0x5a1c14), hex(0xc0643a), crust.fractal3(x * 3 + 5, y * 3 + 5, z * 3 + 5, 5));
        };
        red.atmosphere = Rgba::from(240, 140, 100).withAlpha(0.5f);
        red.atmosphereWidth = 6;
        drawSphere(c, 120, 420, 260, red);
        // The blast: a dithered fireball and the ship's broken halves flung apart.
        for (int y = 0; y < 360; ++y)
            for (int x = 0; x < 640; ++x) {
                float d = std::hypot(static_cast<float>(x) - 390, static_cast<float>(y) - 140) / 70.f;
                float heat = clamp01(1.f - d);
                if (heat * heat > bayer4(x, y) * 0.9f + 0.05f)
                    c.blend(x, y, mix(Rgba::from(185, 60, 0), Rgba::from(255, 230, 160), heat * heat));
            }
        drawShip(c, {330, 110, 2, -35, 1, 0, false});
        drawShip(c, {470, 190, 1.6f, 140, 1, 0, false});
        Dice dice(4303);
        for (int i = 0; i < 70; ++i) {
            float a = dice.range(0, 6.283f), r = dice.range(30, 210);
            float x = 390 + std::cos(a) * r, y = 140 + std::sin(a) * r * 0.7f;
            crispLine(c, x, y, x + dice.range(-2, 2), y + dice.range(-2, 2), 1.5f, dice.unit() < 0.3f ? amberBright : metalDark);
        }
        caption(c, "LOST WITH ALL HANDS", "ONLY THE BEACON STILL CALLS");
        scanlines(c, 0.9f);
        context.save(c, "end_screens/ending_destroyed.png");
    }
    {
        Canvas c(640, 360);
        fillSpace(c, 4401, Rgba::from(40, 60, 120), 0.8f, 340);
        // A great wheel station: the ship comes in to dock at its hub.
        wheelStation(c, {330, 150, 250, 80, 0, 360, false});
        drawShip(c, {230, 210, 2, -20, 0, 6, true});
        caption(c, "SANCTUARY", "OTHERS SURVIVED, AND THEY KEPT A LIGHT ON");
        scanlines(c, 0.9f);
        context.save(c, "end_screens/ending_sanctuary.png");
    }
}

// Drake 77 at dusk: rafts of hull plate on a green sea, lamps lit, the reef glowing under them.
void tidewater(Context& context)
{
    Canvas c(640, 360);
    const int horizon = 148;
    // The sky: night above, the last light low and warm, the first stars out.
    const std::vector<Rgba> sky = {Rgba::from(10, 14, 34), Rgba::from(30, 30, 74), Rgba::from(84, 52, 104),
        Rgba::from(196, 98, 92), Rgba::from(250, 178, 110)};
    Noise haze(4501);
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < 640; ++x) {
            float t = std::pow(static_cast<float>(y) / static_cast<float>(horizon), 1.6f);
            t += (haze.fractal(static_cast<float>(x) / 90.f, static_cast<float>(y) / 20.f, 4) - 0.5f) * 0.12f;
            c.set(x, y, rampColor(sky, clamp01(t), x, y));
        }
    Dice dice(4502);
    for (int i = 0; i < 90; ++i) {
        int x = dice.below(640), y = dice.below(70);
        drawStar(c, x, y, dice.range(0.2f, 0.8f) * (1.f - static_cast<float>(y) / 80.f), Rgba::from(220, 226, 255), false);
    }
    // A long bank of cloud lit from below.
    for (int y = 96; y < 126; ++y)
        for (int x = 0; x < 640; ++x) {
            float n = haze.fractal(static_cast<float>(x) / 60.f + 9.f, static_cast<float>(y) / 9.f, 4);
            float body = n - 0.55f + std::abs(static_cast<float>(y) - 112.f) / 60.f;
            if (body < 0.f && bayer4(x, y) < 0.8f)
                c.set(x, y, body < -0.08f ? Rgba::from(120, 64, 90) : Rgba::from(236, 140, 100));
        }
    // The white star, half under the horizon.
    sun(c, 468, static_cast<float>(horizon) - 2.f, 6, Rgba::from(255, 214, 160));
    // The sea: pale green at the horizon, deep green close by, streaked with swell.
    const std::vector<Rgba> sea = {Rgba::from(4, 20, 24), Rgba::from(8, 38, 36), Rgba::from(16, 64, 54),
        Rgba::from(44, 100, 80), Rgba::from(126, 130, 110)};
    Noise swell(4503);
    for (int y = horizon; y < 360; ++y) {
        float depth = static_cast<float>(y - horizon) / static_cast<float>(360 - horizon);
        for (int x = 0; x < 640; ++x) {
            float stretch = 4.f + 40.f * depth;
            float n = swell.fractal(static_cast<float>(x) / (stretch * 3.f), static_cast<float>(y - horizon) / (1.5f + 10.f * depth), 4);
            float t = (1.f - depth) * (1.f - depth) * 0.85f + 0.1f + (n - 0.5f) * 0.45f;
            Rgba p = rampColor(sea, clamp01(t), x, y);
            // The star's path on the water.
            float path = std::abs(static_cast<float>(x) - 468.f) / (5.f + 40.f * depth);
            if (path < 1.f && n > 0.52f + 0.3f * path + 0.2f * depth)
                p = mix(p, Rgba::from(255, 210, 150), 0.8f - 0.6f * depth);
            c.set(x, y, p);
        }
    }
    // The reef under the water: a ring of lights round the lagoon, and more scattered beyond.
    auto reefLight = [&](float lx, float ly, float radius, const Rgba& colour) {
        for (int y = static_cast<int>(ly - radius * 0.5f); y <= static_cast<int>(ly + radius * 0.5f); ++y)
            for (int x = static_cast<int>(lx - radius); x <= static_cast<int>(lx + radius); ++x) {
                if (y < horizon + 2)
                    continue;
                float d = std::hypot((static_cast<float>(x) - lx) / radius, (static_cast<float>(y) - ly) / (radius * 0.5f));
                float glow = clamp01(1.f - d);
                if (glow > 0.75f)
                    c.set(x, y, mix(colour, Rgba::from(230, 255, 240), 0.5f));
                else if (glow * glow > bayer4(x, y) * 0.9f + 0.05f)
                    c.blend(x, y, colour.withAlpha(0.35f + 0.5f * glow));
            }
    };
    const Rgba reefTeal = Rgba::from(80, 236, 210), reefGreen = Rgba::from(150, 255, 150);
    for (int k = 0; k < 34; ++k) {
        float a = static_cast<float>(k) * 0.1848f + dice.range(-0.05f, 0.05f);
        float x = 250.f + std::cos(a) * 230.f, y = 250.f + std::sin(a) * 62.f;
        float size = 5.f + 14.f * (y - static_cast<float>(horizon)) / 212.f;
        reefLight(x, y, size * dice.range(0.8f, 1.3f), k % 3 == 0 ? reefGreen : reefTeal);
    }
    for (int k = 0; k < 40; ++k) {
        float y = dice.range(static_cast<float>(horizon) + 8.f, 350.f);
        float size = 2.f + 9.f * (y - static_cast<float>(horizon)) / 212.f;
        reefLight(dice.range(0, 640), y, size, dice.unit() < 0.3f ? reefGreen : reefTeal);
    }
    // The rafts: hull plates lashed together, shelters built of more plate, a lamp on each.
    struct Raft {
        float x, y, w, h; // the near edge's centre, half-width, depth
        int shelters;
    };
    const Raft rafts[] = {{250, 246, 70, 18, 2}, {140, 222, 44, 11, 1}, {360, 214, 52, 12, 1}, {300, 186, 30, 7, 1},
        {190, 188, 26, 6, 0}, {88, 262, 30, 9, 0}};
    // The reef gathers under the rafts.
    for (const Raft& r : rafts)
        for (int k = 0; k < 4; ++k)
            reefLight(r.x + dice.range(-1.1f, 1.1f) * r.w, r.y + dice.range(-0.5f, 1.5f) * r.h, 4.f + r.h * 0.5f,
                k % 2 ? reefGreen : reefTeal);
    // Lines between the rafts hold the colony together.
    for (auto [a, b] : {std::pair{0, 1}, {0, 2}, {2, 3}, {1, 4}, {0, 5}})
        crispLine(c, rafts[a].x, rafts[a].y - rafts[a].h * 0.5f, rafts[b].x, rafts[b].y - rafts[b].h * 0.5f, 1, Rgba::from(40, 34, 30));
    for (const Raft& r : rafts) {
        float skew = r.w * 0.18f;
        std::vector<sf::Vector2f> deck = {{r.x - r.w + skew, r.y - r.h}, {r.x + r.w + skew, r.y - r.h}, {r.x + r.w, r.y}, {r.x - r.w, r.y}};
        std::vector<sf::Vector2f> side = {{r.x - r.w, r.y}, {r.x + r.w, r.y}, {r.x + r.w, r.y + 3}, {r.x - r.w, r.y + 3}};
        fillPolygon(c, side, metalShadow);
        fillPolygon(c, deck, metal);
        // Plate seams and the lit far edge.
        for (float f = -1.f; f <= 1.f; f += 0.5f)
            crispLine(c, r.x + f * r.w * 0.9f + skew, r.y - r.h + 1, r.x + f * r.w * 0.9f, r.y - 1, 1, metalDark);
        crispLine(c, r.x - r.w + skew, r.y - r.h, r.x + r.w + skew, r.y - r.h, 1, metalLight);
        crispLine(c, r.x - r.w, r.y - r.h * 0.5f, r.x + r.w, r.y - r.h * 0.5f, 1, metalDark);
        // Shelters: a low hut of plate with a lit window.
        for (int k = 0; k < r.shelters; ++k) {
            float hx = r.x - r.w * 0.45f + static_cast<float>(k) * r.w * 0.8f, hy = r.y - r.h * 0.4f;
            float hw = r.w * 0.22f, hh = r.h * 1.3f;
            fillPolygon(c, {{hx - hw, hy}, {hx - hw, hy - hh}, {hx, hy - hh * 1.5f}, {hx + hw, hy - hh}, {hx + hw, hy}}, metalDark);
            crispLine(c, hx - hw, hy - hh, hx, hy - hh * 1.5f, 1, metalLight);
            c.fillRect(static_cast<int>(hx - hw * 0.3f), static_cast<int>(hy - hh * 0.7f), std::max(2, static_cast<int>(hw * 0.5f)),
                std::max(2, static_cast<int>(hh * 0.35f)), amberBright);
        }
        // The lamp on its pole, and its light broken on the water below.
        float lx = r.x + r.w * 0.7f, ly = r.y - r.h * 0.3f;
        float pole = 6.f + r.h;
        crispLine(c, lx, ly, lx, ly - pole, 1, metalShadow);
        for (int y = static_cast<int>(ly - pole) - 4; y <= static_cast<int>(ly - pole) + 4; ++y)
            for (int x = static_cast<int>(lx) - 4; x <= static_cast<int>(lx) + 4; ++x) {
                float d = std::hypot(static_cast<float>(x) - lx, static_cast<float>(y) - (ly - pole)) / 4.5f;
                if (d < 1.f && (1.f - d) > bayer4(x, y))
                    c.blend(x, y, Rgba::from(255, 220, 140).withAlpha(0.8f));
            }
        c.fillRect(static_cast<int>(lx) - 1, static_cast<int>(ly - pole) - 1, 2, 2, Rgba::from(255, 250, 220));
        for (int k = 0; k < 6; ++k)
            c.fillRect(static_cast<int>(lx) - 1 - (k % 2), static_cast<int>(r.y) + 4 + k * 2, 2 + (k % 2) * 2, 1, amber);
    }
    caption(c, "TIDEWATER", "THE REEF OPENED A LAGOON, AND WE LIVE ON THE WATER");
    scanlines(c, 0.9f);
    context.save(c, "end_screens/ending_tidewater.png");
}

// Ellison 2e: the Ruri docked at the Halden's ring over the cold blue world, every window lit.
void lamplighters(Context& context)
{
    Canvas c(640, 360);
    fillSpace(c, 4601, Rgba::from(40, 70, 140), 0.6f, 340);
    Noise ice(4602);
    Weather weather{Noise(4603), 4, 2, 6, 0.62f, hex(0xd4e2f0), hex(0xf4f8ff)};
    SphereLook cold;
    cold.surface = [=](float x, float y, float z) {
        if (Rgba cloud = weather.at(x, y, z); cloud.a > 0)
            return cloud;
        float l = ice.fractal3(x * 3 + 4, y * 3 + 4, z * 3 + 4, 7);
        // Ice caps reach far toward the equator; the open sea between them is dark.
        if (std::abs(y) > 0.55f + 0.15f * l)
            return mix(hex(0xc8dcee), hex(0xf0f6fc), l);
        return l < 0.46f ? mix(hex(0x0e3068), hex(0x245c98), l * 2.1f) : mix(hex(0x9cc0e0), hex(0xdae8f4), (l - 0.46f) * 3);
    };
    cold.atmosphere = Rgba::from(150, 200, 255).withAlpha(0.85f);
    cold.atmosphereWidth = 7;
    cold.shadeLevels = 8;
    cold.spin = 0.6f;
    drawSphere(c, 170, 600, 380, cold);
    sun(c, 590, 40, 2.5f, Rgba::from(220, 230, 255));
    wheelStation(c, {400, 118, 190, 60, 40, 214, true});
    // The Ruri docked at the hub, nose in, engines cold, its own windows lit too.
    drawShip(c, {448, 121, 1.6f, 0, 0, 0, true});
    caption(c, "LAMPLIGHTERS", "THE LIGHTS WERE KEPT ON, AND BOTH ARKS WAKE");
    scanlines(c, 0.9f);
    context.save(c, "end_screens/ending_lamplighters.png");
}

} // namespace

void drawScenes(Context& context)
{
    splash(context);
    titleBackdrops(context);
    endings(context);
    tidewater(context);
    lamplighters(context);
}

} // namespace gen::world
