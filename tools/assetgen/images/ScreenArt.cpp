// Panels, screen backgrounds, HUD parts, form controls and the title lettering.
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"

#include <cmath>
#include <cstdio>

namespace gen {

using namespace ui;
using namespace ui::colour;

namespace {

Canvas plainPanel(int w, int h)
{
    Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(h));
    panel(c, 0, 0, w, h);
    return c;
}

Canvas titled(int w, int h, const std::string& title)
{
    Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(h));
    titledPanel(c, 0, 0, w, h, title);
    return c;
}

// A backdrop with a header plate naming the screen in the top-left corner.
Canvas screenBackdrop(unsigned seed, const Rgba& tint, const std::string& name)
{
    Canvas c = backdrop(seed, tint);
    PixelFont tiny(PixelFont::Face::Tiny);
    int w = tiny.measure(name) + 10;
    c.fillRect(640 - w - 8, 352, w, 6, metalDark);
    tiny.draw(c, 640 - w - 3, 353, name, amberDim);
    return c;
}

// A thin horizontal divider engraved into a panel.
void divider(Canvas& c, int x, int y, int w)
{
    c.fillRect(x, y, w, 1, metalShadow);
    c.fillRect(x, y + 1, w, 1, space3);
}

// An empty-slot outline with dim corner ticks.
void slotMarks(Canvas& c, int x, int y, int w, int h, const Rgba& ink)
{
    for (int k = 0; k < 4; ++k) {
        c.set(x + k, y, ink);
        c.set(x, y + k, ink);
        c.set(x + w - 1 - k, y, ink);
        c.set(x + w - 1, y + k, ink);
        c.set(x + k, y + h - 1, ink);
        c.set(x, y + h - 1 - k, ink);
        c.set(x + w - 1 - k, y + h - 1, ink);
        c.set(x + w - 1, y + h - 1 - k, ink);
    }
}

// Engraved blueprint of the colony ship, in line art on a blue grid.
void blueprint(Canvas& c, int x, int y, int w, int h, bool aft)
{
    Rgba paper = Rgba::from(10, 28, 64);
    Rgba grid = Rgba::from(22, 52, 100);
    Rgba line = Rgba::from(120, 190, 255);
    Rgba faint = Rgba::from(60, 110, 180);
    c.fillRect(x, y, w, h, paper);
    for (int j = 0; j < h; j += 8)
        c.fillRect(x, y + j, w, 1, grid);
    for (int i = 0; i < w; i += 8)
        c.fillRect(x + i, y, 1, h, grid);
    c.outlineRect(x, y, w, h, faint);
    if (!aft) {
        // Side view: long spine, habitat ring, tanks and the engine block.
        int cy = y + h / 2;
        int left = x + 20, right = x + w - 24;
        c.outlineRect(left, cy - 6, right - left, 12, line);
        c.outlineRect(left - 12, cy - 10, 14, 20, line);
        c.pixelLine(left - 12, cy - 10, left - 18, cy - 4, line);
        c.pixelLine(left - 12, cy + 9, left - 18, cy + 3, line);
        c.fillRect(left - 18, cy - 4, 1, 8, line);
        int ringX = left + (right - left) / 3;
        c.outlineRect(ringX, cy - h / 2 + 10, 18, h - 20, line);
        c.outlineRect(ringX + 4, cy - h / 2 + 14, 10, h - 28, faint);
        for (int k = 0; k < 4; ++k) {
            int tx = ringX + 40 + k * 40;
            if (tx + 30 < right - 60) {
                c.outlineRect(tx, cy - 18, 30, 10, line);
                c.outlineRect(tx, cy + 8, 30, 10, line);
            }
        }
        c.outlineRect(right - 60, cy - 22, 48, 44, line);
        for (int k = 0; k < 3; ++k) {
            int ey = cy - 16 + k * 12;
            c.pixelLine(right - 12, ey, right + 12, ey - 4, line);
            c.pixelLine(right - 12, ey + 8, right + 12, ey + 12, line);
            c.fillRect(right + 12, ey - 4, 1, 16, line);
        }
        for (int i = left; i < right; i += 4)
            c.set(i, cy, faint);
    } else {
        // Aft view: ring around the hull, three nozzles.
        float cx = x + w / 2.f, cy = y + h / 2.f;
        for (int i = 0; i < 720; ++i) {
            float a = static_cast<float>(i) / 720.f * 6.2831853f;
            c.set(static_cast<int>(cx + std::cos(a) * (h / 2.f - 6)), static_cast<int>(cy + std::sin(a) * (h / 2.f - 6)), line);
            c.set(static_cast<int>(cx + std::cos(a) * (h / 2.f - 12)), static_cast<int>(cy + std::sin(a) * (h / 2.f - 12)), faint);
            c.set(static_cast<int>(cx + std::cos(a) * 18), static_cast<int>(cy + std::sin(a) * 18), line);
            for (int k = 0; k < 3; ++k) {
                float ox = std::cos(k * 2.094f - 1.57f) * 9, oy = std::sin(k * 2.094f - 1.57f) * 9;
                c.set(static_cast<int>(cx + ox + std::cos(a) * 5), static_cast<int>(cy + oy + std::sin(a) * 5), line);
            }
        }
        for (int k = 0; k < 6; ++k) {
            float a = k * 1.0472f;
            c.pixelLine(static_cast<int>(cx + std::cos(a) * 18), static_cast<int>(cy + std::sin(a) * 18),
                static_cast<int>(cx + std::cos(a) * (h / 2.f - 12)), static_cast<int>(cy + std::sin(a) * (h / 2.f - 12)), faint);
        }
    }
    PixelFont tiny(PixelFont::Face::Tiny);
    tiny.draw(c, x + 4, y + h - 8, aft ? "AFT VIEW" : "STARBOARD PROFILE", faint);
}

