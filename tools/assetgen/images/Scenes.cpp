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

SphereLook terranLook()
{
    Noise land(2011), relief(2012), cloud(2013);
    SphereLook look;
    look.surface = [=](float x, float y, float z) {
        // Many octaves: this globe fills half the screen, so its weather needs fine detail.
        float c = cloud.fractal3(x * 5 + 3, y * 9 + 3, z * 5 + 3, 8);
        if (c > 0.6f)
            return mix(hex(0xd8e4f0), hex(0xffffff), clamp01((c - 0.6f) * 5));
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
        const float cx = 330, cy = 150, rx = 250, ry = 80;
        for (int pass = 0; pass < 2; ++pass) {
            for (int y = 0; y < 360; ++y)
                for (int x = 0; x < 640; ++x) {
                    float u = (static_cast<float>(x) + 0.5f - cx) / rx, v = (static_cast<float>(y) + 0.5f - cy) / ry;
                    float d = std::sqrt(u * u + v * v);
                    if (d < 0.84f || d > 1.f || (v > 0) != (pass == 1))
                        continue;
                    float a = std::atan2(v, u);
                    Rgba col = d > 0.95f ? metalDark : (d > 0.88f ? metal : metalLight);
                    if (std::fmod(a + 7.f, 0.16f) < 0.03f)
                        col = metalShadow;
                    if (d > 0.9f && d < 0.93f && std::fmod(a + 7.f, 0.08f) < 0.025f)
                        col = amberBright;
                    if (pass == 0)
                        col = Rgba{col.r * 0.6f, col.g * 0.6f, col.b * 0.7f, 1};
                    c.set(x, y, col);
                }
            if (pass == 0) {
                for (float a : {0.4f, 1.97f, 3.54f, 5.11f})
                    crispLine(c, cx, cy, cx + std::cos(a) * rx * 0.86f, cy + std::sin(a) * ry * 0.86f, 5, metalDark);
                c.fillRect(static_cast<int>(cx) - 9, 0, 18, 360, metal);
                c.fillRect(static_cast<int>(cx) - 9, 0, 3, 360, metalLight);
                c.fillRect(static_cast<int>(cx) + 6, 0, 3, 360, metalShadow);
                crispDisc(c, cx, cy, 30, metalLight);
                crispDisc(c, cx + 3, cy + 3, 25, metal);
                crispDisc(c, cx, cy, 8, amberBright);
            }
        }
        drawShip(c, {230, 210, 2, -20, 0, 6, true});
        caption(c, "SANCTUARY", "OTHERS SURVIVED, AND THEY KEPT A LIGHT ON");
        scanlines(c, 0.9f);
        context.save(c, "end_screens/ending_sanctuary.png");
    }
}

} // namespace

void drawScenes(Context& context)
{
    splash(context);
    titleBackdrops(context);
    endings(context);
}

} // namespace gen::world
