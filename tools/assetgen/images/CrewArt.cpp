// The crew: one standing portrait per shipped character, and the pictures of the mementos that
// come with the crew (the death keepsake, the lost soul's family photograph, their insets).
//
// A portrait is 14 x 26: the card puts it at P, its platform at P + (-14, -5) and its name tag at
// P + (-20, 28), so the figure stands centred on x = 7 with its feet on the pad's middle row.
// Each figure is a species body drawn as a character map, with the person's hair, clothes and
// belongings laid over it, then one dark outline around everything. Lower-case letters are a
// person's colours; the same letter in upper case is that colour in shadow (light comes from the
// upper left, so the right-hand side of each part is upper case).
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"
#include "images/WorldKit.hpp"

#include <cctype>
#include <cmath>
#include <map>
#include <stdexcept>

namespace gen {

using namespace ui::colour;

namespace {

constexpr int portraitWidth = 14;
constexpr int portraitHeight = 26;

using Rows = std::vector<std::string>;

// The four bodies. Keys: s skin (or feathers, or mantle), n mouth, e eye, w white, c clothes,
// k clothes trim, b belt, p trousers, f boots, r beak and feet, t collar glass.
const Rows humanBody = {
    "..............",
    "..............",
    "..............",
    ".....ssss.....",
    "....ssssss....",
    "....sssssS....",
    "....sesseS....",
    "....sssssS....",
    "....ssnnsS....",
    ".....sssS.....",
    "......sS......",
    "...ccckkccC...",
    "..cCccccccCC..",
    "..cCckccccCC..",
    "..cCccccccCC..",
    "..cCccccccCC..",
    "..sCbbbbbbCS..",
    "...pppppPPP...",
    "....pppPPP....",
    "....pppPPP....",
    "....pp..PP....",
    "....pp..PP....",
    "....pp..PP....",
    "...fff..fff...",
    "...fff..FFF...",
    "..............",
};

// Octopus people: a tall mantle, wide eyes, the water collar, arms where legs would be.
const Rows cephalopodBody = {
    "..............",
    ".....ssss.....",
    "....ssssss....",
    "...sssssssS...",
    "...sssssssS...",
    "...ssssssSS...",
    "...swwsswwS...",
    "...sweswesS...",
    "...ssssssSS...",
    "....ssssSS....",
    "...tttttTTT...",
    "..cTccccccTC..",
    "..cCckccccCC..",
    "..cCccccccCC..",
    "..cCccccccCC..",
    "..sCbbbbbbCS..",
    "..ssCssssCSS..",
    "..sSssSsSsSS..",
    ".sSsSssSsSSsS.",
    ".sS.sSs.SsS.S.",
    "ss..sS..Ss..SS",
    "s...sS..sS...S",
    "ss..Ss..sS..SS",
    ".s.ss....SS.S.",
    "...s......S...",
    "..............",
};

// Flightless seabirds: dark back and head, white front, flippers, orange beak and feet.
const Rows avianBody = {
    "..............",
    "..............",
    ".....ssss.....",
    "....ssssss....",
    "...sssssssS...",
    "...swsssswS...",
    "...sessssSS...",
    "...ssrrrrSS...",
    "...sswrrwSS...",
    "...swwwwwwS...",
    "..sswwwwwwSS..",
    "..sswwwwwWSS..",
    ".ssswwwwwWSSS.",
    ".ss.wwwwwW.SS.",
    ".s..wwwwwW..S.",
    ".s..wwwwwW..S.",
    "....wwwwwW....",
    "...swwwwwWS...",
    "...swwwwwWS...",
    "...sswwwwWS...",
    "....sswwWS....",
    ".....ssSS.....",
    ".....s..S.....",
    "....rrr.RRR...",
    "...rrr...RRR..",
    "..............",
};

struct Person {
    const char* file; // under general/character_related/characters/
    const Rows* body;
    std::map<char, Rgba> colours; // lower-case keys; upper case is derived
    std::vector<Rows> layers; // drawn over the body in order; '.' keeps, '_' clears
};

Rgba keyColour(const Person& person, char key)
{
    static const std::map<char, Rgba> shared = {
        {'e', Rgba::from(14, 16, 28)},
        {'w', Rgba::from(232, 236, 242)},
        {'o', Rgba::from(5, 6, 14)},
        {'*', Rgba::from(255, 255, 255)},
        {'g', Rgba::from(120, 240, 255)},
        {'m', Rgba::from(150, 160, 178)},
        {'t', Rgba::from(150, 220, 240, 210)},
        {'r', Rgba::from(240, 140, 40)},
        {'b', Rgba::from(40, 45, 56)},
        {'f', Rgba::from(46, 50, 62)},
        {'p', Rgba::from(62, 70, 90)},
    };
    if (key == 'n') // the mouth: the skin, darker and a little warmer
        return mix(keyColour(person, 's').scaled(0.72f), Rgba::from(150, 60, 60), 0.25f);
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    auto own = person.colours.find(lower);
    const Rgba* base = nullptr;
    if (own != person.colours.end())
        base = &own->second;
    else if (auto common = shared.find(lower); common != shared.end())
        base = &common->second;
    if (!base)
        throw std::runtime_error(std::string("portrait ") + person.file + " uses the colour key '" + key + "'");
    return std::isupper(static_cast<unsigned char>(key)) ? ui::inShadow(*base) : *base;
}

void paintRows(Canvas& c, const Person& person, const Rows& rows)
{
    if (rows.size() > portraitHeight)
        throw std::runtime_error(std::string("portrait ") + person.file + " has a layer taller than the picture");
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != portraitWidth)
            throw std::runtime_error(std::string("portrait ") + person.file + " has a row of the wrong width");
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            char key = rows[y][x];
            if (key == '.')
                continue;
            if (key == '_')
                c.set(static_cast<int>(x), static_cast<int>(y), {0, 0, 0, 0});
            else
                c.set(static_cast<int>(x), static_cast<int>(y), keyColour(person, key));
        }
    }
}