void drawGeneralPanels(Context& context)
{
    context.save(plainPanel(64, 44), "general/small_panel.png");
    context.save(plainPanel(80, 52), "general/small_panel_2.png");
    context.save(plainPanel(240, 132), "general/small_panel_3.png");
    {
        // The error window's panel: the same frame with red alarm lamps and a warning band.
        Canvas c = plainPanel(240, 132);
        stripes(c, 3, 122, 234, 4, redDim, Rgba::from(30, 8, 8));
        for (int x : {8, 228}) {
            c.fillRect(x, 6, 4, 4, red);
            c.set(x, 6, Rgba::from(255, 160, 140));
        }
        context.save(c, "general/small_panel_4.png");
    }
    context.save(titled(240, 256, "CREW"), "general/crewteam_panel.png");
    {
        Canvas c = plainPanel(136, 166);
        divider(c, 8, 28, 120);
        divider(c, 8, 124, 120);
        context.save(c, "general/character_infoscreen.png");
    }
    {
        // A header plate hanging from the top edge of the screen.
        Canvas c(84, 18);
        c.fillRect(0, 0, 84, 17, metal);
        c.bevel(0, 0, 84, 17, metalLight, metalShadow);
        c.fillRect(0, 17, 84, 1, black);
        inset(c, 6, 4, 72, 9, space1);
        stripes(c, 8, 6, 68, 5, amberDim, space1, 6);
        c.set(3, 8, amber);
        c.set(80, 8, amber);
        context.save(c, "general/topborder_screen.png");
    }
}

void drawMenuPopup(Context& context)
{
    Canvas blackout(640, 360);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x)
            blackout.set(x, y, Rgba::from(0, 0, 8, y % 2 ? 200 : 176));
    context.save(blackout, "menu_popup/blackout_wholescreen.png");
    Canvas menu = titled(132, 200, "PAUSED");
    divider(menu, 10, 58, 112);
    divider(menu, 10, 166, 112);
    context.save(menu, "menu_popup/menu.png");
}

