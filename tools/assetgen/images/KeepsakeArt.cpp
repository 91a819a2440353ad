// The keepsakes the missions hand out: one 32 x 32 picture for each memento file in
// assets-src/static/mementos/ (the family photograph and the death tag are drawn with the crew).
//
// Every keepsake is the object itself, alone on a clear ground, about 24 to 28 pixels across so
// it reads at 1:1 in the crew card's memento grid. Light comes from the upper left: each object
// is drawn in its own colours with a lit tone, a base tone and a shadow tone, and then gets the
// shared keepsake finish (a near-black outline and a one-pixel shadow), which is what makes the
// fifty read as one set. Materials recur (brass, steel, paper, wood), so they share inks. Glows,
// hums and sparkles are added after the finish so they stay light and unoutlined.
//
// Small objects are drawn as character maps: a lower-case key is a colour, the same key in upper
// case is that colour in shadow. Round and slanted objects are drawn from shapes.
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"
#include "images/Sphere.hpp"
#include "images/WorldKit.hpp"

#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace gen {

namespace {

using Rows = std::vector<std::string>;
using Inks = std::map<char, Rgba>;

const Rgba clear{0, 0, 0, 0};
const Rgba ink = Rgba::from(34, 30, 40);
const Rgba shine = Rgba::from(255, 252, 240);
const Rgba paper = Rgba::from(236, 230, 214);
const Rgba brass = Rgba::from(222, 172, 72);
const Rgba steel = Rgba::from(176, 184, 196);
const Rgba gunmetal = Rgba::from(110, 118, 134);
const Rgba wood = Rgba::from(150, 98, 56);
const Rgba glass = Rgba::from(186, 224, 240);
const Rgba enamelBlue = Rgba::from(60, 100, 170);
const Rgba red = Rgba::from(214, 48, 34);
const Rgba amber = Rgba::from(240, 182, 46);
const Rgba glowAmber = Rgba::from(255, 226, 140);
const Rgba green = Rgba::from(0, 255, 0);
const Rgba teal = Rgba::from(64, 196, 210);
const Rgba white = Rgba::from(236, 240, 246);
const Rgba orange = Rgba::from(236, 112, 32);

// The materials every map may use; a keepsake adds or overrides its own.
const Inks& materials()
{
    static const Inks inks = {
        {'k', ink}, {'+', shine}, {'p', paper}, {'y', brass}, {'m', steel}, {'n', gunmetal}, {'d', wood},
        {'l', glass}, {'b', enamelBlue}, {'r', red}, {'a', amber}, {'g', green}, {'t', teal}, {'w', white},
        {'o', orange},
    };
    return inks;
}

Rgba inkFor(const Inks& own, char key)
{
    if (auto found = own.find(key); found != own.end())
        return found->second;
    if (auto found = materials().find(key); found != materials().end())
        return found->second;
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    if (lower != key)
        return ui::inShadow(inkFor(own, lower));
    throw std::runtime_error(std::string("keepsake map uses the undefined ink '") + key + "'");
}

// Paints a character map with its top-left corner at (x, y); '.' and ' ' leave the pixel alone.
void paint(Canvas& c, int x, int y, const Rows& rows, const Inks& own = {})
{
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t i = 0; i < rows[j].size(); ++i) {
            char key = rows[j][i];
            if (key != '.' && key != ' ')
                c.set(x + static_cast<int>(i), y + static_cast<int>(j), inkFor(own, key));
        }
}

float pixelCentre(int v)
{
    return static_cast<float>(v) + 0.5f;
}

// How much a point of a unit sphere's front faces the light, 0..1.
float facing(float nx, float ny)
{
    float nz = std::sqrt(std::max(0.f, 1.f - nx * nx - ny * ny));
    float lx, ly, lz;
    world::lightDirection(lx, ly, lz);
    return clamp01(nx * lx + ny * ly + nz * lz);
}

// A lit ball: `ramp` runs from shadow to highlight, dithered between its steps.
void ball(Canvas& c, float cx, float cy, float r, const std::vector<Rgba>& ramp)
{
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
            float nx = (pixelCentre(x) - cx) / r, ny = (pixelCentre(y) - cy) / r;
            if (nx * nx + ny * ny <= 1.f)
                c.set(x, y, world::rampColor(ramp, facing(nx, ny), x, y));
        }
}

// A flat round piece seen face-on (coin, case, flange): a bevelled rim, lit on its upper-left
// half, around a face that brightens a little toward the light.
void roundPlate(Canvas& c, float cx, float cy, float r, const Rgba& metal, float rim = 1.6f)
{
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
            float dx = pixelCentre(x) - cx, dy = pixelCentre(y) - cy;
            float d = std::hypot(dx, dy);
            if (d > r)
                continue;
            bool upperLeft = dx + dy < 0;
            if (d > r - rim)
                c.set(x, y, upperLeft ? mix(metal, shine, 0.45f) : ui::inShadow(metal));
            else if (d > r - rim - 1.f)
                c.set(x, y, upperLeft ? ui::inShadow(metal) : mix(metal, shine, 0.25f));
            else
                c.set(x, y, ui::ditherMix(metal, mix(metal, shine, 0.2f), clamp01(-(dx + dy) / (2.f * r) + 0.35f), x, y));
        }
}

// A filled ellipse whose colour is chosen per pixel from the normalised offsets (u, v) in -1..1.
void ellipse(Canvas& c, float cx, float cy, float rx, float ry, const std::function<Rgba(float, float, int, int)>& colour)
{
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            float u = (pixelCentre(x) - cx) / rx, v = (pixelCentre(y) - cy) / ry;
            if (u * u + v * v <= 1.f) {
                Rgba p = colour(u, v, x, y);
                if (p.a > 0)
                    c.set(x, y, p);
            }
        }
}

// A bar from (x0, y0) to (x1, y1) of half-width `half`: `colour` gets the position along it (0..1)
// and across it (-1 on the upper-left side .. 1), so it can band and shade the bar.
void bar(Canvas& c, float x0, float y0, float x1, float y1, float half,
    const std::function<Rgba(float along, float across, int x, int y)>& colour, bool roundEnds = false)
{
    float dx = x1 - x0, dy = y1 - y0;
    float length = std::hypot(dx, dy);
    float ux = dx / length, uy = dy / length;
    // The normal that points to the upper left decides the sign of `across`.
    float nx = -uy, ny = ux;
    if (nx + ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    int minX = static_cast<int>(std::min(x0, x1) - half) - 1, maxX = static_cast<int>(std::max(x0, x1) + half) + 1;
    int minY = static_cast<int>(std::min(y0, y1) - half) - 1, maxY = static_cast<int>(std::max(y0, y1) + half) + 1;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            float px = pixelCentre(x) - x0, py = pixelCentre(y) - y0;
            float t = (px * ux + py * uy) / length;
            float s = px * nx + py * ny;
            bool inside = t >= 0 && t <= 1 && std::abs(s) <= half;
            if (!inside && roundEnds) {
                float ex = t < 0 ? px : px - dx, ey = t < 0 ? py : py - dy;
                inside = std::hypot(ex, ey) <= half;
            }
            if (inside) {
                Rgba p = colour(clamp01(t), -s / half, x, y);
                if (p.a > 0)
                    c.set(x, y, p);
            }
        }
}

// Three tones across a bar or cylinder: lit on the upper-left side, shadowed on the other.
Rgba acrossTone(float across, const Rgba& base, int x, int y)
{
    if (across < -0.45f)
        return mix(base, shine, 0.35f);
    if (across > 0.5f)
        return ui::inShadow(base);
    return ui::ditherMix(base, ui::inShadow(base), clamp01((across - 0.1f) * 1.4f), x, y);
}

// A rigid plate (board, case, tag) with its corners knocked off: a lit top and left edge, a shaded
// bottom and right edge. `lit` is how far the lit edge leans to white.
void plate(Canvas& c, int x, int y, int w, int h, const Rgba& base, float lit)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            bool corner = (j == 0 || j == h - 1) && (i == 0 || i == w - 1);
            if (corner)
                continue;
            Rgba p = base;
            if (j == 0 || i == 0)
                p = mix(base, shine, lit);
            else if (j == h - 1 || i == w - 1)
                p = ui::inShadow(base);
            c.set(x + i, y + j, p);
        }
}

// A sheet of paper (or card) with a lit top and left edge and a shaded bottom and right edge.
void sheet(Canvas& c, int x, int y, int w, int h, const Rgba& base)
{
    c.fillRect(x, y, w, h, base);
    c.fillRect(x, y, w, 1, mix(base, shine, 0.5f));
    c.fillRect(x, y, 1, h, mix(base, shine, 0.5f));
    c.fillRect(x, y + h - 1, w, 1, ui::inShadow(base));
    c.fillRect(x + w - 1, y, 1, h, ui::inShadow(base));
}

// A short curved mark of sound or light beside an object, drawn after the finish.
void hum(Canvas& c, float cx, float cy, float r, float from, float to, const Rgba& colour)
{
    for (float a = from; a <= to; a += 0.08f)
        c.set(static_cast<int>(std::floor(cx + std::cos(a) * r)), static_cast<int>(std::floor(cy + std::sin(a) * r)), colour);
}

void twinkle(Canvas& c, int x, int y, const Rgba& colour)
{
    c.set(x, y, shine);
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        c.set(x + dx, y + dy, colour);
}

void tinyText(Canvas& c, int x, int y, const std::string& text, const Rgba& colour)
{
    PixelFont(PixelFont::Face::Tiny).draw(c, x, y, text, colour);
}

// ---- Kestrel Relay -------------------------------------------------------------------------