// A layer given from row `top` down: the rows above it are left alone.
Rows at(int top, Rows rows)
{
    rows.insert(rows.begin(), static_cast<std::size_t>(top), std::string(portraitWidth, '.'));
    return rows;
}

Canvas drawPerson(const Person& person)
{
    Canvas c(portraitWidth, portraitHeight);
    paintRows(c, person, *person.body);
    for (const Rows& layer : person.layers)
        paintRows(c, person, layer);
    world::outlineOpaque(c, keyColour(person, 'o'));
    return c;
}

std::vector<Person> crew()
{
    const Rgba pale = Rgba::from(236, 200, 176);
    const Rgba fair = Rgba::from(226, 178, 146);
    const Rgba olive = Rgba::from(196, 150, 106);
    const Rgba brown = Rgba::from(150, 100, 66);
    const Rgba dark = Rgba::from(104, 66, 44);
    return {
        // Flight security chief: grey crop and moustache, steel-blue uniform, amber shoulder marks.
        {"rodir_verid_human.png", &humanBody,
         {{'s', fair}, {'h', Rgba::from(178, 182, 190)}, {'c', Rgba::from(110, 134, 170)}, {'k', amberBright},
          {'x', amberBright}},
         {at(2, {".....hhhh.....",
                 "....hhhhhH....",
                 "....h....H....",
                 "....h....H...."}),
          at(8, {".....hhHH....."}),
          at(11, {"..xx......xx.."})}},
        // Mechanic, rebuilt: plated left half of the face with a lit eye, a machine arm, an
        // undercut, orange overalls with a tool belt.
        {"virazez_duvu_cy.png", &humanBody,
         {{'s', pale}, {'h', Rgba::from(40, 34, 40)}, {'c', Rgba::from(224, 128, 58)}, {'k', Rgba::from(60, 50, 44)},
          {'x', Rgba::from(240, 182, 46)}, {'p', Rgba::from(168, 88, 40)}},
         {at(2, {".......hhhh...",
                 "....mmhhhhH...",
                 "....mm...HH...",
                 "....mm........",
                 "....mg........",
                 "....mm........",
                 "....mm........",
                 ".....m........",
                 "......m......."}),
          at(12, {"..m...........",
                  "..m...........",
                  "..M...........",
                  "..M...........",
                  "..mCbxbbxbC..."})}},
        // Survey specialist: violet mantle, a navy vest with orchid trim.
        {"vuvivi_didaro_ceph.png", &cephalopodBody,
         {{'s', Rgba::from(196, 118, 214)}, {'c', Rgba::from(40, 52, 92)}, {'k', Rgba::from(228, 160, 238)}},
         {at(2, {"....*........."}),
          at(11, {"...k......k...",
                  "...k......k..."})}},
        // Galley chief: a white cook's cap and a yellow neckerchief.
        {"vadovo_dirodev_tux.png", &avianBody,
         {{'s', Rgba::from(34, 38, 52)}, {'x', Rgba::from(240, 208, 80)}},
         {at(0, {".....wwww.....",
                 "....wwwwWW....",
                 "....wwwwWW....",
                 "....sssssS...."}),
          at(8, {"...xxxxxxXX...",
                 "....xxxxXX....",
                 "......xX......"})}},
        // Doctor: a bun, a white coat open over a teal shirt.
        {"zuveda_dared_human.png", &humanBody,
         {{'s', dark}, {'h', Rgba::from(28, 22, 26)}, {'c', Rgba::from(226, 232, 238)}, {'k', Rgba::from(92, 214, 200)},
          {'x', Rgba::from(92, 214, 200)}},
         {at(0, {"......hh......",
                 ".....hhhH.....",
                 ".....hhhH.....",
                 "....hhhhhH....",
                 "...hhssssHH...",
                 "...h......H..."}),
          at(11, {".....xkkX.....",
                  "......xX......",
                  "......xX......",
                  "......xX......",
                  "......xX......",
                  "....cC..cC...."})}},
        // Hydroponics keeper: an olive headscarf over a brown tail, clay overalls with straps.
        {"dezeviv_vidad_human.png", &humanBody,
         {{'s', olive}, {'h', Rgba::from(92, 60, 36)}, {'x', Rgba::from(110, 130, 60)}, {'c', Rgba::from(200, 160, 112)},
          {'k', Rgba::from(120, 84, 50)}, {'p', Rgba::from(150, 114, 76)}},
         {at(2, {".....xxxx.....",
                 "....xxxxxX....",
                 "....h....XX...",
                 "....h.....h...",
                 "...........h..",
                 "...........h.."}),
          at(11, {"....k....k....",
                  "....k....k....",
                  "....kkkkkk...."})}},
        // Racer, rebuilt: a bare plated scalp with a red crest, a machine arm, a red suit with
        // white racing stripes.
        {"dizid_zurozu_cy.png", &humanBody,
         {{'s', brown}, {'c', Rgba::from(224, 70, 70)}, {'k', Rgba::from(236, 240, 246)}, {'x', Rgba::from(255, 90, 90)},
          {'p', Rgba::from(150, 44, 50)}},
         {at(2, {"......xx......",
                 ".....mxxM.....",
                 "....mm..MM....",
                 "....m.........",
                 "....mg........"}),
          at(11, {"...kcckkcck...",
                  "..mkcccccckC..",
                  "..mkcccccckC..",
                  "..MkcccccckC..",
                  "..MkcccccckC.."})}},
        // Comedian: a cloud of red curls, a pink jacket, a microphone in her right hand.
        {"vorerod_vare_human.png", &humanBody,
         {{'s', pale}, {'h', Rgba::from(200, 84, 48)}, {'c', Rgba::from(250, 130, 190)}, {'k', Rgba::from(60, 40, 70)}},
         {at(1, {"....hhhhh.....",
                 "...hhhhhhHh...",
                 "..hhhhhhhhHH..",
                 "..hhh....HHH..",
                 "..hh......HH..",
                 "..hh......HH..",
                 "...h......H...",
                 "...h......H..."}),
          at(12, {"...........mm.",
                  "...........MM.",
                  "...........e..",
                  "...........e.."})}},
        // Astrogation instructor: yellow crest tufts, a blue navigator's sash.
        {"razazu_zovidiz_tux.png", &avianBody,
         {{'s', Rgba::from(40, 46, 62)}, {'y', Rgba::from(250, 214, 70)}, {'x', Rgba::from(110, 160, 250)}},
         {at(4, {"..yy......YY..",
                 "...yy....YY..."}),
          at(9, {"....xX........",
                 ".....xX.......",
                 "......xX......",
                 ".......xX.....",
                 "........xX....",
                 ".........x...."})}},
        // Counselor: short dark curls, a cream sweater, a brace on the left leg.
        {"rivir_rezuri_human.png", &humanBody,
         {{'s', brown}, {'h', Rgba::from(30, 24, 22)}, {'c', Rgba::from(232, 220, 196)}, {'k', Rgba::from(200, 180, 150)},
          {'p', Rgba::from(70, 80, 104)}},
         {at(2, {".....hhhH.....",
                 "....hhhhhH....",
                 "....h.h..H...."}),
          at(11, {"...kkkkkkk...."}),
          at(17, {"....m.........",
                  "....mp........",
                  "....M.........",
                  "....mp........",
                  "....M.........",
                  "....m........."})}},
        // The "alien": a grey-green mantle with a second pair of eyes and a patched suit.
        {"vodov_daveze_ceph.png", &cephalopodBody,
         {{'s', Rgba::from(138, 176, 160)}, {'c', Rgba::from(112, 84, 176)}, {'k', Rgba::from(200, 170, 255)},
          {'y', Rgba::from(250, 226, 90)}},
         {at(3, {"....y....y...."}),
          at(7, {"....yy..yy...."}),
          at(11, {"....e.........",
                  "..........k...",
                  ".....kK.......",
                  ".....Kk......."})}},
        // The lost soul: thin, untidy hair with grey in it, stubble, an old sage coat, the photo
        // in his hand.
        {"dorov_zivuv_human.png", &humanBody,
         {{'s', pale}, {'h', Rgba::from(70, 62, 58)}, {'y', Rgba::from(150, 150, 150)}, {'c', Rgba::from(150, 164, 140)},
          {'k', Rgba::from(90, 100, 84)}, {'x', Rgba::from(246, 242, 230)},
          {'p', Rgba::from(96, 78, 62)}},
         {at(2, {"...h.hhhy.....",
                 "....hhhhhyh...",
                 "...hh....HH...",
                 "....h....H...."}),
          at(8, {".....Y..Y....."}),
          at(15, {"..........xx..",
                  "...ccccCCCxx..",
                  "....cc..CC....",
                  "....cc..CC...."})}},
    };
}

