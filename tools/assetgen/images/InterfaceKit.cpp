#include "images/InterfaceKit.hpp"

#include "images/WorldKit.hpp"

#include <algorithm>
#include <cmath>

namespace gen::ui {

namespace colour {
const Rgba black = Rgba::from(0, 0, 0);
const Rgba space0 = Rgba::from(3, 5, 12);
const Rgba space1 = Rgba::from(8, 12, 26);
const Rgba space2 = Rgba::from(14, 21, 42);
const Rgba space3 = Rgba::from(24, 36, 66);
const Rgba metalShadow = Rgba::from(16, 18, 24);
const Rgba metalDark = Rgba::from(40, 45, 56);
const Rgba metal = Rgba::from(70, 78, 94);
const Rgba metalLight = Rgba::from(116, 126, 144);
const Rgba metalHighlight = Rgba::from(182, 190, 204);
const Rgba amber = Rgba::from(185, 128, 0);
const Rgba amberBright = Rgba::from(240, 182, 46);
const Rgba amberDim = Rgba::from(104, 70, 6);
const Rgba amberDeep = Rgba::from(44, 30, 4);
const Rgba green = Rgba::from(0, 255, 0);
const Rgba greenDim = Rgba::from(0, 138, 34);
const Rgba greenDeep = Rgba::from(0, 48, 18);
const Rgba red = Rgba::from(214, 48, 34);
const Rgba redDim = Rgba::from(96, 20, 18);
const Rgba teal = Rgba::from(64, 196, 210);
const Rgba copper = Rgba::from(214, 112, 48);
const Rgba steel = Rgba::from(150, 170, 196);
const Rgba white = Rgba::from(236, 240, 246);
const Rgba grey = Rgba::from(128, 128, 128);
}

using namespace colour;

float bayer(int x, int y)
{
    static const int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (static_cast<float>(matrix[y & 3][x & 3]) + 0.5f) / 16.f;
}

Rgba ditherMix(const Rgba& a, const Rgba& b, float t, int x, int y)
{
    return t > bayer(x, y) ? b : a;
}

void screen(Canvas& c, int x, int y, int w, int h, const Rgba& top, const Rgba& bottom)
{
    for (int j = 0; j < h; ++j) {
        float t = h > 1 ? static_cast<float>(j) / static_cast<float>(h - 1) : 0.f;
        for (int i = 0; i < w; ++i) {
            Rgba p = ditherMix(top, bottom, t, x + i, y + j);
            if ((y + j) % 2 == 1)
                p = p.scaled(0.82f);
            c.set(x + i, y + j, p);
        }
    }
}

void frame(Canvas& c, int x, int y, int w, int h)
{
    c.outlineRect(x, y, w, h, metalShadow);
    c.bevel(x + 1, y + 1, w - 2, h - 2, metalLight, metalDark);
    c.outlineRect(x + 2, y + 2, w - 4, h - 4, metal);
    c.set(x + 1, y + 1, metalHighlight);
    c.set(x + 2, y + 1, metalHighlight);
    c.set(x + 1, y + 2, metalHighlight);
}

void inset(Canvas& c, int x, int y, int w, int h, const Rgba& fill)
{
    c.fillRect(x, y, w, h, fill);
    c.bevel(x, y, w, h, metalShadow, metalLight);
}

void panel(Canvas& c, int x, int y, int w, int h)
{
    screen(c, x + 3, y + 3, w - 6, h - 6);
    // A faint inner glow line where the glass meets the frame.
    c.fillRect(x + 3, y + 3, w - 6, 1, space3);
    frame(c, x, y, w, h);
    if (w >= 24 && h >= 24) {
        for (auto [rx, ry] : {std::pair{x + 5, y + 5}, {x + w - 7, y + 5}, {x + 5, y + h - 7}, {x + w - 7, y + h - 7}}) {
            c.set(rx, ry, metalLight);
            c.set(rx + 1, ry, metal);
            c.set(rx, ry + 1, metal);
            c.set(rx + 1, ry + 1, metalShadow);
        }
    }
}

void titledPanel(Canvas& c, int x, int y, int w, int h, const std::string& title)
{
    panel(c, x, y, w, h);
    PixelFont font;
    int stripW = std::min(w - 16, font.measure(title) + 16);
    int sx = x + 8;
    c.fillRect(sx, y + 3, stripW, 11, metal);
    c.fillRect(sx, y + 3, stripW, 1, metalLight);
    c.fillRect(sx, y + 13, stripW, 1, metalShadow);
    c.fillRect(sx + stripW - 1, y + 3, 1, 11, metalShadow);
    // The strip's end is cut at an angle, like a label plate.
    for (int k = 0; k < 4; ++k)
        c.set(sx + stripW + k, y + 3 + k, metalDark);
    font.drawCentred(c, sx, stripW, y + 5, title, amberBright, metalShadow);
}

void stripes(Canvas& c, int x, int y, int w, int h, const Rgba& stripe, const Rgba& base, int period)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            c.set(x + i, y + j, ((i + j) % period) < period / 2 ? stripe : base);
}