void keycard(Canvas& c)
{
    paint(c, 4, 7,
        {"..........mmmm..........",
         ".........mM..Mm.........",
         ".........mM..Mm.........",
         "..wwwwwwwmkkkkmwwwwwww..",
         ".w+++++++wmmmmwwwwwwwwW.",
         ".+bbbbbbbbbbbbbbbbbbbbW.",
         ".+bbbbbbbbbbbbbbbbbbbbW.",
         ".+wwwwwwwwwwwwwwwwwwwwW.",
         ".+sssssswwkkkkkkkkkkkwW.",
         ".+sfffsswwwwwwwwwwwwwwW.",
         ".+sfffsswwkkkkkkkwwwwwW.",
         ".+ssfsswwwwwwwwwwwwwwwW.",
         ".+ssssswwwkkkkkkkkkwwwW.",
         ".+wwwwwwwwwwwwwwwwwaaawW.",
         ".wwwwwwwwwwwwwwwwwwaAawW",
         "..WWWWWWWWWWWWWWWWWWWW.."},
        {{'s', Rgba::from(140, 148, 162)}, {'f', Rgba::from(196, 200, 208)}});
}

void surveyChart(Canvas& c)
{
    // A strip of blue chart plastic, its right end rolled up.
    const Rgba plastic = Rgba::from(36, 78, 140);
    const Rgba grid = Rgba::from(70, 122, 190);
    for (int y = 9; y < 24; ++y)
        for (int x = 2; x < 24; ++x) {
            Rgba p = (x % 5 == 3 || y % 5 == 1) ? grid : plastic;
            if (y == 9 || x == 2)
                p = mix(plastic, shine, 0.45f);
            if (y == 23)
                p = ui::inShadow(plastic);
            c.set(x, y, p);
        }
    for (auto [x, y] : {std::pair{5, 12}, {9, 20}, {12, 14}, {20, 11}, {21, 20}, {7, 17}})
        c.set(x, y, white);
    // Drake 77, circled hard in grease pencil.
    c.set(16, 17, shine);
    for (auto [x, y] : {std::pair{15, 14}, {16, 14}, {17, 14}, {18, 15}, {19, 16}, {19, 17}, {19, 18}, {18, 19},
             {17, 20}, {16, 20}, {15, 20}, {14, 19}, {13, 18}, {13, 17}, {13, 16}, {14, 15}, {18, 13}})
        c.set(x, y, red);
    // The roll: a tube standing a little proud of the strip.
    for (int y = 7; y < 26; ++y)
        for (int x = 23; x < 30; ++x) {
            bool corner = (y == 7 || y == 25) && (x == 23 || x == 29);
            if (!corner)
                c.set(x, y, acrossTone((static_cast<float>(x) - 26.f) / 3.f, plastic, x, y));
        }
    for (int y = 8; y < 25; y += 3)
        c.set(24, y, grid);
}

void relayMug(Canvas& c)
{
    paint(c, 6, 7,
        {"..bbbbbbbbbbbbbb......",
         ".bCCCCCCCCCCCCCCb.....",
         ".bcccccccccccccCB.....",
         ".wbbbbbbbbbbbbbBW.....",
         ".wwwwwwwwwwwwwwWWwww..",
         ".w+wwwwwwwwwwwwWWWWWw.",
         ".w+wwwwwwaawwwwWW...W.",
         ".w+wwwwwaAAawwwWW...W.",
         ".w+wwwwwaAAawwwWW...W.",
         ".w+wwwwwwaawwwwWW..wW.",
         ".w+wwwwwwwwwwwwWWwwW..",
         ".wwwwwwwwwwwwwwWWWW...",
         ".wwwwwwwwwwwwwwWW.....",
         ".bbbbbbbbbbbbbbBB.....",
         "fffwwwwwwwwwwwwWWff...",
         "ffffffffffffffffff....",
         ".fFffFffffFfffFff....."},
        {{'c', Rgba::from(120, 76, 40)}, {'C', Rgba::from(70, 42, 24)}, {'f', Rgba::from(214, 238, 250)},
         {'F', Rgba::from(150, 196, 226)}});
}

// ---- Hale's Rest -----------------------------------------------------------------------------

void tamsinNameplate(Canvas& c)
{
    // A brass plate torch-cut from the bow: the right edge is ragged and scorched.
    const int left = 1, top = 10, height = 11;
    const int cut[height] = {28, 27, 29, 28, 27, 29, 30, 28, 27, 28, 29};
    for (int j = 0; j < height; ++j)
        for (int x = left; x <= cut[j]; ++x) {
            Rgba p = brass;
            if (j == 0 || x == left)
                p = mix(brass, shine, 0.45f);
            else if (j == height - 1)
                p = ui::inShadow(brass);
            int fromCut = cut[j] - x;
            if (fromCut < 3)
                p = ui::ditherMix(p, Rgba::from(70, 40, 26), 1.f - static_cast<float>(fromCut) / 3.f, x, top + j);
            c.set(x, top + j, p);
        }
    // Engraved: the letter's floor in shadow, its lower-right wall catching the light.
    tinyText(c, left + 3, top + 4, "TAMSIN", mix(brass, shine, 0.5f));
    tinyText(c, left + 2, top + 3, "TAMSIN", Rgba::from(96, 62, 20));
    for (int x : {left + 2, left + 24}) {
        c.set(x, top + 1, shine);
        c.set(x, top + 9, ui::inShadow(brass));
    }
}

void frozenLetter(Canvas& c)
{
    const int x0 = 6, y0 = 4, w = 20, h = 24;
    sheet(c, x0, y0, w, h, paper);
    // The fold across the middle.
    c.fillRect(x0 + 1, y0 + 12, w - 2, 1, ui::inShadow(paper));
    c.fillRect(x0 + 1, y0 + 13, w - 2, 1, shine);
    // Handwriting, a line of loops with gaps between the words.
    const Rgba pen = Rgba::from(52, 62, 118);
    world::Dice dice(5101);
    for (int row : {3, 6, 9, 15, 18, 21}) {
        int end = x0 + w - 3 - (row == 3 ? 6 : dice.below(4));
        for (int x = x0 + (row == 3 ? 2 : 3); x < end; ++x) {
            if (dice.unit() < 0.16f)
                continue;
            c.set(x, y0 + row - (x % 3 == 0 ? 1 : 0), pen);
        }
    }
    // Frost creeping in from the edges, thickest at the corners, with icicles below.
    const Rgba frost = Rgba::from(222, 242, 255);
    const Rgba rime = Rgba::from(150, 200, 232);
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            int edge = std::min(std::min(x - x0, x0 + w - 1 - x), std::min(y - y0, y0 + h - 1 - y));
            int corner = std::min(x - x0, x0 + w - 1 - x) + std::min(y - y0, y0 + h - 1 - y);
            float n = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5102);
            if (edge == 0 && n < 0.7f)
                c.set(x, y, n < 0.35f ? rime : frost);
            else if (corner < 7 && n < 0.75f - 0.1f * static_cast<float>(corner))
                c.set(x, y, n < 0.2f ? rime : frost);
        }
    for (auto [x, length] : {std::pair{x0 + 3, 3}, {x0 + 7, 2}, {x0 + 12, 3}, {x0 + 16, 2}})
        for (int k = 0; k < length; ++k)
            c.set(x, y0 + h + k, k == length - 1 ? rime : frost);
}

void recorderChip(Canvas& c)
{
    paint(c, 8, 4,
        {"..oooooooooooo..",
         ".o+ooooooooooOO.",
         ".o+ooooooooooOO.",
         ".o+wwwwwwwwwwOO.",
         ".o+wkkkkkkkkwOO.",
         ".o+wwwwwwwwwwOO.",
         ".o+wkkkkkwwwwOO.",
         ".o+wwwwwwwwwwOO.",
         ".o+ooooooooooOO.",
         ".o+oookoooooooO.",
         ".o+ooookooooooO.",
         ".o+oookkoooooOO.",
         ".o+ooooookoooOO.",
         ".o+oooooooookOO.",
         ".o+oooooooooooO.",
         ".o+ooooooooooOO.",
         ".o+ooooooooooOO.",
         ".nnnnnnnnnnnnnN.",
         ".nyNyNyNyNyNyNN.",
         ".nyNyNyNyNyNyNN.",
         ".nyNyNyNyNyNyNN.",
         "..NNNNNNNNNNNN.."});
}

// ---- Carrow Deep -----------------------------------------------------------------------------

void buoyLamp(Canvas& c)
{
    // A domed red lens in a steel cage on a bolted base.
    const float cx = 16, cy = 15, r = 8;
    std::vector<Rgba> lens = {Rgba::from(130, 20, 18), red, Rgba::from(255, 110, 80), Rgba::from(255, 200, 170)};
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy); ++y)
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
            float nx = (pixelCentre(x) - cx) / r, ny = (pixelCentre(y) - cy) / r;
            if (nx * nx + ny * ny <= 1.f)
                c.set(x, y, world::rampColor(lens, facing(nx, ny) * 0.8f + 0.2f, x, y));
        }
    c.set(13, 10, shine);
    c.set(12, 11, shine);
    for (int x : {12, 16, 20})
        for (int y = 7; y <= 15; ++y) {
            float nx = (pixelCentre(x) - cx) / r, ny = (pixelCentre(y) - cy) / r;
            if (nx * nx + ny * ny <= 1.f)
                c.set(x, y, x == 20 ? gunmetal : steel);
        }
    c.fillRect(14, 5, 4, 2, steel);
    c.set(14, 5, shine);
    for (int y = 16; y < 25; ++y)
        for (int x = 7; x < 26; ++x)
            c.set(x, y, acrossTone((static_cast<float>(x) - 16.f) / 9.5f, gunmetal, x, y));
    c.fillRect(7, 16, 19, 1, steel);
    for (int x = 9; x < 25; x += 4)
        c.set(x, 20, ink);
    for (int x = 5; x < 28; ++x)
        c.set(x, 25, acrossTone((static_cast<float>(x) - 16.f) / 11.5f, steel, x, 25));
    c.fillRect(5, 26, 23, 1, ui::inShadow(gunmetal));
}

void buoyLampGlow(Canvas& c)
{
    for (float a : {-2.6f, -2.0f, -1.57f, -1.14f, -0.54f}) {
        for (float d = 11.f; d < 14.5f; d += 0.5f)
            c.set(static_cast<int>(16 + std::cos(a) * d), static_cast<int>(15 + std::sin(a) * d), Rgba::from(255, 120, 90));
    }
}

