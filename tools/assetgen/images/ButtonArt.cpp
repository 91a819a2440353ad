// Every button sheet: labelled keys, icon keys, arrows and the map's icon tabs.
#include "images/InterfaceKit.hpp"
#include "images/InterfaceParts.hpp"

namespace gen {

using namespace ui;
using namespace ui::colour;

namespace {

using Rows = std::vector<std::string>;

// An icon face that draws `rows` centred in the face's window.
Face iconFace(Rows rows)
{
    Face face;
    face.icon = [rows](Canvas& c, int x, int y, int w, int h, const Rgba& ink) {
        int iw = static_cast<int>(rows.empty() ? 0 : rows[0].size()), ih = static_cast<int>(rows.size());
        bitmap(c, x + (w - iw) / 2, y + (h - ih) / 2, rows, {{'x', ink}, {'o', ink.scaled(0.5f)}});
    };
    return face;
}

// An icon above a tiny label, for the tall ship-systems keys.
Face systemFace(Rows rows, std::string label)
{
    Face face;
    face.icon = [rows, label](Canvas& c, int x, int y, int w, int h, const Rgba& ink) {
        int iw = static_cast<int>(rows[0].size()) * 2, ih = static_cast<int>(rows.size()) * 2;
        bitmap(c, x + (w - iw) / 2, y + (h - 7 - ih) / 2, rows, {{'x', ink}, {'o', ink.scaled(0.5f)}}, 2);
        PixelFont tiny(PixelFont::Face::Tiny);
        tiny.draw(c, x + (w - tiny.measure(label)) / 2, y + h - 6, label, ink);
    };
    return face;
}

Face label(const std::string& text)
{
    Face face;
    face.label = text;
    return face;
}

const Rows play = {"x....", "xxx..", "xxxxx", "xxx..", "x...."};
const Rows pause = {"xx.xx", "xx.xx", "xx.xx", "xx.xx", "xx.xx"};
const Rows fastForward = {"x...x...", "xxx.xxx.", "xxxxxxxx", "xxx.xxx.", "x...x..."};
const Rows arrowUp = {"....x....", "...xxx...", "..xxxxx..", ".xxxxxxx.", "xxxxxxxxx", "...xxx...", "...xxx...", "...xxx..."};
const Rows arrowDown = {"...xxx...", "...xxx...", "...xxx...", "xxxxxxxxx", ".xxxxxxx.", "..xxxxx..", "...xxx...", "....x...."};
const Rows arrowLeft = {"...x", "..xx", ".xxx", "xxxx", ".xxx", "..xx", "...x"};
const Rows arrowRight = {"x...", "xx..", "xxx.", "xxxx", "xxx.", "xx..", "x..."};
const Rows dice = {"xxxxxxx", "x.....x", "x.x...x", "x..x..x", "x...x.x", "x.....x", "xxxxxxx"};
const Rows refresh = {"..xxxx.", ".x....x", "x......", "x...xxx", "x....xx", ".x..x.x", "..xx..."};
const Rows folder = {"xxx....", "x..xxxx", "xxxxxxx", "x.....x", "x.....x", "x.....x", "xxxxxxx"};
const Rows clear = {"x.....x", ".x...x.", "..x.x..", "...x...", "..x.x..", ".x...x.", "x.....x"};
const Rows crewIcon = {"..xxx..", ".xxxxx.", ".xxxxx.", "..xxx..", ".......", ".xxxxx.", "xxxxxxx", "xxxxxxx", "xxxxxxx"};
const Rows shipIcon = {"...x...", "..xxx..", "..xox..", ".xxxxx.", ".xxxxx.", "xxxxxxx", "xx.x.xx", "o..o..o", "......."};
const Rows sectorIcon = {"xxxxxxx", "x.x.x.x", "xxxxxxx", "x.xox.x", "xxxxxxx", "x.x.x.x", "xxxxxxx"};

void drawMapButtons(Context& context)
{
    context.save(buttonSheet(38, 20, label("CREW")), "mapscreen/button_crew.png");
    context.save(buttonSheet(36, 20, label("SHIP")), "mapscreen/button_ship.png");
    context.save(buttonSheet(46, 20, label("SECTOR")), "mapscreen/button_sector.png");
    context.save(buttonSheet(70, 21, label("LIGHT JUMP")), "mapscreen/button_lightjump.png");
    // Icon tabs: Up at (0, 0), Down at (0, 19), each 17 x 19; the Down frame is registered
    // 38 high, so the sheet carries a clear band below it.
    context.save(upDownSheet(17, 19, iconFace(crewIcon), 57), "mapscreen/button_crew_icon.png");
    context.save(upDownSheet(17, 19, iconFace(shipIcon), 57), "mapscreen/button_ship_icon.png");
    context.save(upDownSheet(17, 19, iconFace(sectorIcon), 57), "mapscreen/button_sector_icon.png");
}

void drawScreenButtons(Context& context)
{
    context.save(buttonSheet(50, 24, label("LEAVE")), "general/button_leave.png");
    context.save(buttonSheet(38, 16, label("MENU")), "general/button_menu.png");
    // Transport keys: 33 x 11 with a highlight cell 24 high (the glow fills its top).
    context.save(buttonSheet(33, 11, iconFace(play), 24), "ingamescreen/button_play.png");
    context.save(buttonSheet(33, 11, iconFace(pause), 24), "ingamescreen/button_pause.png");
    context.save(buttonSheet(33, 11, iconFace(fastForward), 24), "ingamescreen/button_fastforward.png");
    context.save(buttonSheet(56, 24, label("DEPLOY")), "deploymanager/button_deploy.png");
    context.save(buttonSheet(56, 20, label("DETAILS")), "deploymanager/button_missiondetails.png");
    context.save(buttonSheet(70, 22, label("SEND TEAM")), "briefing/button_crew_deploy.png");
    context.save(buttonSheet(70, 22, label("PROCEED")), "briefing/button_proceed.png");

    const std::pair<const char*, const char*> title[] = {{"continue", "LOAD"}, {"newgame", "NEW GAME"},
        {"characters", "CREW"}, {"options", "OPTIONS"}, {"challenges", "DEEDS"}, {"credits", "CREDITS"},
        {"website", "WEBSITE"}, {"quit", "QUIT"}};
    for (auto [file, text] : title)
        context.save(buttonSheet(51, 20, label(text)), std::string("title_screen/button_") + file + ".png");

    context.save(buttonSheet(51, 20, label("SAVE")), "menu_popup/button_savegame.png");
    context.save(buttonSheet(51, 20, label("TITLE")), "menu_popup/button_mainmenu.png");
    context.save(buttonSheet(64, 18, label("RESUME")), "menu_popup/button_resume.png");

    const std::pair<const char*, const char*> creator[] = {{"copy", "COPY"}, {"edit", "EDIT"}, {"new", "NEW"},
        {"delete", "DELETE"}, {"save", "SAVE"}, {"update", "UPDATE"}, {"upload", "UPLOAD"}};
    for (auto [file, text] : creator)
        context.save(buttonSheet(56, 22, label(text)), std::string("crew_creator/button_") + file + ".png");
    context.save(buttonSheet(16, 16, iconFace(dice)), "crew_creator/button_random.png");
    context.save(buttonSheet(16, 16, iconFace(refresh)), "crew_creator/button_refresh.png");
    context.save(buttonSheet(16, 16, iconFace(folder)), "crew_creator/button_open_folder.png");
    context.save(buttonSheet(16, 16, iconFace(clear)), "crew_creator/button_clear.png");

    context.save(buttonSheet(16, 14, iconFace(arrowLeft)), "crewselection_screen/button_arrow_left.png");
    context.save(buttonSheet(16, 14, iconFace(arrowRight)), "crewselection_screen/button_arrow_right.png");
    context.save(buttonSheet(46, 20, label("EASY")), "crewselection_screen/button_easy.png");
    context.save(buttonSheet(46, 20, label("MEDIUM")), "crewselection_screen/button_medium.png");
    context.save(buttonSheet(46, 20, label("HARD")), "crewselection_screen/button_hard.png");
    context.save(buttonSheet(46, 20, label("RANDOM")), "crewselection_screen/randomize_button.png");

    context.save(buttonSheet(24, 26, iconFace(arrowUp)), "ship_systems/button_arrow_up.png");
    context.save(buttonSheet(24, 26, iconFace(arrowDown)), "ship_systems/button_arrow_down.png");
    struct System {
        const char* file;
        const char* text;
        Rows icon;
    };
    const System systems[] = {
        {"ai_housing", "AI CORE", {"..xxxxx..", ".x.....x.", "x..xxx..x", "x.x.o.x.x", "x..xxx..x", ".x.....x.", "..xxxxx..", "..x.x.x..", "..x.x.x.."}},
        {"astrogation", "NAV", {"....x....", "...xxx...", "....x....", "..x...x..", "xxx.o.xxx", "..x...x..", "....x....", "...xxx...", "....x...."}},
        {"cryonics", "CRYO", {"x...x...x", ".x..x..x.", "..x.x.x..", "...xxx...", "xxxxoxxxx", "...xxx...", "..x.x.x..", ".x..x..x.", "x...x...x"}},
        {"engines", "ENGINES", {"..xxxxx..", ".xxxxxxx.", ".xxxxxxx.", "..xxxxx..", "...xxx...", "..xxxxx..", ".x.o.o.x.", "..o.o.o..", ".o.o.o.o."}},
        {"overview", "OVERVIEW", {"xxxxxxxxx", "x.......x", "x.xxx.x.x", "x.......x", "x.xx.xx.x", "x.......x", "x.xxxx..x", "x.......x", "xxxxxxxxx"}},
        {"quarters", "QUARTERS", {".........", "xxx...xxx", "x.x...x.x", "xxxxxxxxx", "x.......x", "xxxxxxxxx", "x.......x", "xxxxxxxxx", "x.......x"}},
        {"sensors", "SENSORS", {"xx.......", "..x......", "x..x.....", ".x..x....", "..x..x.xx", "...x.xxxx", "....xxxx.", "...xxxx..", "..xx.x..."}},
        {"structure", "HULL", {"xxxxxxxxx", "xx.....xx", "x.x...x.x", "x..x.x..x", "x...x...x", "x..x.x..x", "x.x...x.x", "xx.....xx", "xxxxxxxxx"}},
        {"upgrade_log", "LOG", {"xxxxxxx..", "x.....xx.", "x.xxx..x.", "x......x.", "x.xxxx.x.", "x......x.", "x.xxx..x.", "x......x.", "xxxxxxxx."}},
    };
    for (const System& s : systems)
        context.save(buttonSheet(52, 40, systemFace(s.icon, s.text)), std::string("ship_systems/button_") + s.file + ".png");
}

} // namespace

void drawButtonArt(Context& context)
{
    drawMapButtons(context);
    drawScreenButtons(context);
}

} // namespace gen
