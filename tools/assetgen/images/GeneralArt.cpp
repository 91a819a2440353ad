// Small interface pictures shared by many screens: the pointer, the save indicator, the
// window icon, the parts of a crew card and the badges a crew member earns.
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"

#include <cmath>
#include <cstdio>

namespace gen {

using namespace ui;
using namespace ui::colour;

namespace {

constexpr float pi = 3.14159265f;

void drawCursor(Context& context)
{
    Canvas c(12, 16);
    bitmap(c, 0, 0,
        {"k...........",
         "kk..........",
         "kwk.........",
         "kwak........",
         "kwaak.......",
         "kwaaak......",
         "kwaaaak.....",
         "kwaaaaak....",
         "kwaaaaaak...",
         "kwaaaaaaak..",
         "kwaaakkkkk..",
         "kwakdak.....",
         "kwk.kdak....",
         "kk..kdak....",
         "k....kdak...",
         ".....kkk...."},
        {{'k', black}, {'w', amberBright}, {'a', amber}, {'d', amberDim}});
    context.save(c, "general/cursor.png");
}

// Save indicator: a ring of twelve segments with a travelling lit head and a fading tail;
// the last frames fade out so the indicator leaves quietly.
void drawSaveFrames(Context& context)
{
    for (int frame = 1; frame <= 25; ++frame) {
        Canvas c(16, 16);
        float fade = frame > 20 ? 1.f - static_cast<float>(frame - 20) / 6.f : 1.f;
        int head = (frame - 1) % 12;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float dx = x + 0.5f - 8.f, dy = y + 0.5f - 8.f;
                float r = std::hypot(dx, dy);
                if (r < 4.5f || r > 7.5f)
                    continue;
                float angle = std::atan2(dx, -dy);
                if (angle < 0)
                    angle += 2 * pi;
                int segment = static_cast<int>(angle / (2 * pi) * 12.f) % 12;
                float within = angle / (2 * pi) * 12.f - std::floor(angle / (2 * pi) * 12.f);
                if (within > 0.78f)
                    continue; // gap between segments
                int age = (head - segment + 12) % 12;
                Rgba p = age == 0 ? Rgba::from(170, 255, 170) : (age < 4 ? mix(green, greenDim, age / 4.f) : greenDeep);
                c.set(x, y, p.withAlpha(fade));
            }
        // Core: a tiny disk glyph.
        c.fillRect(6, 6, 4, 4, greenDim.withAlpha(fade));
        c.set(7, 6, green.withAlpha(fade));
        c.set(8, 6, green.withAlpha(fade));
        char name[64];
        std::snprintf(name, sizeof name, "general/save/save_%02d.png", frame);
        context.save(c, name);
    }
}

// Window icon: a ringed amber world and a small ship crossing it, inside a bevelled
// tile. Drawn at 64 x 64 in hard pixels and enlarged 4x, so it stays pixel art.
void drawIcon(Context& context)
{
    Canvas small(64, 64);
    screen(small, 2, 2, 60, 60, space2, space0);
    stars(small, 3, 3, 58, 58, 91, 0.02f);
    frame(small, 0, 0, 64, 64);
    // Planet with light from the upper left, ordered-dither terminator.
    float cx = 30, cy = 34, radius = 17;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float dx = (x + 0.5f - cx) / radius, dy = (y + 0.5f - cy) / radius;
            float d2 = dx * dx + dy * dy;
            if (d2 > 1)
                continue;
            float dz = std::sqrt(1 - d2);
            float light = clamp01(-0.55f * dx - 0.55f * dy + 0.62f * dz);
            Rgba p = light > 0.75f ? amberBright : (light > 0.4f ? amber : (light > 0.15f ? amberDim : amberDeep));
            if (light > 0.4f && light < 0.5f && bayer(x, y) > 0.5f)
                p = amberDim;
            if (light > 0.75f && light < 0.82f && bayer(x, y) > 0.5f)
                p = amber;
            float band = std::sin((dy * 3.2f + dx * 0.6f) * pi);
            if (band > 0.8f && light > 0.15f)
                p = p.scaled(0.82f);
            small.set(x, y, p);
        }
    // Ring: an ellipse in green, hidden behind the planet on its far side.
    for (int i = 0; i < 720; ++i) {
        float a = static_cast<float>(i) / 720.f * 2 * pi;
        float rx = std::cos(a) * 27.f, ry = std::sin(a) * 7.f;
        float x = cx + rx * 0.94f - ry * 0.34f, y = cy + ry * 0.94f + rx * 0.34f;
        bool behind = std::sin(a) < 0;
        float ddx = (x - cx) / radius, ddy = (y - cy) / radius;
        if (behind && ddx * ddx + ddy * ddy < 1)
            continue;
        small.set(static_cast<int>(x), static_cast<int>(y), std::sin(a) > 0.3f ? green : greenDim);
    }
    // The ship: a little arrow hull with an engine glow, upper right.
    bitmap(small, 40, 8,
        {"......kk..",
         "....kkwwk.",
         "..kkmwwwk.",
         "kkmmmmwk..",
         "aammmmk...",
         ".aakkk....",
         "..a......."},
        {{'k', black}, {'w', white}, {'m', metalLight}, {'a', amberBright}});
    Canvas big(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            big.set(x, y, small.get(x / 4, y / 4));
    context.save(big, "icon.png");
}

Rgba roleColour(const std::string& role)
{
    if (role == "leader")
        return amberBright;
    if (role == "medic")
        return teal;
    if (role == "engineer")
        return copper;
    if (role == "crew")
        return steel;
    return green;
}

// The role mark on the front of a platform, 5 x 5.
void roleMark(Canvas& c, int x, int y, const std::string& role, const Rgba& ink)
{
    std::vector<std::string> rows;
    if (role == "leader")
        rows = {"..x..", ".xxx.", "xxxxx", ".x.x.", "x...x"};
    else if (role == "medic")
        rows = {".xxx.", "xxxxx", "xxxxx", "xxxxx", ".xxx."};
    else if (role == "engineer")
        rows = {"x.x.x", ".xxx.", "xx.xx", ".xxx.", "x.x.x"};
    else if (role == "crew")
        rows = {".....", ".xxx.", ".x.x.", ".xxx.", "....."};
    else
        return;
    if (role == "medic") {
        // A cross cut out of a lit disc.
        bitmap(c, x, y, rows, {{'x', ink}});
        bitmap(c, x, y, {".....", "..k..", ".kkk.", "..k..", "....."}, {{'k', black}});
        return;
    }
    bitmap(c, x, y, rows, {{'x', ink}});
}

// A crew platform, 42 x 38: a pad seen slightly from above with a lit rim, a column of
// light above it when online, the role's colour and mark on its front.
void drawPlatform(Context& context, const std::string& role, bool online)
{
    Canvas c(42, 38);
    Rgba tint = roleColour(role);
    Rgba lit = online ? tint : tint.scaled(0.35f);
    float cx = 21, cy = 29;
    if (online) {
        for (int y = 2; y < 30; ++y)
            for (int x = 8; x < 34; ++x) {
                float edge = 1.f - std::fabs(x + 0.5f - cx) / 13.f;
                float rise = static_cast<float>(y - 2) / 28.f;
                float a = clamp01(edge * 1.6f) * rise * 0.28f;
                if (a > 0.02f && bayer(x, y) < 0.75f)
                    c.blend(x, y, tint, a);
            }
    }
    for (int y = 0; y < 38; ++y)
        for (int x = 0; x < 42; ++x) {
            float dx = (x + 0.5f - cx) / 20.f, dy = (y + 0.5f - cy) / 6.f;
            float d = dx * dx + dy * dy;
            float dyFront = (y + 0.5f - (cy + 3)) / 6.f;
            bool side = dx * dx + dyFront * dyFront <= 1.f && y >= cy;
            if (d <= 1.f) {
                Rgba p = d > 0.72f ? (dy < 0 ? metalLight : metal) : ditherMix(metalDark, space3, 0.5f - dx * 0.5f, x, y);
                if (d > 0.4f && d < 0.55f)
                    p = lit;
                c.set(x, y, p);
            } else if (side && y < cy + 7) {
                // The skirt stops where the name tag's display begins (the tag sits 28 below the
                // card and the platform, drawn after the name, would cover its first row of text).
                c.set(x, y, ditherMix(metalDark, metalShadow, (y - cy) / 8.f, x, y));
            }
        }
    // Lamp studs around the front edge.
    for (int k = -2; k <= 2; ++k) {
        int x = static_cast<int>(cx + k * 7.f);
        c.set(x, static_cast<int>(cy + 5 - std::abs(k) * 0.6f), online ? lit : metalDark);
    }
    if (online)
        c.fillRect(16, 25, 10, 1, tint.withAlpha(0.7f));
    roleMark(c, 19, 31, role, online ? tint : tint.scaled(0.45f));
    context.save(c, "general/character_related/character_baseplatform_" + role + (online ? "_online.png" : "_offline.png"));
}

void drawCardParts(Context& context)
{
    for (const char* role : {"leader", "medic", "engineer", "crew", "normal"}) {
        drawPlatform(context, role, true);
        drawPlatform(context, role, false);
    }
    // Selection: amber corner brackets around the figure standing on the platform.
    {
        Canvas c(34, 30);
        for (auto [x, y, sx, sy] : {std::tuple{0, 0, 1, 1}, {33, 0, -1, 1}, {0, 29, 1, -1}, {33, 29, -1, -1}}) {
            for (int k = 0; k < 6; ++k) {
                c.set(x + k * sx, y, amberBright);
                c.set(x, y + k * sy, amberBright);
                c.set(x + k * sx + sx, y + sy, amberDim);
                c.set(x + sx, y + k * sy + sy, amberDim);
            }
        }
        for (int x = 4; x < 30; ++x)
            c.blend(x, 27, amber, 0.5f);
        context.save(c, "general/character_related/character_baseplatform_selected.png");
    }
    // Name tag: a small metal plate with a dark display for the name (two lines fit).
    {
        Canvas c(54, 20);
        c.fillRect(1, 1, 52, 18, metal);
        c.outlineRect(0, 0, 54, 20, black);
        c.bevel(1, 1, 52, 18, metalLight, metalShadow);
        inset(c, 3, 3, 48, 14, space1);
        for (int x = 4; x < 50; ++x)
            for (int y = 5; y < 16; y += 2)
                c.blend(x, y, black, 0.3f);
        c.set(1, 9, amber);
        c.set(52, 9, amber);
        context.save(c, "general/character_related/character_nametag.png");
    }
    // Death mark: a skull over the portrait.
    {
        Canvas c(16, 16);
        bitmap(c, 1, 1,
            {"....kkkkkk....",
             "..kkwwwwwwkk..",
             ".kwwwwwwwwwgk.",
             ".kwwwwwwwwwgk.",
             "kwwkkkwwkkkwgk",
             "kwwkrkwwkrkwgk",
             "kwwkkkwwkkkwgk",
             ".kwwwwkkwwwgk.",
             "..kwwwwwwwgk..",
             "..kwkwkwkwgk..",
             "..kwkwkwkwk...",
             "...kkkkkkk...."},
            {{'k', black}, {'w', Rgba::from(220, 214, 200)}, {'g', Rgba::from(140, 136, 128)}, {'r', red}});
        context.save(c, "general/character_related/character_death_icon.png");
    }
}

// Origin marks, 9 x 9: where a character came from.
void drawOrigins(Context& context)
{
    struct Mark {
        const char* name;
        Rgba ink;
        std::vector<std::string> rows;
    };
    const Mark marks[] = {
        {"mod", copper, {"..xx.....", ".x..x....", ".x..x....", "..xxxx...", ".....xx..", "......xx.", ".......xx", "........x", "........."}},
        {"random", white, {"xxxxxxx..", "x.....x..", "x.x...x..", "x..x..x..", "x...x.x..", "x.....x..", "xxxxxxx..", ".........", "........."}},
        {"steamfriends", teal, {".xx...xx.", "x..x.x..x", ".xx...xx.", ".........", "xxxx.xxxx", "x..x.x..x", ".........", ".........", "........."}},
        {"steamworkshop", steel, {"...x.x...", ".xxxxxxx.", ".xx...xx.", "xx..x..xx", ".x.xxx.x.", "xx..x..xx", ".xx...xx.", ".xxxxxxx.", "...x.x..."}},
        {"text", green, {"xxxxxx...", "x....xx..", "x.xx..x..", "x.....x..", "x.xxx.x..", "x.....x..", "x.xxx.x..", "x.....x..", "xxxxxxx.."}},
        {"twitch", Rgba::from(168, 120, 230), {"xxxxxxxx.", "x......x.", "x.x..x.x.", "x.x..x.x.", "x......x.", "xxx.xxxx.", "..xx.....", "..x......", "........."}},
        {"edited", amberBright, {"......xx.", ".....x.xx", "....x.xx.", "...x.xx..", "..x.xx...", ".x.xx....", ".xxx.....", "xx.......", "........."}},
    };
    for (const Mark& m : marks) {
        Canvas c(9, 9);
        // Dark backing so the mark reads over any portrait.
        for (std::size_t j = 0; j < m.rows.size(); ++j)
            for (std::size_t i = 0; i < m.rows[j].size(); ++i)
                if (m.rows[j][i] == 'x')
                    for (int oy = -1; oy <= 1; ++oy)
                        for (int ox = -1; ox <= 1; ++ox)
                            if (c.get(static_cast<int>(i) + ox, static_cast<int>(j) + oy).a == 0)
                                c.set(static_cast<int>(i) + ox, static_cast<int>(j) + oy, black.withAlpha(0.7f));
        bitmap(c, 0, 0, m.rows, {{'x', m.ink}});
        context.save(c, std::string("general/character_related/character_origin/source_") + m.name + ".png");
    }
}

// Rank insignia, 9 x 9: one to four amber chevrons on a dark shield.
void drawRanks(Context& context)
{
    for (int rank = 1; rank <= 4; ++rank) {
        Canvas c(9, 9);
        c.fillRect(0, 0, 9, 9, space1);
        c.outlineRect(0, 0, 9, 9, metal);
        c.set(0, 0, {0, 0, 0, 0});
        c.set(8, 0, {0, 0, 0, 0});
        c.set(0, 8, {0, 0, 0, 0});
        c.set(8, 8, {0, 0, 0, 0});
        int top = 4 - rank + (rank == 4 ? 1 : 0);
        for (int k = 0; k < rank; ++k) {
            int y = top + k * 2 - (rank == 4 ? 1 : 0);
            for (int i = 0; i < 3; ++i) {
                c.set(1 + i + 1, y + i - 1 + 1, amberBright);
                c.set(7 - i - 1, y + i - 1 + 1, amberBright);
            }
            c.set(4, y + 2, amberBright);
        }
        context.save(c, "general/ranks/rank_" + std::to_string(rank) + ".png");
    }
}

// Badge mementos, 32 x 32: a medal with the family's emblem and one pip per level.
void drawBadges(Context& context)
{
    struct Family {
        const char* name;
        Rgba ink;
        std::vector<std::string> emblem; // 11 x 11
    };
    const Family families[] = {
        {"rank", amberBright, {"...........", "x.........x", "xx.......xx", ".xx.....xx.", "..xx...xx..", "...xx.xx...", "x...xxx...x", "xx...x...xx", ".xx.....xx.", "..xx...xx..", "...xx.xx..."}},
        {"leader", amberBright, {".....x.....", ".....x.....", "....xxx....", "xxxxxxxxxxx", ".xxxxxxxxx.", "..xxxxxxx..", "..xxxxxxx..", ".xxxx.xxxx.", ".xxx...xxx.", "xx.......xx", "..........."}},
        {"medic", teal, {"...xxxxx...", "...xxxxx...", "...xxxxx...", "xxxxxxxxxxx", "xxxxxxxxxxx", "xxxxxxxxxxx", "xxxxxxxxxxx", "xxxxxxxxxxx", "...xxxxx...", "...xxxxx...", "...xxxxx..."}},
        {"engineer", copper, {"....xxx....", ".x..xxx..x.", "..xxxxxxx..", ".xxx...xxx.", "xxx.....xxx", "xxx.....xxx", "xxx.....xxx", ".xxx...xxx.", "..xxxxxxx..", ".x..xxx..x.", "....xxx...."}},
    };
    for (const Family& f : families)
        for (int level = 0; level <= 4; ++level) {
            Canvas c(32, 32);
            medal(c, f.ink.scaled(0.6f), space3);
            Rgba ink = level == 0 ? f.ink.scaled(0.55f) : f.ink;
            bitmap(c, 11, 12, f.emblem, {{'x', ink}});
            if (std::string(f.name) == "medic")
                bitmap(c, 11, 12, {"...........", "...........", "...........", "...........", ".....k.....", "....kkk....", ".....k....."}, {{'k', space1}});
            // Level pips along the bottom of the disc.
            for (int k = 0; k < 4; ++k)
                c.fillRect(10 + k * 3, 26, 2, 2, k < level ? green : greenDeep);
            context.save(c, std::string("mementos/images/") + f.name + std::to_string(level) + ".png");
        }
    Canvas inset(12, 12);
    insetRing(inset, amberDim);
    bitmap(inset, 3, 3, {"x....x", "xx..xx", ".xxxx.", "..xx..", "......", "......"}, {{'x', amberBright}});
    context.save(inset, "mementos/images/rank_inset.png");
}

} // namespace

void drawGeneralArt(Context& context)
{
    drawCursor(context);
    drawSaveFrames(context);
    drawIcon(context);
    drawCardParts(context);
    drawOrigins(context);
    drawRanks(context);
    drawBadges(context);
}

} // namespace gen
