// The achievement pictures: a framed emblem per deed, lit when unlocked, grey when not.
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"

#include <cmath>
#include <map>

namespace gen {

using namespace ui;
using namespace ui::colour;

namespace {

using Rows = std::vector<std::string>;

const std::map<std::string, Rows> symbols = {
    {"alien", {"...xxxxx...", "..xxxxxxx..", ".xxxxxxxxx.", "xx..xxx..xx", "x...xxx...x", "xxx.xxx.xxx", ".xxxxxxxxx.", "..xxxxxxx..", "...xx.xx...", "...x...x...", "..xx...xx.."}},
    {"fork", {"x.x.x...xx.", "x.x.x..xxx.", "x.x.x..xxx.", "xxxxx..xxx.", ".xxx...xxx.", "..x....xxx.", "..x.....xx.", "..x.....x..", "..x.....x..", "..x.....x..", "..x.....x.."}},
    {"skull", {"..xxxxxxx..", ".xxxxxxxxx.", "xxxxxxxxxxx", "xx..xxx..xx", "xx..xxx..xx", "xxxxx.xxxxx", ".xxxx.xxxx.", "..xxxxxxx..", "..x.x.x.x..", "..xxxxxxx..", "..........."}},
    {"fuel", {"..xxxxxx...", "..x....x...", "xxxxxxxxxxx", "x.........x", "x.xx......x", "x.x.......x", "x.........x", "x.........x", "x.........x", "xxxxxxxxxxx", "..........."}},
    {"trophy", {"xxxxxxxxxxx", "x.xxxxxxx.x", "x.xxxxxxx.x", ".xxxxxxxxx.", "..xxxxxxx..", "...xxxxx...", "....xxx....", ".....x.....", "....xxx....", "..xxxxxxx..", "..xxxxxxx.."}},
    {"heart", {"...........", ".xxx...xxx.", "xxxxx.xxxxx", "xxxxxxxxxxx", "xxxxxxxxxxx", ".xxxxxxxxx.", "..xxxxxxx..", "...xxxxx...", "....xxx....", ".....x.....", "..........."}},
    {"jump", {"x....x.....", ".x....x....", "..x....x...", "...x....x..", "xxxxxxxxxx.", "...x....x..", "..x....x...", ".x....x....", "x....x.....", "...........", "..........."}},
    {"path", {"x..........", ".x.........", "..x..xx....", "...xx..x...", ".......x...", "........x..", ".........x.", "........xxx", ".......xxxx", "........xxx", "..........."}},
    {"planet", {"...xxxxx...", ".xxxxxxxxx.", ".xx..xxxxx.", "xx..xxxxxxx", "xxxxxxxxxxx", "xxxxxx..xxx", "xxxxxxxxxxx", ".xxxxxxxxx.", ".xxxxxxxxx.", "...xxxxx...", "..........."}},
    {"food", {"....xxxx...", "...xxxxxx..", "..xx..xxxx.", "..x..xxxxx.", "..xxxxxxxx.", "..xxxxxxxx.", "...xxxxxx..", "....xxxx...", ".....xx....", "....xx.....", "..........."}},
    {"chest", {"...........", ".xxxxxxxxx.", "x.........x", "xxxxxxxxxxx", "x....x....x", "x...xxx...x", "x....x....x", "x.........x", "xxxxxxxxxxx", "...........", "..........."}},
    {"atom", {".....x.....", "..xx.x.xx..", ".x..xxx..x.", "x..x...x..x", ".xx.....xx.", "xxx..x..xxx", ".xx.....xx.", "x..x...x..x", ".x..xxx..x.", "..xx.x.xx..", ".....x....."}},
    {"shield", {"xxxxxxxxxxx", "x....x....x", "x....x....x", "xxxxxxxxxxx", "x....x....x", ".x...x...x.", ".x...x...x.", "..x..x..x..", "...x.x.x...", "....xxx....", ".....x....."}},
    {"ghost", {"...xxxxx...", "..xxxxxxx..", ".xxxxxxxxx.", ".xx..x..xx.", ".xx..x..xx.", ".xxxxxxxxx.", ".xxxxxxxxx.", ".xxx.xxxxx.", ".xxxxxxxxx.", ".x.x.x.x.x.", "..........."}},
};

struct Deed {
    const char* id;
    const char* symbol;
    Rgba ink;
    int mark; // 0 none, 1 or 2: a tally for the parts of a pair
};

void emblem(Canvas& c, const Deed& deed, bool unlocked)
{
    inset(c, 0, 0, 40, 40, space0);
    // Backing disc with dithered rim light from the upper left.
    for (int y = 2; y < 38; ++y)
        for (int x = 2; x < 38; ++x) {
            float dx = x + 0.5f - 20.f, dy = y + 0.5f - 20.f;
            float d = std::hypot(dx, dy);
            if (d > 17.5f)
                continue;
            Rgba rim = dx + dy < 0 ? metalLight : metalDark;
            Rgba p = d > 16.f ? rim : ditherMix(space2, space1, d / 17.f, x, y);
            c.set(x, y, p);
        }
    Rgba ink = unlocked ? deed.ink : grey.scaled(0.7f);
    Rgba shadow = unlocked ? deed.ink.scaled(0.35f) : grey.scaled(0.25f);
    const Rows& rows = symbols.at(deed.symbol);
    bitmap(c, 10, 10, rows, {{'x', shadow}}, 2);
    bitmap(c, 9, 9, rows, {{'x', ink}}, 2);
    for (int k = 0; k < deed.mark; ++k)
        c.fillRect(31, 31 - k * 4, 3, 3, unlocked ? green : grey.scaled(0.5f));
    if (!unlocked)
        for (int y = 1; y < 39; y += 2)
            for (int x = 1; x < 39; ++x)
                c.blend(x, y, black, 0.35f);
}

} // namespace

void drawAchievementArt(Context& context)
{
    const Rgba violet = Rgba::from(168, 120, 230);
    const Deed deeds[] = {
        {"add_alien", "alien", green, 0},
        {"eat_crew", "fork", red, 0},
        {"crew_starves", "skull", amberBright, 0},
        {"out_of_gas", "fuel", teal, 0},
        {"victory_drake1", "trophy", amberBright, 1},
        {"victory_drake2", "trophy", amberBright, 2},
        {"victory_ellison1", "trophy", teal, 1},
        {"victory_ellison2", "trophy", teal, 2},
        {"party_wipe", "skull", red, 0},
        {"everyone_lives", "heart", green, 0},
        {"space_jumper", "jump", violet, 0},
        {"space_traveller", "path", steel, 0},
        {"space_explorer", "planet", copper, 0},
        {"food_glutton", "food", amberBright, 0},
        {"memento_collector1", "chest", copper, 1},
        {"memento_collector2", "chest", amberBright, 2},
        {"researcher1", "atom", teal, 1},
        {"researcher2", "atom", green, 2},
        {"crew_saviour", "shield", green, 0},
        {"crew_killer", "skull", violet, 0},
        {"add_dorov", "ghost", steel, 0},
    };
    for (const Deed& deed : deeds)
        for (bool unlocked : {true, false}) {
            Canvas c(40, 40);
            emblem(c, deed, unlocked);
            context.save(c, std::string("achievements_screen/achievement_images/") + deed.id + (unlocked ? ".png" : "_inactive.png"));
        }
}

} // namespace gen