void carrowPearl(Canvas& c)
{
    // A grey pearl lying in the open half of the shell that grew it.
    const Rgba husk = Rgba::from(116, 100, 86);
    ellipse(c, 16, 19, 14, 9.5f, [&](float u, float v, int x, int y) {
        float rough = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5201);
        if (std::hypot(u, v) > 0.93f && rough < 0.3f)
            return Rgba{0, 0, 0, 0};
        return u + v < -0.6f ? mix(husk, shine, 0.3f) : (rough < 0.25f ? ui::inShadow(husk) : husk);
    });
    ellipse(c, 16, 18.5f, 11, 6.5f, [](float u, float v, int x, int y) {
        Rgba nacre = ui::ditherMix(Rgba::from(206, 214, 230), Rgba::from(236, 212, 222), clamp01(u * 0.5f + 0.5f), x, y);
        return v > 0.45f ? mix(nacre, Rgba::from(120, 150, 190), 0.35f) : nacre;
    });
    ball(c, 15.5f, 16.5f, 5.5f,
        {Rgba::from(84, 88, 108), Rgba::from(136, 140, 158), Rgba::from(184, 186, 200), Rgba::from(226, 222, 234)});
    c.set(13, 14, shine);
    c.set(14, 14, shine);
    c.set(13, 15, shine);
    c.set(18, 20, Rgba::from(255, 196, 214));
    c.set(19, 19, Rgba::from(150, 226, 220));
}

void reefRecording(Canvas& c)
{
    // A tape cartridge: dark case, a pale label with a waveform, two reels behind a window.
    const Rgba caseColour = Rgba::from(58, 66, 84);
    plate(c, 3, 7, 26, 18, caseColour, 0.35f);
    const Rgba label = Rgba::from(226, 222, 204);
    c.fillRect(5, 9, 22, 11, label);
    c.fillRect(5, 9, 22, 2, teal);
    c.fillRect(5, 19, 22, 1, ui::inShadow(label));
    // The reef answering: a tone, a pause, and the long reply.
    const int wave[] = {0, 1, -1, 0, 0, 0, 0, 1, -1, 2, -2, 1, -1, 2, -1, 0, 1, -1, 0};
    for (int i = 0; i < 19; ++i)
        for (int k = std::min(0, wave[i]); k <= std::max(0, wave[i]); ++k)
            c.set(7 + i, 13 + k, Rgba::from(0, 138, 34));
    c.fillRect(9, 16, 14, 3, Rgba::from(16, 18, 26));
    c.fillRect(11, 16, 10, 3, Rgba::from(96, 60, 36));
    for (int x : {10, 21}) {
        c.fillRect(x - 1, 16, 3, 3, white);
        c.set(x, 17, ink);
    }
    c.fillRect(8, 21, 16, 3, ui::inShadow(caseColour));
    c.set(11, 22, ink);
    c.set(20, 22, ink);
    for (auto [x, y] : {std::pair{4, 8}, {27, 8}, {4, 23}, {27, 23}})
        c.set(x, y, steel);
}

// ---- The Narrows -----------------------------------------------------------------------------

void meridianPatch(Canvas& c)
{
    // A stitched shield: a gold border round a navy field, a ship over a gold star.
    const Rgba field = Rgba::from(30, 48, 104);
    const Rgba thread = Rgba::from(230, 186, 74);
    auto inside = [](int x, int y) {
        float px = pixelCentre(x), py = pixelCentre(y);
        if (py < 3 || px < 5 || px > 27)
            return false;
        if (py < 17)
            return true;
        // The lower half narrows to a point at (16, 30).
        float halfWidth = 11.f * std::sqrt(std::max(0.f, 1.f - (py - 17.f) / 13.f));
        return std::abs(px - 16.f) <= halfWidth;
    };
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!inside(x, y))
                continue;
            bool border = !inside(x - 2, y) || !inside(x + 2, y) || !inside(x, y - 2) || !inside(x, y + 2);
            bool stitch = !border && (!inside(x - 3, y) || !inside(x + 3, y) || !inside(x, y - 3) || !inside(x, y + 3));
            Rgba p = border ? thread : field;
            if (border && (!inside(x + 1, y) || !inside(x, y + 1)))
                p = ui::inShadow(thread);
            if (stitch && (x + y) % 3 == 0)
                p = mix(field, thread, 0.5f);
            c.set(x, y, p);
        }
    paint(c, 11, 12,
        {".....y.....",
         ".....y.....",
         "....yyy....",
         "yyyyyyyyyyy",
         ".yyyyyyyyy.",
         "..yyyyyyy..",
         "..yyyyyyy..",
         ".yyyY.Yyyy.",
         ".yY.....Yy."},
        {{'y', thread}});
    paint(c, 8, 14,
        {".....ww..........",
         "wwwwwwwwwwwwwwww.",
         ".wwwwwwwwwwwwwwww",
         ".....WW.........."});
}

void fuelToken(Canvas& c)
{
    roundPlate(c, 16, 16, 11.5f, brass);
    // A ring of stamped beads inside the rim, and a fuel drop struck in relief.
    for (int k = 0; k < 20; ++k) {
        float a = static_cast<float>(k) * 6.2832f / 20.f;
        c.set(static_cast<int>(16 + std::cos(a) * 7.8f), static_cast<int>(16 + std::sin(a) * 7.8f), ui::inShadow(brass));
    }
    paint(c, 13, 10,
        {"...+..",
         "...+Y.",
         "..+yyY",
         ".+yyyY",
         ".+yyyyY",
         "+yyyyyY",
         "+yyyyyY",
         ".yyyyY.",
         "..YYY.."},
        {{'y', mix(brass, shine, 0.2f)}});
}

void oduyaCompass(Canvas& c)
{
    // The bail ring on top, then the case, the dial and the needle.
    for (int y = 1; y < 9; ++y)
        for (int x = 11; x < 21; ++x) {
            float d = std::hypot(pixelCentre(x) - 16.f, pixelCentre(y) - 5.f);
            if (d <= 3.6f && d >= 2.f)
                c.set(x, y, pixelCentre(x) + pixelCentre(y) < 21.5f ? mix(brass, shine, 0.4f) : ui::inShadow(brass));
        }
    c.fillRect(15, 7, 2, 2, brass);
    roundPlate(c, 16, 18, 11.5f, brass, 2.2f);
    ellipse(c, 16, 18, 8, 8, [](float u, float v, int, int) {
        return u + v < -1.1f ? shine : Rgba::from(236, 228, 204);
    });
    for (auto [x, y] : {std::pair{16, 11}, {16, 24}, {9, 18}, {22, 18}})
        c.set(x, y, ink);
    tinyText(c, 15, 11, "N", red);
    bar(c, 16.5f, 18.5f, 20.5f, 13.5f, 1.3f, [](float, float, int, int) { return red; });
    bar(c, 16.5f, 18.5f, 12.5f, 23.5f, 1.3f, [](float, float, int, int) { return gunmetal; });
    c.set(16, 18, brass);
}

// ---- Drake 77 and Ellison 2e -----------------------------------------------------------------

void firstSoil(Canvas& c)
{
    // A glass jar with a screw lid, soil in layers and a sprout.
    const Rgba lid = Rgba::from(150, 160, 176);
    for (int y = 3; y < 8; ++y)
        for (int x = 9; x < 23; ++x)
            c.set(x, y, y == 7 ? ui::inShadow(lid) : acrossTone((static_cast<float>(x) - 16.f) / 7.f, (x % 2) ? lid : mix(lid, shine, 0.2f), x, y));
    const Rgba glassy = Rgba::from(200, 228, 238, 190);
    const Rgba soilDark = Rgba::from(74, 48, 30), soil = Rgba::from(116, 78, 46), soilRed = Rgba::from(150, 84, 52);
    for (int y = 8; y < 29; ++y)
        for (int x = 7; x < 25; ++x) {
            bool corner = y >= 27 && (x == 7 || x == 24 || (y == 28 && (x == 8 || x == 23)));
            if (corner)
                continue;
            Rgba p = glassy;
            if (y >= 14) {
                int layer = (y + (x % 5 == 0 ? 1 : 0)) / 4;
                p = layer % 3 == 0 ? soil : (layer % 3 == 1 ? soilDark : soilRed);
                if (Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5301) < 0.12f)
                    p = Rgba::from(186, 150, 110);
            }
            if (x == 7 || x == 8)
                p = mix(p, shine, 0.45f);
            else if (x >= 23)
                p = mix(p, Rgba::from(20, 30, 50), 0.35f);
            c.set(x, y, p);
        }
    // A paper label on the glass.
    c.fillRect(12, 19, 9, 5, paper);
    c.fillRect(13, 21, 6, 1, ink);
    c.fillRect(12, 23, 9, 1, ui::inShadow(paper));
    // The sprout.
    const Rgba leaf = Rgba::from(90, 200, 70);
    for (int y = 10; y < 14; ++y)
        c.set(16, y, leaf);
    paint(c, 13, 9, {"ll...", ".ll.L", "...LL"}, {{'l', leaf}});
}

void reefShell(Canvas& c)
{
    // A ribbed fan shell, hinge at the bottom, faintly lit from inside.
    const float hx = 16, hy = 26;
    const Rgba light = Rgba::from(246, 214, 196), rib = Rgba::from(204, 140, 136);
    for (int y = 2; y < 29; ++y)
        for (int x = 2; x < 30; ++x) {
            float dx = pixelCentre(x) - hx, dy = pixelCentre(y) - hy;
            float d = std::hypot(dx, dy);
            float a = std::atan2(dx, -dy); // 0 straight up
            if (std::abs(a) > 1.25f)
                continue;
            float ribs = std::cos(a * 11.f);
            float edge = 13.f + 0.9f * ribs;
            if (d > edge)
                continue;
            Rgba p = ribs > 0.2f ? light : rib;
            if (d > edge - 1.2f && ribs > 0.2f)
                p = mix(light, shine, 0.3f);
            if (dx > 5.f && ribs <= 0.2f)
                p = ui::inShadow(rib);
            float spot = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5401);
            if (ribs > 0.2f && d > 4.f && d < 10.f && spot < 0.08f)
                p = Rgba::from(110, 236, 220);
            c.set(x, y, p);
        }
    // The two ears at the hinge.
    paint(c, 10, 24, {"rrrr....RRRR", "rrrrrr..RRRR", ".rrrrrrRRR.."}, {{'r', rib}});
}