void stars(Canvas& c, int x, int y, int w, int h, unsigned seed, float density)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            float r = Noise::hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), seed);
            if (r < density) {
                float b = Noise::hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), seed + 7);
                Rgba s = b > 0.9f ? white : (b > 0.6f ? steel.scaled(0.8f) : steel.scaled(0.45f));
                c.set(x + i, y + j, s);
                if (b > 0.97f) {
                    c.blend(x + i + 1, y + j, s, 0.4f);
                    c.blend(x + i - 1, y + j, s, 0.4f);
                    c.blend(x + i, y + j + 1, s, 0.4f);
                    c.blend(x + i, y + j - 1, s, 0.4f);
                }
            }
        }
}

Canvas backdrop(unsigned seed, const Rgba& tint)
{
    Canvas c(640, 360, space0);
    Noise noise(seed);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x) {
            float n = noise.fractal(x / 90.f, y / 90.f, 4);
            float t = clamp01((n - 0.35f) * 1.6f) * 0.55f + (1.f - static_cast<float>(y) / 360.f) * 0.25f;
            Rgba p = ditherMix(space0, space1, t * 2.f, x, y);
            if (t > 0.5f)
                p = ditherMix(space1, mix(space2, tint, 0.35f), (t - 0.5f) * 2.f, x, y);
            if (y % 2 == 1)
                p = p.scaled(0.85f);
            c.set(x, y, p);
        }
    stars(c, 0, 0, 640, 360, seed + 1, 0.004f);
    // A faint navigation grid every 32 pixels, dotted.
    for (int y = 16; y < 360; y += 32)
        for (int x = 0; x < 640; x += 2)
            c.blend(x, y, space3, 0.6f);
    for (int x = 16; x < 640; x += 32)
        for (int y = 0; y < 360; y += 2)
            c.blend(x, y, space3, 0.6f);
    frame(c, 0, 0, 640, 360);
    return c;
}

void bitmap(Canvas& c, int x, int y, const std::vector<std::string>& rows, const std::vector<Key>& keys, int scale)
{
    for (std::size_t j = 0; j < rows.size(); ++j)
        for (std::size_t i = 0; i < rows[j].size(); ++i) {
            char ch = rows[j][i];
            if (ch == '.' || ch == ' ')
                continue;
            for (const Key& k : keys)
                if (k.c == ch) {
                    c.fillRect(x + static_cast<int>(i) * scale, y + static_cast<int>(j) * scale, scale, scale, k.colour);
                    break;
                }
        }
}