void drawTitleArt(Context& context)
{
    Canvas panelWide(462, 38);
    panel(panelWide, 0, 0, 462, 38);
    context.save(panelWide, "title_screen/title_panel_wide.png");

    // Title lettering: the 5 x 7 letters built from bevelled blocks, amber on a dark edge.
    auto lettering = [](const std::string& text, int w, int h, int scale, const Rgba& face, const Rgba& light) {
        Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(h));
        PixelFont font;
        int tw = font.measure(text, scale);
        int x0 = (w - tw) / 2, y0 = (h - 7 * scale) / 2;
        int pen = x0;
        for (char ch : text) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (font.pixel(ch, col, row)) {
                        int bx = pen + col * scale, by = y0 + row * scale;
                        c.fillRect(bx - 1, by - 1, scale + 2, scale + 2, black);
                    }
            pen += font.advance(ch) * scale;
        }
        pen = x0;
        for (char ch : text) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (font.pixel(ch, col, row)) {
                        int bx = pen + col * scale, by = y0 + row * scale;
                        for (int j = 0; j < scale; ++j)
                            for (int i = 0; i < scale; ++i) {
                                bool top = j == 0 && !font.pixel(ch, col, row - 1);
                                bool leftEdge = i == 0 && !font.pixel(ch, col - 1, row);
                                bool bottom = j == scale - 1 && !font.pixel(ch, col, row + 1);
                                float t = static_cast<float>(row * scale + j) / static_cast<float>(7 * scale);
                                Rgba p = ditherMix(face, face.scaled(0.62f), t, bx + i, by + j);
                                if (top || leftEdge)
                                    p = light;
                                else if (bottom)
                                    p = face.scaled(0.4f);
                                c.set(bx + i, by + j, p);
                            }
                    }
            pen += font.advance(ch) * scale;
        }
        return c;
    };
    context.save(lettering("QUORVANE", 164, 30, 3, amber, amberBright), "title_screen/quorvane_title.png");
    {
        Canvas c = lettering("VESPERINE", 154, 16, 2, green, Rgba::from(180, 255, 180));
        context.save(c, "title_screen/vesperine_title.png");
    }
    {
        // The logo mark: an orbit around a small world with the ship's chevron.
        Canvas c(120, 40);
        auto orbit = [&c](bool front) {
            for (int i = 0; i < 1440; ++i) {
                float a = static_cast<float>(i) / 1440.f * 6.2831853f;
                if ((std::sin(a) > 0) != front)
                    continue;
                int x = static_cast<int>(60 + std::cos(a) * 56), y = static_cast<int>(20 + std::sin(a) * 15);
                c.set(x, y, front ? amber : amberDim);
            }
        };
        orbit(false);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) {
                float dx = (x + 0.5f - 60) / 12.f, dy = (y + 0.5f - 20) / 12.f;
                float d2 = dx * dx + dy * dy;
                if (d2 > 1)
                    continue;
                float l = clamp01(-0.6f * dx - 0.6f * dy + 0.5f * std::sqrt(1 - d2));
                c.set(x, y, l > 0.55f ? Rgba::from(120, 255, 120) : (l > 0.25f ? green : (ditherMix(greenDim, greenDeep, 0.5f - l, x, y))));
            }
        orbit(true);
        bitmap(c, 96, 6, {"..xx", ".xxx", "xxxo", "xxo.", "oo.."}, {{'x', white}, {'o', amberBright}});
        context.save(c, "title_screen/title_logo.png");
    }
    {
        // The studio's mark for the credits: a bevelled plate with the studio name.
        Canvas c(128, 48);
        panel(c, 0, 0, 128, 48);
        PixelFont font;
        font.drawCentred(c, 0, 128, 12, "QUORVANE", amberBright, amberDeep);
        PixelFont tiny(PixelFont::Face::Tiny);
        int w = tiny.measure("A SMALL STUDIO");
        tiny.draw(c, (128 - w) / 2, 28, "A SMALL STUDIO", green);
        context.save(c, "credits/studio_logo.png");
    }
    // Badges for the libraries the game is built on: our own lettering, no borrowed marks.
    auto badge = [&](const char* text, const char* sub, int w, int h, const Rgba& ink, const std::string& path) {
        Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(h));
        panel(c, 0, 0, w, h);
        PixelFont font;
        font.drawCentred(c, 0, w, h / 2 - 8, text, ink, black, 1);
        PixelFont tiny(PixelFont::Face::Tiny);
        tiny.draw(c, (w - tiny.measure(sub)) / 2, h / 2 + 4, sub, metalLight);
        context.save(c, path);
    };
    badge("SFML", "MEDIA LIBRARY", 96, 32, green, "thirdpartylogos/sfml-logo-small.png");
    badge("C++", "LANGUAGE", 48, 48, steel, "thirdpartylogos/cpp_logo.png");
    badge("LUA", "SCRIPTING", 64, 48, Rgba::from(110, 140, 255), "thirdpartylogos/powered-by-lua.png");
}