void sanctuaryLantern(Canvas& c)
{
    paint(c, 6, 1,
        {"........nnnn........",
         ".......n....N.......",
         "......n......N......",
         ".......n....N.......",
         "........nnNN........",
         ".........nN.........",
         "......mmmmmmmm......",
         ".....m++mmmmmmM.....",
         "....mmmmmmmmmmmM....",
         "...nnnnnnnnnnnnnN...",
         "...NNNNNNNNNNNNNN...",
         "....naaaaaaaaaaN....",
         "....na+aaaaaaaAN....",
         "....na+aaffaaaAN....",
         "....na+afhhfaaAN....",
         "....na+afhhfaaAN....",
         "....na+afhhfaaAN....",
         "....na+aafhfaaAN....",
         "....na+aaffaaaAN....",
         "....na+aaaaaaaAN....",
         "....naaaaaaaaaAN....",
         "....naaaaaaaaaAN....",
         "...nnnnnnnnnnnnnN...",
         "...mmmmmmmmmmmmmM...",
         "..m+mmmmmmmmmmmmmM..",
         "..mmmmmmmmmmmmmmmM..",
         "..NNNNNNNNNNNNNNNN.."},
        {{'f', glowAmber}, {'h', shine}, {'A', Rgba::from(200, 120, 20)}});
}

void haldenRoster(Canvas& c)
{
    // A clipboard: a board, a steel clip, the roster with every name ticked.
    plate(c, 5, 4, 22, 26, wood, 0.3f);
    sheet(c, 7, 6, 18, 22, paper);
    paint(c, 11, 2,
        {"..mmmmmm..",
         ".mm+kkmmM.",
         "mmmmmmmmmM",
         "mmmmmmmmmM",
         "MMMMMMMMMM"});
    const Rgba tick = Rgba::from(0, 170, 60);
    const int lengths[] = {11, 8, 12, 9, 10, 7};
    for (int k = 0; k < 6; ++k) {
        int y = 10 + k * 3;
        c.set(8, y, tick);
        c.set(9, y + 1, tick);
        c.set(10, y, tick);
        c.set(11, y - 1, tick);
        c.fillRect(13, y, lengths[k], 1, ink);
    }
}

// ---- Saint Orla's Orchard --------------------------------------------------------------------

void swampPear(Canvas& c)
{
    std::vector<Rgba> skin = {Rgba::from(70, 104, 34), Rgba::from(122, 160, 44), Rgba::from(172, 200, 66),
        Rgba::from(218, 226, 120)};
    ball(c, 15.5f, 21, 8.5f, skin);
    // The neck: a smaller ball above, blended into the body by a run of rows between them.
    for (int y = 10; y < 19; ++y) {
        float t = static_cast<float>(y - 10) / 8.f;
        float half = 4.6f + t * 3.f;
        float cx = 15.5f + (1.f - t) * 0.6f;
        for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x) {
            float nx = (pixelCentre(x) - cx) / (half + 0.5f);
            if (std::abs(nx) <= 1.f)
                c.set(x, y, world::rampColor(skin, facing(nx, -0.3f), x, y));
        }
    }
    ball(c, 16, 11, 4.8f, skin);
    for (auto [x, y] : {std::pair{12, 20}, {18, 23}, {14, 25}, {20, 18}, {17, 14}, {11, 24}})
        c.set(x, y, Rgba::from(110, 90, 40));
    paint(c, 15, 2,
        {"...dlll.",
         "..d.llLl",
         "..d..LL.",
         ".d......",
         ".d......",
         "d......."},
        {{'l', Rgba::from(80, 180, 70)}});
}

void pellTag(Canvas& c)
{
    // A robot's riveted steel plate with its name in a green enamel window.
    plate(c, 2, 9, 28, 14, steel, 0.5f);
    const Rgba enamel = Rgba::from(52, 140, 76);
    c.fillRect(6, 12, 20, 8, enamel);
    c.fillRect(6, 12, 20, 1, ui::inShadow(enamel));
    c.fillRect(6, 12, 1, 8, ui::inShadow(enamel));
    tinyText(c, 9, 14, "PELL", white);
    for (auto [x, y] : {std::pair{3, 10}, {27, 10}, {3, 20}, {27, 20}}) {
        c.set(x, y, shine);
        c.set(x + 1, y, gunmetal);
        c.set(x, y + 1, gunmetal);
        c.set(x + 1, y + 1, ink);
    }
}

void pruningKnife(Canvas& c)
{
    // A hooked pruning blade, its edge on the inside of the curve, on a worn wooden handle.
    Canvas blade(32, 32);
    world::fillPolygon(blade, {{13, 17}, {21, 7}, {24.5f, 3.5f}, {28, 3}, {29.5f, 5.5f}, {28.5f, 9}, {26, 11.5f}, {25.5f, 9},
                                  {23.5f, 9.5f}, {16.5f, 20}},
        steel);
    world::edgeLight(blade, 0.55f, 0.45f);
    // The ground edge along the inside of the hook.
    for (auto [x, y] : {std::pair{17, 18}, {18, 17}, {19, 16}, {20, 14}, {21, 13}, {22, 12}, {23, 10}, {24, 9}})
        blade.set(x, y, shine);
    c.draw(blade, 0, 0);
    bar(c, 4, 28, 13.5f, 18.5f, 2.4f, [](float along, float across, int x, int y) {
        // Pale where the hand has held it for sixty years.
        Rgba worn = along > 0.3f && along < 0.7f && across < 0.2f ? mix(wood, shine, 0.3f) : wood;
        return acrossTone(across, worn, x, y);
    }, true);
    c.fillRect(13, 17, 3, 3, gunmetal);
    c.set(13, 17, steel);
    c.set(8, 24, steel);
    c.set(11, 21, steel);
}

// ---- The Glass Choir -------------------------------------------------------------------------

void singingShard(Canvas& c)
{
    const Rgba lit = Rgba::from(226, 210, 255), mid = Rgba::from(162, 140, 236), dark = Rgba::from(92, 78, 176);
    std::vector<sf::Vector2f> outline = {{15, 2}, {20, 8}, {20.5f, 24}, {16, 30}, {11.5f, 25}, {11, 9}};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float px = pixelCentre(x), py = pixelCentre(y);
            if (!world::insidePolygon(outline, px, py))
                continue;
            // Three facets: the ridge runs down from the tip a little right of centre.
            float ridge = 15.5f + (py - 2.f) * 0.03f;
            Rgba p = px < ridge - 2.f ? lit : (px < ridge + 1.5f ? mid : dark);
            c.set(x, y, p);
        }
    for (int y = 6; y < 24; y += 2)
        c.set(13, y, shine);
    c.set(15, 4, shine);
}

void singingShardHum(Canvas& c)
{
    hum(c, 16, 16, 12.f, 2.7f, 3.5f, amber);
    hum(c, 16, 16, 14.f, 2.8f, 3.4f, amber.scaled(0.7f));
    hum(c, 16, 16, 12.f, -0.4f, 0.4f, amber);
    hum(c, 16, 16, 14.f, -0.3f, 0.3f, amber.scaled(0.7f));
}

void tuningFork(Canvas& c)
{
    paint(c, 10, 2,
        {"+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+m.....+M...",
         "+mm...mmM...",
         ".+mmmmmmM...",
         "..mmmmmM....",
         "....mM......",
         "....mM......",
         "....mM......",
         "....mM......",
         "....mM......",
         "....mM......",
         "....mM......",
         "...mmMM.....",
         "...+mMM.....",
         "....MM......"});
}

void tuningForkHum(Canvas& c)
{
    hum(c, 15, 7, 9.f, 2.6f, 3.6f, amber);
    hum(c, 15, 7, 9.f, -0.5f, 0.5f, amber);
    hum(c, 15, 7, 11.5f, 2.7f, 3.5f, amber.scaled(0.7f));
    hum(c, 15, 7, 11.5f, -0.4f, 0.4f, amber.scaled(0.7f));
}

void choirScore(Canvas& c)
{
    const int x0 = 4, y0 = 3, w = 24, h = 26;
    sheet(c, x0, y0, w, h, paper);
    const Rgba line = Rgba::from(150, 144, 136);
    for (int staff : {4, 15})
        for (int k = 0; k < 5; ++k)
            c.fillRect(x0 + 2, y0 + staff + k * 2, w - 4, 1, line);
    // A clef at the start of each staff, then notes with their stems.
    for (int staff : {4, 15}) {
        paint(c, x0 + 2, y0 + staff - 1, {".k.", "k.k", ".k.", "kk.", "k.k", ".kk", "..k", "..k", ".k.", "k.."});
        const int notes[][2] = {{7, 5}, {10, 3}, {13, 6}, {16, 2}, {19, 4}};
        for (auto [x, step] : notes) {
            int y = y0 + staff + step + (staff == 15 ? (x % 2) : 0);
            c.fillRect(x0 + x, y, 2, 2, ink);
            c.fillRect(x0 + x + 1, y - 5, 1, 5, ink);
        }
    }
    // A dog-eared corner: the tip is folded back over the page.
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            if (i + j > 3)
                c.set(x0 + w - 4 + i, y0 + h - 4 + j, clear);
    paint(c, x0 + w - 4, y0 + h - 4, {"pppP", "ppP.", "pP..", "P..."}, {{'p', mix(paper, shine, 0.4f)}});
}

// ---- Furnace Gate ----------------------------------------------------------------------------