void buttonFace(Canvas& c, int x, int y, int w, int h, const Face& face, bool pressed)
{
    // Plate: a dithered gunmetal face, raised (light top-left) or pressed (dark top-left).
    for (int j = 1; j < h - 1; ++j) {
        float t = static_cast<float>(j) / static_cast<float>(std::max(1, h - 2));
        for (int i = 1; i < w - 1; ++i) {
            Rgba p = pressed ? ditherMix(metalShadow, metalDark, t * 0.8f, x + i, y + j)
                             : ditherMix(metal, metalDark, t, x + i, y + j);
            c.set(x + i, y + j, p);
        }
    }
    c.outlineRect(x, y, w, h, black);
    if (pressed) {
        c.bevel(x + 1, y + 1, w - 2, h - 2, metalShadow, metal);
    } else {
        c.bevel(x + 1, y + 1, w - 2, h - 2, metalLight, metalShadow);
        c.set(x + 1, y + 1, metalHighlight);
        c.set(x + 2, y + 1, metalHighlight);
    }
    // A sunken display window carries the label, so it reads as an instrument key.
    int wx = x + 3, wy = y + 3, ww = w - 6, wh = h - 6;
    if (ww > 4 && wh > 4) {
        c.fillRect(wx, wy, ww, wh, pressed ? space0 : space1);
        c.fillRect(wx, wy, ww, 1, metalShadow);
        c.fillRect(wx, wy, 1, wh, metalShadow);
        for (int i = 0; i < ww; ++i)
            for (int j = 1; j < wh; j += 2)
                c.blend(wx + i, wy + j, black, 0.25f);
    }
    int offset = pressed ? 1 : 0;
    Rgba ink = pressed ? green : amberBright;
    Rgba shade = pressed ? greenDeep : amberDeep;
    if (face.icon) {
        face.icon(c, wx + 1 + offset, wy + 1 + offset, ww - 2, wh - 2, ink);
    } else if (!face.label.empty()) {
        PixelFont font(face.tinyLabel ? PixelFont::Face::Tiny : PixelFont::Face::Regular);
        int ty = y + (h - font.glyphHeight()) / 2 + offset;
        font.drawCentred(c, x + offset, w, ty, face.label, ink, shade);
    }
}

void glow(Canvas& c, int x, int y, int w, int h)
{
    // Additive: black adds nothing, so only the rim and a faint warm wash light up.
    c.fillRect(x, y, w, h, Rgba::from(26, 18, 2));
    c.outlineRect(x, y, w, h, amber.scaled(0.55f));
    c.outlineRect(x + 1, y + 1, w - 2, h - 2, amber.scaled(0.85f));
    c.outlineRect(x + 2, y + 2, w - 4, h - 4, amber.scaled(0.3f));
}

Canvas buttonSheet(int w, int h, const Face& face, int highlightHeight)
{
    int hiH = std::max(h + 2, highlightHeight);
    Canvas c(static_cast<unsigned>(w + 2), static_cast<unsigned>(2 * h + hiH));
    buttonFace(c, 2, 0, w, h, face, false);
    buttonFace(c, 2, h, w, h, face, true);
    glow(c, 0, 2 * h, w + 2, h + 2);
    return c;
}

Canvas upDownSheet(int w, int h, const Face& face, int sheetHeight)
{
    Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(std::max(2 * h, sheetHeight)));
    buttonFace(c, 0, 0, w, h, face, false);
    buttonFace(c, 0, h, w, h, face, true);
    return c;
}

void medal(Canvas& c, const Rgba& stripe, const Rgba& gap)
{
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 22; ++x)
            c.set(x, y, ((x - 10) / 2) % 2 == 0 ? stripe : gap);
    for (int y = 6; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - 16.f, dy = y + 0.5f - 19.f;
            float d = std::hypot(dx, dy);
            if (d > 12.5f)
                continue;
            c.set(x, y, d > 11.f ? (dx + dy < 0 ? metalHighlight : metalDark) : (d > 10.f ? metal : space1));
        }
}

void insetRing(Canvas& c, const Rgba& fill)
{
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            float d = std::hypot(x + 0.5f - 6.f, y + 0.5f - 6.f);
            if (d <= 5.5f)
                c.set(x, y, d > 4.5f ? metalLight : fill);
        }
}

void keepsakeFinish(Canvas& c)
{
    world::outlineOpaque(c, Rgba::from(5, 6, 14));
    Canvas shape = c;
    for (int y = 1; y < static_cast<int>(c.height()); ++y)
        for (int x = 1; x < static_cast<int>(c.width()); ++x)
            if (shape.get(x, y).a < 0.5f && shape.get(x - 1, y - 1).a >= 0.5f)
                c.set(x, y, black.withAlpha(0.5f));
}

Rgba inShadow(const Rgba& c)
{
    return mix(c.scaled(0.62f), space2, 0.18f);
}

} // namespace gen::ui