void drawOptions(Context& context)
{
    Canvas options = titled(464, 142, "OPTIONS");
    divider(options, 160, 20, 1);
    for (int y = 18; y < 136; ++y)
        options.set(160, y, metalShadow);
    for (int y = 18; y < 136; ++y)
        options.set(390, y, metalShadow);
    context.save(options, "options_screen/options_panel.png");
    context.save(titled(184, 50, "CHEATS"), "options_screen/cheats_panel.png");
    auto slider = [&](const std::string& path, bool graded) {
        Canvas c(72, 7);
        inset(c, 0, 0, 72, 7, space0);
        for (int x = 2; x < 70; ++x) {
            float t = static_cast<float>(x - 2) / 67.f;
            if (graded)
                c.set(x, 3, ditherMix(greenDeep, greenDim, t, x, 3));
            else
                c.set(x, 3, greenDeep);
            if ((x - 2) % 8 == 0)
                c.set(x, 2, metalLight);
        }
        context.save(c, path);
    };
    slider("options_screen/textspeedslider_bg.png", false);
    slider("options_screen/soundslider_bg.png", true);
    {
        Canvas c(5, 9);
        bitmap(c, 0, 0, {"kkkkk", "kwwmk", "kwmmk", "kwmmk", "kgggk", "kwmmk", "kwmmk", "kmmdk", "kkkkk"},
            {{'k', black}, {'w', metalHighlight}, {'m', metal}, {'d', metalDark}, {'g', green}});
        context.save(c, "options_screen/slider_point.png");
    }
    for (bool on : {true, false}) {
        Canvas c(16, 8);
        inset(c, 0, 0, 16, 8, on ? greenDeep : space0);
        int kx = on ? 8 : 1;
        c.fillRect(kx, 1, 7, 6, metal);
        c.bevel(kx, 1, 7, 6, metalLight, metalShadow);
        c.fillRect(on ? 3 : 10, 3, 3, 2, on ? green : redDim);
        context.save(c, on ? "options_screen/toggle_on.png" : "options_screen/toggle_off.png");
    }
    auto smallKey = [&](const std::vector<std::string>& rows, const std::string& path) {
        Canvas c(12, 12);
        c.fillRect(0, 0, 12, 12, metal);
        c.outlineRect(0, 0, 12, 12, black);
        c.bevel(1, 1, 10, 10, metalLight, metalShadow);
        bitmap(c, 3, 3, rows, {{'x', amberBright}});
        context.save(c, path);
    };
    smallKey({"xxxx..", "x..xx.", "x...x.", "x...x.", "x...x.", "xxxxx."}, "options_screen/file_button.png");
    smallKey({"xx....", "x.xxx.", "xxxxxx", "x....x", "x....x", "xxxxxx"}, "options_screen/folder_button.png");
}

void drawCreator(Context& context)
{
    context.save(titled(395, 270, "CREW CREATOR"), "crew_creator/crew_creator_bg.png");
    {
        Canvas c(26, 200);
        c.fillRect(0, 0, 26, 200, metalDark);
        c.outlineRect(0, 0, 26, 200, black);
        c.bevel(1, 1, 24, 198, metalLight, metalShadow);
        for (int y = 8; y < 196; y += 4)
            c.set(3, y, metal);
        context.save(c, "crew_creator/crew_creator_random_bg.png");
    }
    context.save(titled(240, 270, "ROSTER"), "crew_creator/char_list_bg.png");
    context.save(plainPanel(80, 130), "crew_creator/new_edit_copy_bg.png");
    auto field = [&](int w, int h, const std::string& path) {
        Canvas c(static_cast<unsigned>(w), static_cast<unsigned>(h));
        inset(c, 0, 0, w, h, space1);
        for (int y = 2; y < h - 1; y += 2)
            for (int x = 1; x < w - 1; ++x)
                c.blend(x, y, black, 0.3f);
        context.save(c, path);
    };
    // Two lines of a name in the tallest of the game's fonts.
    field(56, 34, "crew_creator/text_area_small.png");
    field(18, 11, "crew_creator/text_area_tiny.png");
    field(180, 106, "crew_creator/text_area_large.png");
    auto dropdown = [&](int w, const std::string& path) {
        Canvas c(static_cast<unsigned>(w), 10);
        inset(c, 0, 0, w, 10, space1);
        // The opener key at the left end, where the label offset leaves room.
        c.fillRect(1, 1, 12, 8, metal);
        c.bevel(1, 1, 12, 8, metalLight, metalShadow);
        bitmap(c, 4, 3, {"xxxxx", ".xxx.", "..x.."}, {{'x', amberBright}});
        context.save(c, path);
    };
    dropdown(92, "crew_creator/dropdown.png");
    dropdown(110, "crew_creator/dropdown_wide.png");
    Canvas cursor(2, 8, white);
    context.save(cursor, "crew_creator/fontcursor.png");
}