void minersLamp(Canvas& c)
{
    // A yellow hard hat in three-quarter view, its lamp looking to the left.
    const Rgba hat = Rgba::from(236, 196, 40);
    std::vector<Rgba> ramp = {ui::inShadow(hat), Rgba::from(196, 150, 24), hat, Rgba::from(252, 232, 130)};
    for (int y = 6; y <= 19; ++y)
        for (int x = 5; x < 30; ++x) {
            float u = (pixelCentre(x) - 18.f) / 11.5f, v = (pixelCentre(y) - 19.f) / 12.5f;
            if (u * u + v * v <= 1.f && v <= 0.f)
                c.set(x, y, world::rampColor(ramp, facing(u, v), x, y));
        }
    for (int x = 4; x < 31; ++x) {
        c.set(x, 20, x < 8 ? hat : Rgba::from(196, 150, 24));
        c.set(x, 21, ui::inShadow(hat));
    }
    // The crest along the top.
    for (int x = 11; x < 26; ++x)
        c.set(x, 7, mix(hat, shine, 0.4f));
    paint(c, 4, 10,
        {"..nnnn..",
         ".nllllN.",
         "nl++lllN",
         "nl+lllLN",
         "nllllLLN",
         ".nLLLLN.",
         "..NNNN.."},
        {{'l', glowAmber}});
}

void minersLampBeam(Canvas& c)
{
    for (int x = 0; x < 4; ++x)
        for (int y = 10 - x; y <= 16 + x; ++y)
            if (ui::bayer(x, y) < 0.5f - 0.1f * static_cast<float>(x))
                c.blend(x, y, glowAmber.withAlpha(0.8f));
}

void obsidianBlade(Canvas& c)
{
    const Rgba glassBlack = Rgba::from(30, 28, 44), facet = Rgba::from(76, 68, 116), sheen = Rgba::from(156, 136, 216);
    // The blade: a broad leaf from the tip at the upper right down to the haft, its faces
    // flaked in scallops that catch the light one by one.
    bar(c, 28, 3, 12, 19, 6.f, [&](float along, float across, int x, int y) {
        float t = 1.f - along; // 0 at the haft, 1 at the tip
        float halfWidth = 6.f * std::pow(std::sin(3.1416f * std::min(1.f, t * 0.55f + 0.08f)), 1.2f) * (1.f - t * t * 0.9f);
        if (std::abs(across) * 6.f > halfWidth + 0.2f)
            return clear;
        float edge = halfWidth - std::abs(across) * 6.f;
        int flake = static_cast<int>(along * 9.f + (across < 0 ? 0.5f : 0.f));
        if (edge < 1.f)
            return across < 0 ? sheen : facet;
        if (flake % 2 == 0)
            return across < 0 ? facet : glassBlack;
        return ui::ditherMix(glassBlack, facet, across < 0 ? 0.5f : 0.15f, x, y);
    });
    // The haft, bound with leather cord.
    bar(c, 12.5f, 18.5f, 4.5f, 27.5f, 2.2f, [](float along, float across, int x, int y) {
        Rgba cord = Rgba::from(150, 98, 56);
        bool groove = static_cast<int>(along * 10.f) % 2 == 1;
        return acrossTone(across, groove ? ui::inShadow(cord) : cord, x, y);
    }, true);
    c.set(24, 7, shine);
    c.set(23, 8, shine);
}

void gateFuse(Canvas& c)
{
    // A cartridge fuse: a ceramic body between copper caps, blade contacts at each end.
    paint(c, 1, 9,
        {"..yyyy..................yyyy..",
         ".y+yyyY................y+yyyY.",
         ".y+yyyYwwwwwwwwwwwwwwwWy+yyyY.",
         ".y+yyyYw+++++++++++++WWy+yyyY.",
         "my+yyyYwwwwwwwwwwwwwwWWy+yyyYM",
         "my+yyyYwwwwwwwwwwwwwwWWy+yyyYM",
         "my+yyyYwwwwwwwwwwwwwwWWy+yyyYM",
         "my+yyyYwwwwwwwwwwwwwwWWy+yyyYM",
         "my+yyyYwwwwwwwwwwwwwwWWy+yyyYM",
         ".y+yyyYwrrrrrrrrrrrrrRWy+yyyY.",
         ".y+yyyYWWWWWWWWWWWWWWWWy+yyyY.",
         ".y+yyyY................y+yyyY.",
         "..YYYY..................YYYY.."},
        {{'y', Rgba::from(214, 120, 60)}, {'w', Rgba::from(232, 228, 218)}});
    paint(c, 13, 12, {"...rr", "..rr.", ".rrrr", "..rr.", ".rr..", "rr..."}, {{'r', Rgba::from(220, 60, 30)}});
}

// ---- Quiet Harbour ---------------------------------------------------------------------------

void stethoscope(Canvas& c)
{
    auto tube = [](const Rgba& base) {
        return [base](float, float across, int x, int y) { return acrossTone(across, base, x, y); };
    };
    // Ear tubes in steel, then the teal tubing down to the chest piece.
    bar(c, 9, 4, 12, 11, 1.0f, tube(steel), true);
    bar(c, 23, 4, 20, 11, 1.0f, tube(steel), true);
    bar(c, 12, 11, 16, 15, 1.0f, tube(steel), true);
    bar(c, 20, 11, 16, 15, 1.0f, tube(steel), true);
    const float path[][2] = {{16, 15}, {14, 19}, {13, 24}, {15, 28}, {19, 28.5f}, {21, 26}};
    for (int k = 0; k + 1 < 6; ++k)
        bar(c, path[k][0], path[k][1], path[k + 1][0], path[k + 1][1], 1.2f, tube(teal), true);
    c.fillRect(7, 2, 3, 3, ink);
    c.fillRect(22, 2, 3, 3, ink);
    c.set(7, 2, gunmetal);
    c.set(22, 2, gunmetal);
    roundPlate(c, 23.5f, 22.5f, 5.f, steel, 1.3f);
    ellipse(c, 23.5f, 22.5f, 2.2f, 2.2f, [](float, float, int, int) { return Rgba::from(70, 76, 94); });
}

void quarantineTag(Canvas& c)
{
    // A red tag with a hazard band and SEALED stencilled on it, torn through and pulled apart.
    Canvas tag(27, 17);
    const Rgba tagRed = Rgba::from(200, 40, 32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 27; ++x) {
            int clip = std::max(0, 3 - std::min(y, 16 - y));
            if (x < clip)
                continue;
            Rgba p = tagRed;
            if (y == 0 || x == clip)
                p = mix(tagRed, shine, 0.35f);
            else if (y == 16 || x == 26)
                p = ui::inShadow(tagRed);
            if (y >= 2 && y <= 5 && x >= 5 && x <= 25)
                p = ((x + y) / 2) % 2 == 0 ? Rgba::from(250, 210, 40) : ink;
            tag.set(x, y, p);
        }
    tinyText(tag, 4, 9, "SEALED", white);
    // The eyelet.
    tag.set(2, 8, steel);
    tag.set(1, 8, clear);
    const int tear[17] = {14, 15, 14, 16, 15, 14, 16, 15, 15, 15, 15, 15, 15, 15, 16, 14, 15};
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 27; ++x) {
            Rgba p = tag.get(x, y);
            if (p.a <= 0)
                continue;
            if (x <= tear[y])
                c.set(1 + x, 7 + y, p);
            else
                c.set(3 + x, 8 + y, p);
        }
}

void childsDrawing(Canvas& c)
{
    const int x0 = 3, y0 = 5, w = 26, h = 22;
    const Rgba page = Rgba::from(246, 242, 234);
    sheet(c, x0, y0, w, h, page);
    // Crayon: a yellow sun, a grey ship, four people holding hands on green grass.
    paint(c, x0 + 2, y0 + 2,
        {"y.y.y",
         ".yyy.",
         "yyyyy",
         ".yyy.",
         "y.y.y"},
        {{'y', Rgba::from(250, 200, 30)}});
    paint(c, x0 + 11, y0 + 3,
        {"....ss......",
         "ssssssssss..",
         "sssbsbsssssa",
         "ssssssssss..",
         "....ss......"},
        {{'s', Rgba::from(130, 138, 160)}, {'b', Rgba::from(60, 120, 220)}, {'a', Rgba::from(250, 140, 30)}});
    const Rgba people[] = {Rgba::from(220, 50, 50), Rgba::from(50, 100, 220), Rgba::from(60, 170, 60), Rgba::from(160, 70, 200)};
    for (int k = 0; k < 4; ++k) {
        int px = x0 + 4 + k * 5;
        paint(c, px, y0 + 10,
            {".h.",
             ".h.",
             "hhh",
             ".h.",
             "h.h",
             "h.h"},
            {{'h', people[k]}});
        if (k < 3)
            c.fillRect(px + 3, y0 + 12, 2, 1, people[k]);
    }
    for (int x = x0 + 1; x < x0 + w - 1; ++x)
        if (x % 4 != 0)
            c.set(x, y0 + 17 + (x % 3 == 0 ? 1 : 0), Rgba::from(70, 180, 60));
}

// ---- Tessaly Dunes ---------------------------------------------------------------------------

void seedPacket(Canvas& c)
{
    const Rgba kraft = Rgba::from(206, 172, 118);
    sheet(c, 6, 4, 20, 25, kraft);
    // The crimped top and the folded flap.
    for (int x = 6; x < 26; ++x) {
        c.set(x, 3, x % 2 == 0 ? mix(kraft, shine, 0.4f) : clear);
        c.set(x, 7, ui::inShadow(kraft));
    }
    c.fillRect(6, 4, 20, 3, mix(kraft, shine, 0.15f));
    // The label: a winter wheat ear, and the lot number.
    sheet(c, 9, 10, 14, 16, paper);
    paint(c, 12, 11,
        {"....y...",
         "...yYy..",
         "..y.y.y.",
         "...yYy..",
         "..y.y.y.",
         "...yYy..",
         "..y.y.y.",
         "...yYy..",
         "....g...",
         "....g...",
         "...gg...",
         "....g...",
         "....g..."},
        {{'y', Rgba::from(214, 160, 40)}, {'g', Rgba::from(120, 150, 60)}});
    tinyText(c, 17, 20, "12", ink);
}

