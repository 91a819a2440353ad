#pragma once

#include "common/Canvas.hpp"
#include "common/PixelFont.hpp"

#include <functional>
#include <string>
#include <vector>

// Shared palette and drawing recipes of the interface pictures. Every panel, button and
// icon is built from these so that the whole interface reads as one set of instruments:
// gunmetal frames lit from the upper left around dark navy screens with amber and green
// lettering. assets-src/STYLE.md describes the same rules in words.
namespace gen::ui {

namespace colour {
extern const Rgba black, space0, space1, space2, space3;
extern const Rgba metalShadow, metalDark, metal, metalLight, metalHighlight;
extern const Rgba amber, amberBright, amberDim, amberDeep;
extern const Rgba green, greenDim, greenDeep;
extern const Rgba red, redDim, teal, copper, steel, white, grey;
}

// 4 x 4 ordered-dither threshold in 0..1 for pixel (x, y).
float bayer(int x, int y);
// Picks `a` or `b` per pixel so that the share of `b` is `t` (ordered dithering).
Rgba ditherMix(const Rgba& a, const Rgba& b, float t, int x, int y);

// A dark CRT screen area: navy with a dithered vertical falloff and faint scanlines.
void screen(Canvas& c, int x, int y, int w, int h, const Rgba& top = colour::space2, const Rgba& bottom = colour::space0);
// A thin bevelled gunmetal frame 3 pixels deep around (x, y, w, h), lit from the upper left.
void frame(Canvas& c, int x, int y, int w, int h);
// A recessed slot: dark inside with a one-pixel sunken edge (shadow top-left, light bottom-right).
void inset(Canvas& c, int x, int y, int w, int h, const Rgba& fill = colour::space0);
// A framed panel with a screen inside and rivets in the corners.
void panel(Canvas& c, int x, int y, int w, int h);
// A panel with a metal title strip carrying `title` in amber.
void titledPanel(Canvas& c, int x, int y, int w, int h, const std::string& title);
// Slanted hazard stripes in `stripe` over `base`.
void stripes(Canvas& c, int x, int y, int w, int h, const Rgba& stripe, const Rgba& base, int period = 6);
// Scattered stars over whatever is there, seeded.
void stars(Canvas& c, int x, int y, int w, int h, unsigned seed, float density);
// A full 640 x 360 screen backdrop: space, a faint grid, and a frame around the edge.
Canvas backdrop(unsigned seed, const Rgba& tint);
// A memento medal on a 32 x 32 picture: a ribbon striped `stripe` and `gap` hanging from the top
// edge into a metal-rimmed dark disc lit from the upper left. Badges and keepsakes draw on it.
void medal(Canvas& c, const Rgba& stripe, const Rgba& gap);
// A memento inset, 12 x 12: a light metal ring around a disc of `fill`.
void insetRing(Canvas& c, const Rgba& fill);
// The finish every keepsake picture shares: the object keeps its own colours, gets a near-black
// outline and a one-pixel shadow down-right, so it reads as a thing lying on the crew card.
void keepsakeFinish(Canvas& c);
// A colour in shadow: darker, and leaning toward the navy of space rather than to grey.
Rgba inShadow(const Rgba& c);

// Draws a small bitmap given as rows of characters; `keys` maps each character to a colour
// ('.' and ' ' are transparent). Used for icons and glyph-like marks.
struct Key {
    char c;
    Rgba colour;
};
void bitmap(Canvas& c, int x, int y, const std::vector<std::string>& rows, const std::vector<Key>& keys, int scale = 1);

// What a button face shows: a text label, or an icon drawn into (x, y, w, h) in the given colour.
struct Face {
    std::string label;
    std::function<void(Canvas&, int, int, int, int, const Rgba&)> icon;
    bool tinyLabel = false;
};

// A button sheet: the Up frame at (2, 0) and the Down frame at (2, h), both w x h, and the
// highlight frame (w + 2) x (h + 2) at (0, 2h), drawn additively by the game, so it is a glow.
// `highlightHeight` can enlarge the highlight cell (its glow stays h + 2 high, the rest is clear).
Canvas buttonSheet(int w, int h, const Face& face, int highlightHeight = 0);
// A sheet of the Up frame at (0, 0) and the Down frame at (0, h) only, w x h each; the sheet
// is `sheetHeight` high (at least 2h), the rest transparent.
Canvas upDownSheet(int w, int h, const Face& face, int sheetHeight = 0);
// One button face in its raised (pressed = false) or pressed state.
void buttonFace(Canvas& c, int x, int y, int w, int h, const Face& face, bool pressed);
// The additive glow of a highlight frame.
void glow(Canvas& c, int x, int y, int w, int h);

} // namespace gen::ui