void drawCrewSelection(Context& context)
{
    context.save(screenBackdrop(301, teal, "CREW SELECTION"), "crewselection_screen/crew_bg.png");
    context.save(titled(240, 276, "LIBRARY"), "crewselection_screen/libary_screen.png");
    {
        Canvas c(12, 240);
        stripes(c, 0, 0, 12, 240, amberBright.scaled(0.8f), Rgba::from(20, 16, 4), 8);
        c.outlineRect(0, 0, 12, 240, black);
        context.save(c, "crewselection_screen/yellowstripes.png");
    }
    {
        Canvas c = titled(130, 256, "CHOSEN");
        for (int k = 0; k < 8; ++k)
            slotMarks(c, 12 + (k % 2) * 58, 24 + (k / 2) * 56, 50, 50, metal);
        context.save(c, "crewselection_screen/choosen_crew_screen.png");
    }
    context.save(plainPanel(60, 92), "crewselection_screen/difficulty_screen.png");
    for (auto [name, ink] : {std::pair{"easy", green}, {"medium", amberBright}}) {
        Canvas lock(16, 18);
        bitmap(lock, 0, 0,
            {"....kkkkkk......", "...kmmmmmmk.....", "..kmk....kmk....", "..kmk....kmk....", "..kmk....kmk....",
             "kkkkkkkkkkkkkk..", "kwwwwwwwwwwwwk..", "kwmmmmmmmmmmdk..", "kwmmmmkkmmmmdk..", "kwmmmkiikmmmdk..",
             "kwmmmmkkmmmmdk..", "kwmmmmkkmmmmdk..", "kwmmmmkkmmmmdk..", "kwmmmmmmmmmmdk..", "kdddddddddddddk.",
             "kkkkkkkkkkkkkk..", "................", "................"},
            {{'k', black}, {'m', metal}, {'w', metalLight}, {'d', metalDark}, {'i', ink}});
        context.save(lock, std::string("crewselection_screen/lock_") + name + ".png");
        Canvas tag(54, 20);
        tag.fillRect(1, 1, 52, 18, metalDark);
        tag.outlineRect(0, 0, 54, 20, black);
        stripes(tag, 3, 3, 48, 14, ink.scaled(0.45f), space1, 8);
        PixelFont tiny(PixelFont::Face::Tiny);
        std::string text = std::string(name) == "easy" ? "EASY" : "MEDIUM";
        tag.fillRect(27 - tiny.measure(text) / 2 - 2, 6, tiny.measure(text) + 4, 8, space0);
        tiny.draw(tag, 27 - tiny.measure(text) / 2, 7, text, ink);
        context.save(tag, std::string("crewselection_screen/nametag_") + name + ".png");
    }
}

void drawDeploy(Context& context)
{
    context.save(screenBackdrop(401, amber, "DEPLOYMENT"), "deploymanager/deploymanager_bg.png");
    context.save(plainPanel(140, 46), "deploymanager/deploymanager_panel_deploy.png");
    // Behind the team slots.
    context.save(titled(140, 220, "TEAM"), "deploymanager/deploymanager_panel_team.png");
    {
        Canvas c = plainPanel(136, 44);
        context.save(c, "deploymanager/experience_panel_bg.png");
    }
    for (bool full : {true, false}) {
        Canvas c(8, 5);
        c.fillRect(0, 0, 8, 5, black);
        c.fillRect(1, 1, 6, 3, full ? green : greenDeep);
        if (full)
            c.fillRect(1, 1, 3, 1, Rgba::from(170, 255, 170));
        context.save(c, full ? "deploymanager/experience_pip_full.png" : "deploymanager/experience_pip_empty.png");
    }
    {
        Canvas c(28, 180);
        stripes(c, 0, 0, 28, 180, Rgba::from(30, 80, 170), Rgba::from(8, 18, 44), 8);
        c.outlineRect(0, 0, 28, 180, black);
        context.save(c, "deploymanager/stripes_blue.png");
    }
    {
        // Ready lamp: "NOT READY" in rows 0..4, "READY" in rows 5..9; the Ready frame is
        // registered 10 high, so rows 10..14 stay clear.
        Canvas c(41, 15);
        PixelFont tiny(PixelFont::Face::Tiny);
        tiny.draw(c, (41 - tiny.measure("NOT READY")) / 2, 0, "NOT READY", red);
        tiny.draw(c, (41 - tiny.measure("READY")) / 2, 5, "READY", green);
        context.save(c, "deploymanager/deploymanager_ready_text.png");
    }
}