void vialOfSand(Canvas& c)
{
    const Rgba tube = Rgba::from(200, 230, 242, 200);
    const Rgba sand = Rgba::from(196, 74, 44), sandLight = Rgba::from(232, 122, 70);
    bar(c, 7, 25, 24, 8, 3.6f, [&](float along, float across, int x, int y) {
        if (along > 0.84f)
            return acrossTone(across, Rgba::from(190, 140, 90), x, y);
        if (across < -0.55f)
            return mix(tube, shine, 0.6f);
        if (along < 0.58f)
            return ui::ditherMix(sand, sandLight, across < 0 ? 0.5f : 0.2f, x, y);
        return across > 0.6f ? mix(tube, Rgba::from(40, 60, 90), 0.3f) : tube;
    }, true);
}

void stormGoggles(Canvas& c)
{
    const Rgba strap = Rgba::from(120, 78, 44);
    for (int y = 14; y < 19; ++y) {
        for (int x = 1; x < 4; ++x)
            c.set(x, y, y == 14 ? mix(strap, shine, 0.3f) : (y == 18 ? ui::inShadow(strap) : strap));
        for (int x = 28; x < 31; ++x)
            c.set(x, y, y == 14 ? mix(strap, shine, 0.3f) : (y == 18 ? ui::inShadow(strap) : strap));
    }
    for (float cx : {9.f, 23.f}) {
        roundPlate(c, cx, 16, 6.5f, brass, 1.5f);
        ellipse(c, cx, 16, 4.3f, 4.3f, [&](float u, float v, int x, int y) {
            Rgba lens = Rgba::from(176, 120, 50);
            if (u + v < -0.9f)
                return Rgba::from(250, 220, 150);
            return ui::ditherMix(lens, ui::inShadow(lens), clamp01((u + v) * 0.6f + 0.3f), x, y);
        });
    }
    // Scratches on the lenses and the bridge between them.
    c.set(21, 17, shine);
    c.set(22, 18, shine);
    c.set(24, 14, shine);
    c.set(10, 18, shine);
    c.fillRect(15, 15, 3, 2, strap);
    c.fillRect(15, 17, 3, 1, ui::inShadow(strap));
    c.set(4, 18, Rgba::from(230, 180, 110));
    c.set(27, 19, Rgba::from(230, 180, 110));
}

// ---- Cinder Market ---------------------------------------------------------------------------

void cinderCoin(Canvas& c)
{
    const Rgba slag = Rgba::from(84, 80, 86);
    Noise rough(5801);
    for (int y = 2; y < 30; ++y)
        for (int x = 2; x < 30; ++x) {
            float dx = pixelCentre(x) - 16, dy = pixelCentre(y) - 16;
            float a = std::atan2(dy, dx);
            float r = 11.3f + 1.4f * (rough.value(std::cos(a) * 2.f + 3.f, std::sin(a) * 2.f + 3.f) - 0.5f) * 2.f;
            float d = std::hypot(dx, dy);
            if (d > r)
                continue;
            Rgba p = slag;
            if (d > r - 1.6f)
                p = dx + dy < 0 ? mix(slag, shine, 0.3f) : ui::inShadow(slag);
            float n = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5802);
            if (n < 0.1f)
                p = ui::inShadow(slag);
            else if (n > 0.97f)
                p = Rgba::from(240, 120, 40);
            c.set(x, y, p);
        }
    // The stamped pick, raised: its shadow first, then its face.
    const Rows pick = {"..ppppppp..", ".p...p...p.", "p....p....p", ".....p.....", ".....p.....", ".....p.....",
        ".....p.....", ".....p....."};
    paint(c, 11, 10, pick, {{'p', Rgba::from(40, 38, 44)}});
    paint(c, 10, 9, pick, {{'p', Rgba::from(186, 182, 186)}});
}

void luckCharm(Canvas& c)
{
    // A horseshoe bent from a hull bolt, hung open end up on a red cord with a bead.
    const Rgba cord = Rgba::from(200, 40, 40);
    for (int k = 0; k <= 8; ++k) {
        c.set(8 + k * 7 / 8, 11 - k, cord);
        c.set(24 - k * 7 / 8, 11 - k, cord);
    }
    ball(c, 16, 3.5f, 2.2f, {Rgba::from(120, 80, 10), amber, glowAmber});
    for (int y = 10; y < 30; ++y)
        for (int x = 4; x < 29; ++x) {
            float dx = pixelCentre(x) - 16, dy = pixelCentre(y) - 19;
            float d = dy > 0 ? std::hypot(dx, dy) : std::abs(dx);
            if (d > 10.f || d < 5.5f)
                continue;
            c.set(x, y, acrossTone((d - 7.75f) / 2.25f * (dx + dy < 0 ? -1.f : 1.f), steel, x, y));
        }
    for (auto [x, y] : {std::pair{8, 14}, {8, 19}, {9, 24}, {23, 14}, {23, 19}, {22, 24}})
        c.set(x, y, ink);
}

void ashcombeBadge(Canvas& c)
{
    // Silver wings on either side of an amber evening star.
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k) {
            int y = 11 + k * 3;
            int reach = 13 - k * 3;
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < reach; ++i) {
                    int x = side < 0 ? 12 - i : 19 + i;
                    bool tip = i >= reach - 2 && j == (side < 0 ? 2 : 2);
                    if (tip && i == reach - 1)
                        continue;
                    Rgba p = j == 0 ? mix(steel, shine, 0.4f) : (j == 2 ? ui::inShadow(steel) : steel);
                    c.set(x, y + j, p);
                }
        }
    roundPlate(c, 16, 16, 5.5f, brass, 1.3f);
    paint(c, 14, 14, {"..a..", ".aha.", "aahaa", ".aha.", "..a.."}, {{'a', amber}, {'h', shine}});
}

// ---- Halcyon Ring ----------------------------------------------------------------------------

void ringIceCore(Canvas& c)
{
    // A cylinder of ice lying across the picture, banded by its years, its near end cut flat.
    const Rgba iceA = Rgba::from(214, 236, 250), iceB = Rgba::from(160, 204, 232), iceC = Rgba::from(110, 160, 210);
    for (int y = 10; y < 23; ++y)
        for (int x = 5; x < 29; ++x) {
            float across = (static_cast<float>(y) - 16.f) / 6.5f;
            if (x == 28 && (y == 10 || y == 22))
                continue;
            int layer = (x * 7 + (x / 3) * 5) % 11;
            Rgba base = layer < 4 ? iceA : (layer < 8 ? iceB : iceC);
            c.set(x, y, acrossTone(across, base, x, y));
        }
    ellipse(c, 5, 16, 3.2f, 6.5f, [&](float u, float v, int x, int y) {
        float r = std::hypot(u, v);
        return ui::ditherMix(mix(iceA, shine, 0.4f), iceB, r, x, y);
    });
    c.set(12, 12, shine);
    c.set(19, 11, shine);
    c.set(24, 13, shine);
}

void halcyonDiary(Canvas& c)
{
    const Rgba cover = Rgba::from(40, 96, 114);
    // Pages showing at the right and bottom, then the cover, its spine and its strap.
    c.fillRect(8, 6, 19, 23, Rgba::from(232, 224, 200));
    for (int y = 7; y < 28; y += 2)
        c.set(26, y, Rgba::from(190, 180, 160));
    for (int y = 4; y < 27; ++y)
        for (int x = 6; x < 25; ++x) {
            Rgba p = x < 9 ? ui::inShadow(cover) : cover;
            if (y == 4 || x == 6)
                p = mix(cover, shine, 0.35f);
            else if (y == 26 || x == 24)
                p = ui::inShadow(cover);
            c.set(x, y, p);
        }
    for (int y : {7, 23})
        c.fillRect(6, y, 3, 1, amber);
    c.fillRect(12, 9, 9, 1, amber);
    c.fillRect(13, 11, 7, 1, amber);
    c.fillRect(21, 4, 2, 23, Rgba::from(34, 30, 40));
    c.fillRect(21, 4, 1, 23, gunmetal);
    paint(c, 15, 27, {"rR", "rR", "rR", "r.R"});
}

void slingshotPlot(Canvas& c)
{
    const int x0 = 3, y0 = 4, w = 26, h = 24;
    const Rgba graph = Rgba::from(242, 238, 222), rule = Rgba::from(176, 204, 232);
    sheet(c, x0, y0, w, h, graph);
    for (int y = y0 + 1; y < y0 + h - 1; ++y)
        for (int x = x0 + 1; x < x0 + w - 1; ++x)
            if ((x - x0) % 3 == 0 || (y - y0) % 3 == 0)
                c.set(x, y, rule);
    // The giant in pencil, and the red course swinging round it.
    const Rgba pencil = Rgba::from(100, 100, 116);
    ellipse(c, 19, 16, 4.5f, 4.5f, [&](float u, float v, int x, int y) {
        float r = std::hypot(u, v);
        return r > 0.72f ? pencil : ((x + y) % 2 == 0 && u + v > 0 ? Rgba::from(170, 170, 180) : Rgba{0, 0, 0, 0});
    });
    const int course[][2] = {{5, 25}, {9, 23}, {13, 23}, {16, 23}, {20, 23}, {24, 21}, {26, 17}, {25, 12}, {22, 9}, {17, 7}, {12, 7}, {7, 8}};
    for (int k = 0; k + 1 < 12; ++k)
        world::crispLine(c, pixelCentre(course[k][0]), pixelCentre(course[k][1]), pixelCentre(course[k + 1][0]),
            pixelCentre(course[k + 1][1]), 1.2f, red);
    paint(c, 5, 6, {"..r", "rrr", "..r"});
}

// ---- The phenomena ---------------------------------------------------------------------------