void drawPortraits(Context& context)
{
    for (const Person& person : crew())
        context.save(drawPerson(person), std::string("general/character_related/characters/") + person.file);
}

// Memento pictures, 32 x 32. The death tag hangs on a ribbon over a dark disc like the badges;
// the photograph is a keepsake and shares the keepsakes' finish (KeepsakeArt.cpp).
void drawMementoPictures(Context& context)
{
    // In memoriam: a steel tag on a black and red ribbon.
    {
        Canvas c(32, 32);
        ui::medal(c, red.scaled(0.7f), black);
        // The tag: a rounded steel plate with a punched hole and stamped lines.
        for (int y = 11; y < 28; ++y)
            for (int x = 10; x < 22; ++x) {
                bool corner = (y == 11 || y == 27) && (x == 10 || x == 21);
                if (corner)
                    continue;
                Rgba p = (x == 10 || y == 11) ? metalHighlight : ((x == 21 || y == 27) ? metalDark : steel);
                c.set(x, y, p);
            }
        c.set(15, 13, space1);
        c.set(16, 13, space1);
        for (int row : {17, 20, 23})
            for (int x = 12; x < (row == 23 ? 17 : 20); ++x)
                c.set(x, row, metal);
        c.pixelLine(13, 6, 15, 13, metalLight);
        c.pixelLine(18, 6, 16, 13, metalLight);
        context.save(c, "mementos/images/death.png");
    }
    // The family photograph: a white-bordered print, creased, of a woman and two children on a
    // grey beach under a pale sky.
    {
        Canvas c(32, 32);
        const Rgba paper = Rgba::from(236, 230, 214);
        const Rgba sky = Rgba::from(176, 180, 176);
        const Rgba sea = Rgba::from(96, 112, 118);
        const Rgba sand = Rgba::from(150, 140, 120);
        c.fillRect(2, 4, 26, 22, paper);
        for (int y = 6; y < 24; ++y)
            for (int x = 4; x < 26; ++x) {
                Rgba p = y < 14 ? ui::ditherMix(sky, sky.scaled(0.9f), (y - 6) / 8.f, x, y) : (y < 17 ? sea : sand);
                if (y == 17 && (x / 3) % 2 == 0)
                    p = paper.scaled(0.85f); // the edge of a wave
                c.set(x, y, p);
            }
        // A woman and two children holding hands, facing the camera.
        const Rgba ink = Rgba::from(58, 52, 54);
        const Rgba face = Rgba::from(200, 184, 160);
        ui::bitmap(c, 7, 9,
            {"..hh............",
             ".hhhh...........",
             ".hffh...........",
             ".hffh......hh...",
             ".hxxh......ff...",
             "..xxx.....xxxx..",
             "..xxxxxxxxxxxx.h",
             "..xxx.....xx..ff",
             "..xxx.....xx.xxx",
             ".xxxxx....x.x.xx",
             "..x.x.....x.x.x.",
             "..x.x.........x."},
            {{'x', ink}, {'h', Rgba::from(40, 34, 34)}, {'f', face}});
        // The crease across the sky, and a torn corner.
        c.pixelLine(4, 10, 25, 6, Rgba::from(250, 248, 240));
        c.pixelLine(4, 11, 25, 7, Rgba::from(140, 140, 134));
        c.set(27, 4, {0, 0, 0, 0});
        c.set(26, 4, {0, 0, 0, 0});
        c.set(27, 5, {0, 0, 0, 0});
        ui::keepsakeFinish(c);
        context.save(c, "mementos/images/dorov_family_photo.png");
    }
    // Insets, 12 x 12, in the rank inset's ring: a keepsake diamond and a mourning flame.
    {
        Canvas c(12, 12);
        ui::insetRing(c, amberDeep);
        ui::bitmap(c, 3, 3, {"..xx..", ".xyyx.", "xyyyyx", ".xyyx.", "..xx.."}, {{'x', amber}, {'y', amberBright}});
        context.save(c, "mementos/images/keepsake_inset.png");
    }
    {
        Canvas c(12, 12);
        ui::insetRing(c, space1);
        ui::bitmap(c, 4, 2, {"..x.", ".xx.", ".xyx", "xyyx", "xyyx", ".mm.", ".mm."},
            {{'x', red}, {'y', amberBright}, {'m', metalHighlight}});
        context.save(c, "mementos/images/death_inset.png");
    }
}

} // namespace

void drawCrewArt(Context& context)
{
    drawPortraits(context);
    drawMementoPictures(context);
}

} // namespace gen