void drawBriefing(Context& context)
{
    context.save(screenBackdrop(501, green, "MISSION BRIEFING"), "briefing/missiondetails_bg.png");
    context.save(titled(566, 228, "MISSION DETAILS"), "briefing/missiondetails_panel_mainscreen.png");
    context.save(plainPanel(170, 56), "briefing/missiondetails_panel_smallscreen.png");
}

void drawCrewScreen(Context& context)
{
    context.save(screenBackdrop(601, steel, "CREW MANIFEST"), "crew_screen/crew_screen_bg.png");
    {
        // The portrait monitor when no one is selected: static behind a "NO SIGNAL" card.
        Canvas c(100, 120);
        panel(c, 0, 0, 100, 120);
        for (int y = 3; y < 117; ++y)
            for (int x = 3; x < 97; ++x) {
                float n = Noise::hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 77);
                if (n > 0.8f)
                    c.set(x, y, greenDeep);
            }
        c.fillRect(18, 54, 64, 13, space0);
        PixelFont font;
        font.drawCentred(c, 0, 100, 57, "NO SIGNAL", greenDim, black);
        context.save(c, "crew_screen/empty.png");
    }
    context.save(plainPanel(130, 30), "crew_screen/memento_panel_botton.png");
}

void drawMissionScreen(Context& context)
{
    {
        Canvas c(500, 358);
        frame(c, 0, 0, 500, 358);
        for (int k = 3; k < 497; ++k) {
            c.set(k, 3, metalDark);
            c.set(k, 354, metalDark);
        }
        for (int k = 3; k < 355; ++k) {
            c.set(3, k, metalDark);
            c.set(496, k, metalDark);
        }
        // Brackets at the corners of the glass.
        for (auto [x, y] : {std::pair{5, 5}, {490, 5}, {5, 348}, {490, 348}})
            c.fillRect(x, y, 5, 5, metalDark);
        context.save(c, "ingamescreen/ingamescreen_panel_mainscreen.png");
    }
    for (bool light : {false, true}) {
        Canvas c(490, 346);
        for (int y = 0; y < 346; ++y)
            for (int x = 0; x < 490; ++x) {
                float vignette = std::hypot((x - 245.f) / 245.f, (y - 173.f) / 173.f);
                Rgba base = light ? Rgba::from(214, 216, 204) : Rgba::from(4, 12, 8);
                Rgba edge = light ? Rgba::from(184, 188, 176) : Rgba::from(1, 4, 3);
                Rgba p = ditherMix(base, edge, clamp01((vignette - 1.05f) * 2.5f), x, y);
                if (y % 2 == 1)
                    p = p.scaled(light ? 0.97f : 0.8f);
                c.set(x, y, p);
            }
        context.save(c, light ? "ingamescreen/mission_text_background_light.png" : "ingamescreen/mission_text_background_dark.png");
    }
    context.save(titled(132, 248, "TEAM"), "ingamescreen/ingamescreen_panel_character.png");
    context.save(plainPanel(132, 78), "ingamescreen/ingamescreen_panel_controls.png");
    for (const char* name : {"location_panel", "ingamescreen_panel_smallscreen"}) {
        Canvas c(128, 14);
        inset(c, 0, 0, 128, 14, space1);
        c.fillRect(2, 2, 2, 10, amberDim);
        context.save(c, std::string("ingamescreen/") + name + ".png");
    }
}