void horizonPlate(Canvas& c)
{
    // A glass photographic plate in a steel frame: the black disc in its ring of fire.
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x) {
            bool rim = x < 6 || y < 6 || x > 25 || y > 25;
            Rgba p = Rgba::from(6, 6, 14);
            if (rim)
                p = (x < 5 || y < 5) ? mix(steel, shine, 0.4f) : ((x > 26 || y > 26) ? ui::inShadow(steel) : steel);
            c.set(x, y, p);
        }
    for (auto [x, y] : {std::pair{9, 8}, {23, 10}, {8, 21}, {22, 23}, {12, 24}})
        c.set(x, y, steel);
    // The lensed light above the hole, the disc across it, and the dark itself.
    for (int y = 6; y < 26; ++y)
        for (int x = 6; x < 26; ++x) {
            float dx = pixelCentre(x) - 16, dy = pixelCentre(y) - 16;
            float ring = std::hypot(dx, dy);
            float disc = std::hypot(dx / 9.f, dy / 2.6f);
            if (ring >= 4.2f && ring <= 5.6f && dy < 1.f)
                c.set(x, y, Rgba::from(255, 170, 60));
            if (disc <= 1.f && ring > 3.6f)
                c.set(x, y, disc < 0.55f ? Rgba::from(255, 246, 210) : (disc < 0.8f ? Rgba::from(255, 196, 80) : Rgba::from(214, 100, 20)));
            if (ring < 3.6f && !(disc <= 1.f && dy > 0.f))
                c.set(x, y, Rgba::from(0, 0, 0));
        }
}

void pulsarClock(Canvas& c)
{
    // A desk clock on two feet with a knob on top; on its dial a pulsar's two beams.
    c.fillRect(14, 2, 4, 3, steel);
    c.set(14, 2, shine);
    c.fillRect(7, 26, 4, 3, gunmetal);
    c.fillRect(21, 26, 4, 3, gunmetal);
    c.set(7, 26, steel);
    c.set(21, 26, steel);
    roundPlate(c, 16, 15.5f, 11.5f, steel, 2.2f);
    ellipse(c, 16, 15.5f, 8.2f, 8.2f, [](float u, float v, int, int) {
        return u + v < -1.15f ? shine : Rgba::from(238, 234, 222);
    });
    for (auto [x, y] : {std::pair{16, 8}, {15, 8}, {16, 23}, {8, 15}, {23, 15}, {11, 10}, {21, 10}, {11, 21}, {21, 21}})
        c.set(x, y, ink);
    c.set(13, 18, teal);
    c.set(12, 19, teal);
    c.set(18, 13, teal);
    c.set(19, 12, teal);
    bar(c, 16, 15.5f, 12, 12, 0.7f, [](float, float, int, int) { return ink; });
    bar(c, 16, 15.5f, 21.5f, 10.5f, 0.6f, [](float, float, int, int) { return ink; });
    c.set(16, 15, red);
}

void auroraSketch(Canvas& c)
{
    // A sketchbook page on dark paper: coloured-pencil curtains over a grey line of hull.
    const Rgba page = Rgba::from(26, 32, 62);
    sheet(c, 3, 6, 26, 22, page);
    const Rgba auroraGreen = Rgba::from(80, 230, 130), auroraViolet = Rgba::from(176, 116, 236);
    for (int x = 5; x < 27; ++x) {
        int top = 10 + static_cast<int>(std::lround(2.2f * std::sin(static_cast<float>(x) * 0.55f)));
        int length = 6 + static_cast<int>(std::lround(2.f * std::sin(static_cast<float>(x) * 0.9f + 1.f)));
        for (int k = 0; k < length; ++k) {
            float fade = static_cast<float>(k) / static_cast<float>(length);
            if (ui::bayer(x, top + k) > 1.f - fade * 0.8f || x % 3 == 2)
                continue;
            c.set(x, top + k, k < 2 ? auroraViolet : auroraGreen);
        }
    }
    for (int x = 4; x < 28; ++x)
        c.set(x, 24 - (x > 8 && x < 22 ? 1 : 0) - (x > 12 && x < 18 ? 1 : 0), Rgba::from(176, 184, 196));
    for (int x = 5; x < 28; x += 3) {
        c.fillRect(x, 3, 1, 4, steel);
        c.set(x, 3, shine);
        c.set(x + 1, 6, ink);
    }
}

void wandererFragment(Canvas& c)
{
    // A curl of machined iron-glass: a thick crescent with grooves turned into it and a glass edge.
    const Rgba iron = Rgba::from(92, 98, 114);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dx = pixelCentre(x) - 15.f, dy = pixelCentre(y) - 19.f;
            float d = std::hypot(dx, dy);
            float a = std::atan2(dy, dx);
            if (a > -0.05f && a < 2.6f)
                continue;
            float thickness = 2.5f + 2.5f * std::sin((a < 0 ? a + 6.2832f : a) * 0.5f);
            float inner = 12.f - thickness;
            if (d > 12.f || d < inner)
                continue;
            Rgba p = iron;
            if (d < inner + 1.2f)
                p = Rgba::from(120, 226, 236);
            else if (static_cast<int>(d * 1.5f) % 2 == 0)
                p = dy < 0 && dx < 4 ? mix(iron, shine, 0.35f) : ui::inShadow(iron);
            c.set(x, y, p);
        }
    c.set(6, 12, shine);
    c.set(9, 9, shine);
}

void wandererKey(Canvas& c)
{
    const Rgba keySteel = Rgba::from(150, 160, 180);
    bar(c, 13, 18, 27, 4, 1.8f, [&](float along, float across, int x, int y) {
        if (std::abs(across) < 0.3f && along > 0.1f && along < 0.9f)
            return Rgba::from(80, 255, 120);
        return acrossTone(across, keySteel, x, y);
    });
    // The bit: steps cut on one side toward the tip.
    for (auto [x, y, length] : {std::tuple{22, 12, 3}, {25, 9, 2}, {19, 15, 2}})
        for (int k = 0; k < length; ++k)
            c.set(x + k, y + k, ui::inShadow(keySteel));
    for (int y = 14; y < 31; ++y)
        for (int x = 2; x < 18; ++x) {
            float dx = pixelCentre(x) - 9.f, dy = pixelCentre(y) - 22.f;
            float d = std::hypot(dx, dy);
            if (d > 6.5f || d < 3.f)
                continue;
            c.set(x, y, acrossTone((d - 4.75f) / 1.75f * (dx + dy < 0 ? -1.f : 1.f), keySteel, x, y));
        }
    ball(c, 9, 22, 2.2f, {Rgba::from(0, 110, 40), Rgba::from(0, 220, 60), Rgba::from(180, 255, 180)});
}

// ---- The visitors ----------------------------------------------------------------------------

void hullPrint(Canvas& c)
{
    // A print with a white border, like the family photograph: a porthole whose frosted glass
    // shows a curling row of sucker prints, melted clear down to the dark outside.
    sheet(c, 3, 4, 26, 24, paper);
    for (int y = 6; y < 26; ++y)
        for (int x = 5; x < 27; ++x)
            c.set(x, y, Rgba::from(70, 78, 94));
    ellipse(c, 16, 16, 9.5f, 9.5f, [](float u, float v, int x, int y) {
        float r = std::hypot(u, v);
        if (r > 0.82f)
            return u + v < 0 ? steel : gunmetal;
        float n = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 6001);
        return n < 0.3f ? Rgba::from(176, 206, 226) : Rgba::from(214, 236, 248);
    });
    // The arm's smear, melted thinner than the frost around it.
    const float arm[][2] = {{10, 10}, {10.5f, 13}, {12, 16}, {14.5f, 18.5f}, {18, 20}, {22, 19}};
    for (int k = 0; k + 1 < 6; ++k)
        bar(c, arm[k][0], arm[k][1], arm[k + 1][0], arm[k + 1][1], 1.2f + 0.45f * static_cast<float>(k),
            [](float, float, int, int) { return Rgba::from(120, 150, 186); }, true);
    const Rgba dark = Rgba::from(16, 22, 44);
    const float suckers[][3] = {{10.5f, 11.5f, 1.2f}, {11.5f, 14.5f, 1.5f}, {13.5f, 17.5f, 1.8f}, {17, 19.5f, 2.0f},
        {21, 18.5f, 2.1f}};
    for (auto [sx, sy, r] : suckers)
        for (int y = static_cast<int>(sy - r) - 1; y <= static_cast<int>(sy + r) + 1; ++y)
            for (int x = static_cast<int>(sx - r) - 1; x <= static_cast<int>(sx + r) + 1; ++x) {
                float d = std::hypot(pixelCentre(x) - sx, pixelCentre(y) - sy);
                if (d <= r && d > r - 1.f)
                    c.set(x, y, dark);
            }
}

void vodovGift(Canvas& c)
{
    // A gold ring with a blue stone, a red bow tied round the band.
    const Rgba gold = Rgba::from(240, 190, 60);
    ellipse(c, 15, 20, 9, 6, [&](float u, float v, int x, int y) {
        float r = std::hypot(u, v);
        if (r < 0.66f)
            return Rgba{0, 0, 0, 0};
        bool back = v < 0;
        Rgba p = back ? ui::inShadow(gold) : gold;
        if (!back && u < -0.3f && r > 0.85f)
            p = mix(gold, shine, 0.5f);
        return ui::ditherMix(p, ui::inShadow(gold), back ? 0.f : clamp01(u * 0.8f), x, y);
    });
    paint(c, 11, 8,
        {"...ll...",
         "..l+lL..",
         ".l+llLL.",
         "llllLLLL",
         ".LlllLL.",
         "..LlLL..",
         "...LL...",
         "..yyYY.."},
        {{'l', Rgba::from(90, 150, 255)}, {'L', Rgba::from(40, 70, 170)}, {'y', gold}});
    paint(c, 21, 17,
        {"rr.rr",
         "rrrrr",
         ".rRr.",
         "rr.RR",
         "r...R"});
}

void vodovGiftSparkle(Canvas& c)
{
    twinkle(c, 6, 7, amber);
    twinkle(c, 26, 9, amber);
    twinkle(c, 4, 24, amber);
}

void kittiwakeBeacon(Canvas& c)
{
    // An orange distress beacon with reflective bands, its lamp dark at last, its whip antenna up.
    bar(c, 20, 8, 27, 1, 0.7f, [](float, float, int, int) { return steel; });
    ellipse(c, 15.5f, 10, 4.5f, 4.5f, [](float u, float v, int x, int y) {
        if (v > 0.f)
            return Rgba{0, 0, 0, 0};
        Rgba dead = Rgba::from(120, 128, 140);
        return u + v < -0.8f ? Rgba::from(200, 206, 214) : ui::ditherMix(dead, ui::inShadow(dead), clamp01(u * 0.8f + 0.3f), x, y);
    });
    for (int y = 10; y < 29; ++y)
        for (int x = 9; x < 23; ++x) {
            float across = (static_cast<float>(x) - 16.f) / 7.f;
            Rgba base = orange;
            if (y == 10 || y == 11 || y == 27 || y == 28)
                base = Rgba::from(60, 64, 76);
            else if (y == 15 || y == 16 || y == 21 || y == 22)
                base = Rgba::from(226, 232, 236);
            c.set(x, y, acrossTone(across, base, x, y));
        }
    c.fillRect(18, 18, 2, 2, ink);
    c.set(18, 18, steel);
}

void sleeperBracelet(Canvas& c)
{
    // A cryo bracelet seen from above the wrist line: the band, and its blank plate in front.
    const Rgba band = Rgba::from(226, 234, 238);
    ellipse(c, 16, 17, 12, 7.5f, [&](float u, float v, int x, int y) {
        float r = std::hypot(u, v);
        if (r < 0.7f)
            return Rgba{0, 0, 0, 0};
        Rgba p = v < 0 ? ui::inShadow(band) : band;
        if (r > 0.78f && r < 0.86f)
            p = v < 0 ? ui::inShadow(teal) : teal;
        if (v > 0 && u < -0.4f && r > 0.9f)
            p = shine;
        return ui::ditherMix(p, ui::inShadow(p), v > 0 ? clamp01(u * 0.7f) : 0.f, x, y);
    });
    paint(c, 11, 19,
        {"mmmmmmmmmm",
         "m+++++++mM",
         "m+llllll.M",
         "m+llllllmM",
         "mmmmmmmmmM",
         ".MMMMMMMM."},
        {{'l', Rgba::from(196, 204, 214)}, {'.', steel}});
    c.set(19, 21, Rgba::from(0, 80, 30));
}

void hullPebble(Canvas& c)
{
    // Tweezers holding a grain of grit, with the glint of hull metal still on it.
    bar(c, 27, 3, 11, 20, 1.0f, [](float, float across, int x, int y) { return acrossTone(across, steel, x, y); }, true);
    bar(c, 29, 6, 13, 22, 1.0f, [](float, float across, int x, int y) { return acrossTone(across, steel, x, y); }, true);
    c.fillRect(27, 3, 3, 3, gunmetal);
    ball(c, 8.5f, 23.5f, 4.2f, {Rgba::from(44, 40, 40), Rgba::from(84, 74, 68), Rgba::from(130, 116, 104), Rgba::from(170, 156, 140)});
    c.set(7, 22, shine);
    c.set(10, 25, Rgba::from(200, 206, 216));
}

void launchBroadcast(Canvas& c)
{
    // A tape reel: a steel flange with three windows on the wound tape, and a loose end.
    const Rgba tape = Rgba::from(112, 70, 40);
    world::crispLine(c, 24, 20, 28, 27, 1.2f, tape);
    world::crispLine(c, 28, 27, 24, 29, 1.2f, tape);
    roundPlate(c, 15, 15, 12.5f, steel, 1.8f);
    for (int y = 2; y < 29; ++y)
        for (int x = 2; x < 29; ++x) {
            float dx = pixelCentre(x) - 15, dy = pixelCentre(y) - 15;
            float d = std::hypot(dx, dy);
            float a = std::atan2(dy, dx);
            bool window = false;
            for (float centre : {-1.57f, 0.52f, 2.62f}) {
                float da = std::remainder(a - centre, 6.2832f);
                if (std::abs(da) < 0.62f && d > 4.5f && d < 9.8f)
                    window = true;
            }
            if (window)
                c.set(x, y, d < 8.f ? (static_cast<int>(d * 2.f) % 3 == 0 ? ui::inShadow(tape) : tape) : Rgba::from(12, 14, 24));
        }
    ellipse(c, 15, 15, 2.6f, 2.6f, [](float u, float v, int, int) {
        return std::hypot(u, v) < 0.45f ? Rgba::from(12, 14, 24) : gunmetal;
    });
}

void crateLabel(Canvas& c)
{
    // A stencilled label peeled off a crate: a staple, a line of print, NOBODY and a barcode.
    const Rgba label = Rgba::from(232, 218, 180);
    for (int y = 7; y < 26; ++y)
        for (int x = 2; x < 30; ++x) {
            if (x + y > 50)
                continue; // the torn corner
            Rgba p = label;
            if (y == 7 || x == 2)
                p = mix(label, shine, 0.4f);
            else if (y == 25 || x == 29 || x + y == 50)
                p = ui::inShadow(label);
            c.set(x, y, p);
        }
    c.fillRect(4, 8, 4, 1, steel);
    for (int x = 6; x < 27; x += 4)
        c.fillRect(x, 11, 3, 1, Rgba::from(120, 108, 90));
    tinyText(c, 5, 13, "NOBODY", ink);
    for (int x = 5; x < 22; ++x)
        if ((x * 7) % 5 < 3)
            c.fillRect(x, 20, 1, 4, ink);
}

void driedAshcap(Canvas& c)
{
    // A wrinkled grey-brown cap, its gills underneath, a short pale stem.
    const Rgba stem = Rgba::from(206, 192, 170);
    for (int y = 17; y < 29; ++y)
        for (int x = 13; x < 20; ++x) {
            bool corner = y == 28 && (x == 13 || x == 19);
            if (!corner)
                c.set(x, y, acrossTone((static_cast<float>(x) - 16.f) / 3.5f, stem, x, y));
        }
    ellipse(c, 16, 16, 12.5f, 3.f, [](float u, float v, int x, int) {
        if (v < 0)
            return Rgba{0, 0, 0, 0};
        Rgba gill = Rgba::from(110, 92, 78);
        return (x + (u < 0 ? 0 : 1)) % 2 == 0 ? gill : ui::inShadow(gill);
    });
    const Rgba cap = Rgba::from(138, 118, 100);
    std::vector<Rgba> ramp = {ui::inShadow(cap), Rgba::from(110, 94, 80), cap, Rgba::from(184, 166, 146)};
    for (int y = 4; y <= 16; ++y)
        for (int x = 3; x < 30; ++x) {
            float u = (pixelCentre(x) - 16.f) / 13.f, v = (pixelCentre(y) - 16.5f) / 12.f;
            if (u * u + v * v > 1.f)
                continue;
            Rgba p = world::rampColor(ramp, facing(u, v), x, y);
            float wrinkle = std::sin(std::atan2(v, u) * 14.f + std::hypot(u, v) * 6.f);
            if (wrinkle > 0.8f)
                p = ui::inShadow(p);
            c.set(x, y, p);
        }
}

struct Keepsake {
    const char* name;
    void (*draw)(Canvas&);
    void (*after)(Canvas&) = nullptr; // light drawn over the finish, unoutlined
};

const Keepsake keepsakes[] = {
    {"kestrel_keycard", keycard},
    {"survey_chart", surveyChart},
    {"relay_mug", relayMug},
    {"tamsin_nameplate", tamsinNameplate},
    {"frozen_letter", frozenLetter},
    {"recorder_chip", recorderChip},
    {"buoy_lamp", buoyLamp, buoyLampGlow},
    {"carrow_pearl", carrowPearl},
    {"reef_recording", reefRecording},
    {"meridian_patch", meridianPatch},
    {"fuel_token", fuelToken},
    {"oduya_compass", oduyaCompass},
    {"first_soil", firstSoil},
    {"reef_shell", reefShell},
    {"sanctuary_lantern", sanctuaryLantern},
    {"halden_roster", haldenRoster},
    {"swamp_pear", swampPear},
    {"pell_tag", pellTag},
    {"pruning_knife", pruningKnife},
    {"singing_shard", singingShard, singingShardHum},
    {"tuning_fork", tuningFork, tuningForkHum},
    {"choir_score", choirScore},
    {"miners_lamp", minersLamp, minersLampBeam},
    {"obsidian_blade", obsidianBlade},
    {"gate_fuse", gateFuse},
    {"solace_stethoscope", stethoscope},
    {"quarantine_tag", quarantineTag},
    {"childs_drawing", childsDrawing},
    {"seed_packet", seedPacket},
    {"vial_of_sand", vialOfSand},
    {"storm_goggles", stormGoggles},
    {"cinder_coin", cinderCoin},
    {"luck_charm", luckCharm},
    {"ashcombe_badge", ashcombeBadge},
    {"ring_ice_core", ringIceCore},
    {"halcyon_diary", halcyonDiary},
    {"slingshot_plot", slingshotPlot},
    {"horizon_plate", horizonPlate},
    {"pulsar_clock", pulsarClock},
    {"aurora_sketch", auroraSketch},
    {"wanderer_fragment", wandererFragment},
    {"wanderer_key", wandererKey},
    {"hull_print", hullPrint},
    {"vodov_gift", vodovGift, vodovGiftSparkle},
    {"kittiwake_beacon", kittiwakeBeacon},
    {"sleeper_bracelet", sleeperBracelet},
    {"hull_pebble", hullPebble},
    {"launch_broadcast", launchBroadcast},
    {"crate_label", crateLabel},
    {"dried_ashcap", driedAshcap},
};

} // namespace

void drawKeepsakeArt(Context& context)
{
    for (const Keepsake& keepsake : keepsakes) {
        Canvas c(32, 32);
        keepsake.draw(c);
        ui::keepsakeFinish(c);
        if (keepsake.after)
            keepsake.after(c);
        context.save(c, std::string("mementos/images/") + keepsake.name + ".png");
    }
}

} // namespace gen