// Food, fuel and starvation marks at map size (12) and at mission-panel size (8).
void drawSupplyIcons(Context& context)
{
    const Rgba bone = Rgba::from(226, 214, 196);
    const Rgba flesh = Rgba::from(186, 52, 52);
    struct Icon {
        const char* name;
        std::vector<std::string> big, small;
        std::vector<Key> keys;
    };
    const std::vector<Key> foodKeys = {{'k', black}, {'a', amberBright}, {'d', amberDim}, {'g', green}};
    const std::vector<Key> cannibalKeys = {{'k', black}, {'a', flesh}, {'d', Rgba::from(110, 26, 30)}, {'g', bone}};
    const std::vector<Key> fuelKeys = {{'k', black}, {'a', teal}, {'d', Rgba::from(20, 90, 110)}, {'g', white}};
    const std::vector<Key> fuelCannibalKeys = {{'k', black}, {'a', flesh}, {'d', Rgba::from(110, 26, 30)}, {'g', bone}};
    const std::vector<Key> starveKeys = {{'k', black}, {'a', red}, {'d', redDim}, {'g', metalLight}};
    const std::vector<std::string> foodBig = {"....kkkk....", "...kaaaak...", "..kaaaaaak..", ".kaaggaaaak.", ".kaagaaaaak.",
        ".kaaaaaaadk.", ".kaaaaaaddk.", "..kaaaaddk..", "...kddddk...", "....kkkk....", "....kgk.....", "....kk......"};
    const std::vector<std::string> foodSmall = {"..kkk...", ".kaaak..", "kaggaak.", "kagaaak.", "kaaaadk.", ".kaddk..", "..kkk...", "...gk..."};
    const std::vector<std::string> fuelBig = {"...kkkkkk...", "..kggaaaak..", "..kaaaaaak..", ".kkkkkkkkkk.", ".kaaaaaaadk.",
        ".kagaaaaadk.", ".kagaaaaadk.", ".kaaaaaaadk.", ".kaaaaaaadk.", ".kaddddddk..", ".kkkkkkkkk..", "............"};
    const std::vector<std::string> fuelSmall = {".kkkkk..", ".kggak..", "kkkkkkk.", "kagaadk.", "kagaadk.", "kaaaadk.", "kkkkkkk.", "........"};
    const std::vector<std::string> starveBig = {"....kkkk....", "...kgggak...", "..kgkkkkak..", ".kgk....kak.", ".kgk...kkak.",
        ".kgk..kak.k.", ".kgk.kak..k.", ".kgkkak..kk.", "..kgak..kk..", "...kkkkkk...", "............", "............"};
    const std::vector<std::string> starveSmall = {"..kkkk..", ".kgggak.", "kgk.kkak", "kgkkakak", "kgkak.ak", ".kakkak.", "..kkkk..", "........"};
    const Icon icons[] = {
        {"food_icon", foodBig, foodSmall, foodKeys},
        {"food_icon_cannibal", foodBig, foodSmall, cannibalKeys},
        {"fuel_icon", fuelBig, fuelSmall, fuelKeys},
        {"fuel_icon_cannibal", fuelBig, fuelSmall, fuelCannibalKeys},
        {"starvation_icon", starveBig, starveSmall, starveKeys},
        {"starvation_icon_cannibal", starveBig, starveSmall, cannibalKeys},
    };
    for (const Icon& icon : icons) {
        Canvas big(12, 12), small(8, 8);
        bitmap(big, 0, 0, icon.big, icon.keys);
        bitmap(small, 0, 0, icon.small, icon.keys);
        context.save(big, std::string("mapscreen/") + icon.name + ".png");
        std::string smallName = std::string(icon.name);
        smallName.insert(smallName.find("_icon") + 5, "_small");
        context.save(small, "ingamescreen/" + smallName + ".png");
    }
}

void drawMapHud(Context& context)
{
    {
        Canvas c(150, 32);
        panel(c, 0, 0, 150, 32);
        divider(c, 40, 6, 1);
        context.save(c, "mapscreen/mapscreen_panel_status.png");
    }
    context.save(plainPanel(145, 31), "mapscreen/mapscreen_panel_bottom_wide.png");
    context.save(plainPanel(64, 22), "mapscreen/mapscreen_panel_top.png");
    {
        Canvas c(56, 28);
        panel(c, 0, 0, 56, 28);
        inset(c, 34, 13, 18, 12, space0);
        context.save(c, "mapscreen/mapscreen_panel_top_left.png");
    }
    for (bool visited : {false, true}) {
        // The pad under a planet: an ellipse of light, green until visited, then red.
        Canvas c(40, 14);
        Rgba ink = visited ? red : green;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 40; ++x) {
                float dx = (x + 0.5f - 20) / 19.5f, dy = (y + 0.5f - 7) / 6.5f;
                float d = dx * dx + dy * dy;
                if (d > 1)
                    continue;
                if (d > 0.78f)
                    c.set(x, y, ink.withAlpha(0.9f));
                else if (d > 0.6f)
                    c.set(x, y, ink.scaled(0.4f).withAlpha(0.7f));
                else if (bayer(x, y) < 0.25f)
                    c.set(x, y, ink.scaled(0.5f).withAlpha(0.5f));
            }
        context.save(c, visited ? "mapscreen/mapscreen_base_red.png" : "mapscreen/mapscreen_base.png");
    }
    {
        // Mission marker: an amber diamond with a green core, readable over any tile.
        Canvas c(20, 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                int d = std::abs(x * 2 + 1 - 20) + std::abs(y * 2 + 1 - 20);
                if (d <= 18 && d >= 15)
                    c.set(x, y, d >= 17 ? black : amberBright);
                else if (d <= 8)
                    c.set(x, y, d >= 7 ? black : green);
            }
        c.set(9, 9, Rgba::from(200, 255, 200));
        context.save(c, "mapscreen/map_icon_small.png");
    }
    {
        // Day digits: a 7 x 9 readout cell showing one hexadecimal digit per frame.
        PixelFont tiny(PixelFont::Face::Tiny);
        const char digits[] = "0123456789ABCDEF";
        for (int k = 0; k < 16; ++k) {
            Canvas c(7, 9);
            c.fillRect(0, 0, 7, 9, greenDeep.scaled(0.5f));
            tiny.draw(c, 2, 2, std::string(1, digits[k]), green);
            c.fillRect(0, 0, 7, 1, black);
            char name[80];
            std::snprintf(name, sizeof name, "mapscreen/flash_frames_green/flashy_%02d.png", k);
            context.save(c, name);
        }
    }
}

void drawShipWindows(Context& context)
{
    {
        Canvas c(554, 104);
        blueprint(c, 0, 0, 554, 104, false);
        context.save(c, "ship_systems/ship_starboard_blueprints.png");
    }
    context.save(titled(618, 200, "SHIP SYSTEMS"), "ship_systems/ship_systems_background.png");
    {
        // Cable runs bridging the gaps between neighbouring system keys.
        Canvas c(440, 40);
        for (int n = 0; n < 8; ++n) {
            int x = 11 + 60 * n;
            for (int k = 0; k < 3; ++k) {
                int y = 14 + k * 5;
                c.fillRect(x, y, 8, 2, k == 1 ? amberDim : metalDark);
                c.fillRect(x, y, 8, 1, k == 1 ? amber : metal);
            }
        }
        context.save(c, "ship_systems/button_connectors.png");
    }
    {
        // The summary panel lies over this picture and shows it through a window (below); the
        // blueprint fills only what the window shows, so no edge of it peeks out past the panel.
        Canvas c(140, 120);
        blueprint(c, 11, 23, 122, 94, true);
        context.save(c, "sector_summary/ship_aft_blueprints.png");
    }
    {
        // The summary panel leaves a window on its left through which the blueprint shows.
        Canvas c = titled(516, 210, "SECTOR SUMMARY");
        for (int y = 18; y < 112; ++y)
            for (int x = 4; x < 126; ++x)
                c.set(x, y, {0, 0, 0, 0});
        c.outlineRect(3, 17, 124, 96, metalShadow);
        context.save(c, "sector_summary/sector_summary_bg.png");
    }
}

void drawAchievementPanels(Context& context)
{
    context.save(titled(602, 236, "DEEDS"), "achievements_screen/achievements_panel_challenges.png");
    // The screen writes "Most recent" and "Upcoming" over the top of this panel itself.
    context.save(plainPanel(240, 72), "achievements_screen/recent_panel.png");
    context.save(plainPanel(90, 20), "achievements_screen/unlocked_panel.png");
    {
        Canvas c(40, 40);
        inset(c, 0, 0, 40, 40, space0);
        slotMarks(c, 4, 4, 32, 32, metal);
        PixelFont font;
        font.drawCentred(c, 0, 40, 16, "?", metalDark, black);
        context.save(c, "achievements_screen/empty_achievement.png");
    }
}

} // namespace

void drawScreenArt(Context& context)
{
    drawGeneralPanels(context);
    drawMenuPopup(context);
    drawTitleArt(context);
    drawOptions(context);
    drawCreator(context);
    drawCrewSelection(context);
    drawDeploy(context);
    drawBriefing(context);
    drawCrewScreen(context);
    drawMissionScreen(context);
    drawSupplyIcons(context);
    drawMapHud(context);
    drawShipWindows(context);
    drawAchievementPanels(context);
}

} // namespace gen
