#include "ui/TextureManager.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/PictureBytes.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>

namespace {

struct Instance {
    std::unique_ptr<TextureManager> manager;
    std::string root;
    bool startupSet = true;
};

Instance& instance()
{
    static Instance holder;
    return holder;
}

using Entries = std::vector<TextureManager::StartupEntry>;

// A button sheet: the Up frame at (2, 0) of size w x h, the Down frame below it and the
// highlight frame, 2 pixels wider and 2 pixels further left, below that; the highlight is
// 2 pixels taller unless the sheet says otherwise (hiHeight).
void sheet(Entries& entries, const std::string& file, int w, int h, int hiHeight, const char* up, const char* down,
           const char* hi)
{
    entries.push_back({file + up, file, sf::IntRect(2, 0, w, h)});
    entries.push_back({file + down, file, sf::IntRect(2, h, w, h)});
    entries.push_back({file + hi, file, sf::IntRect(0, 2 * h, w + 2, hiHeight > 0 ? hiHeight : h + 2)});
}

void oldSheet(Entries& entries, const std::string& file, int w, int h, int hiHeight = 0)
{
    sheet(entries, file, w, h, hiHeight, "_Up", "_Down", "_HI");
}

void newSheet(Entries& entries, const std::string& file, int w, int h)
{
    sheet(entries, file, w, h, 0, "_UP", "_DOWN", "_HI");
}

void whole(Entries& entries, const std::string& file)
{
    entries.push_back({file, file, sf::IntRect()});
}

Entries buildStartupSet()
{
    Entries e;
    // Buttons of the in-game, deploy and briefing screens.
    oldSheet(e, "general/button_leave.png", 50, 24);
    // The media buttons are flat strips whose highlight is a taller glow around them.
    for (const char* name : {"fastforward", "pause", "play"})
        oldSheet(e, std::string("ingamescreen/button_") + name + ".png", 33, 11, 24);
    oldSheet(e, "deploymanager/button_deploy.png", 56, 24);
    oldSheet(e, "deploymanager/button_missiondetails.png", 56, 20);
    oldSheet(e, "briefing/button_crew_deploy.png", 70, 22);
    oldSheet(e, "briefing/button_proceed.png", 70, 22);

    // Crew platform icons.
    const std::string crew = "general/character_related/";
    for (const char* role : {"medic", "engineer", "leader"})
        whole(e, crew + "character_baseplatform_" + role + "_online.png");
    for (const char* role : {"medic", "engineer", "leader"})
        whole(e, crew + "character_baseplatform_" + role + "_offline.png");
    whole(e, crew + "character_baseplatform_normal_online.png");
    whole(e, crew + "character_baseplatform_normal_offline.png");
    whole(e, crew + "character_nametag.png");
    whole(e, crew + "character_death_icon.png");

    e.push_back({"deploymanager/deploymanager_ready_text.png_NotReady", "deploymanager/deploymanager_ready_text.png",
                 sf::IntRect(0, 0, 41, 5)});
    e.push_back({"deploymanager/deploymanager_ready_text.png_Ready", "deploymanager/deploymanager_ready_text.png",
                 sf::IntRect(0, 5, 41, 10)});

    // Map screen.
    oldSheet(e, "general/button_menu.png", 38, 16);
    oldSheet(e, "mapscreen/button_crew.png", 38, 20);
    oldSheet(e, "mapscreen/button_ship.png", 36, 20);
    oldSheet(e, "mapscreen/button_sector.png", 46, 20);
    oldSheet(e, "mapscreen/button_lightjump.png", 70, 21);
    for (const char* icon : {"crew", "ship", "sector"}) {
        const std::string file = std::string("mapscreen/button_") + icon + "_icon.png";
        e.push_back({file + "_Up", file, sf::IntRect(0, 0, 17, 19)});
        e.push_back({file + "_Down", file, sf::IntRect(0, 19, 17, 38)});
    }

    // Title screen.
    for (const char* name : {"continue", "credits", "options", "characters", "website", "quit", "newgame"})
        newSheet(e, std::string("title_screen/button_") + name + ".png", 51, 20);
    const std::string deeds = "title_screen/button_deeds.png";
    const std::string challenges = "title_screen/button_challenges.png";
    e.push_back({deeds + "_UP", challenges, sf::IntRect(2, 0, 51, 20)});
    e.push_back({deeds + "_DOWN", challenges, sf::IntRect(2, 20, 51, 20)});
    e.push_back({deeds + "_HI", challenges, sf::IntRect(0, 40, 53, 22)});

    // Ranks, crew card parts, origin icons, panels and backgrounds.
    for (const char* rank : {"rank_1", "rank_2", "rank_3", "rank_4"})
        whole(e, std::string("general/ranks/") + rank + ".png");
    for (const char* origin : {"source_mod", "source_random", "source_steamfriends", "source_steamworkshop",
                               "source_text", "source_twitch"})
        whole(e, crew + "character_origin/" + origin + ".png");
    for (const char* file : {"briefing/missiondetails_panel_mainscreen.png", "briefing/missiondetails_bg.png",
                             "briefing/missiondetails_panel_smallscreen.png", "deploymanager/deploymanager_bg.png",
                             "ingamescreen/ingamescreen_panel_mainscreen.png", "mapscreen/mapscreen_base.png",
                             "mapscreen/mapscreen_base_red.png", "sector_summary/ship_aft_blueprints.png",
                             "sector_summary/sector_summary_bg.png", "ship_systems/ship_starboard_blueprints.png",
                             "ship_systems/ship_systems_background.png", "ship_systems/button_connectors.png"})
        whole(e, file);

    // Ship systems.
    for (const char* name : {"ai_housing", "astrogation", "cryonics", "engines", "overview", "quarters", "sensors",
                             "structure", "upgrade_log"})
        newSheet(e, std::string("ship_systems/button_") + name + ".png", 52, 40);
    newSheet(e, "ship_systems/button_arrow_up.png", 24, 26);
    newSheet(e, "ship_systems/button_arrow_down.png", 24, 26);

    // Credits.
    e.push_back({"credits/starfield.png", "credits/starfield1.png", sf::IntRect(0, 0, 512, 512)});
    whole(e, "credits/studio_logo.png");

    // Pause menu.
    newSheet(e, "menu_popup/button_mainmenu.png", 51, 20);
    newSheet(e, "menu_popup/button_savegame.png", 51, 20);
    newSheet(e, "menu_popup/button_resume.png", 64, 18);

    e.push_back({"mission_bg_dark", "ingamescreen/mission_text_background_dark.png", sf::IntRect()});
    e.push_back({"mission_bg_light", "ingamescreen/mission_text_background_light.png", sf::IntRect()});

    // Crew creator and crew selection.
    for (const char* name : {"copy", "edit", "new", "save", "update", "upload", "delete"})
        newSheet(e, std::string("crew_creator/button_") + name + ".png", 56, 22);
    for (const char* name : {"random", "refresh", "open_folder", "clear"})
        newSheet(e, std::string("crew_creator/button_") + name + ".png", 16, 16);
    newSheet(e, "crewselection_screen/button_arrow_right.png", 16, 14);
    newSheet(e, "crewselection_screen/button_arrow_left.png", 16, 14);
    for (const char* name : {"easy", "medium", "hard"})
        newSheet(e, std::string("crewselection_screen/button_") + name + ".png", 46, 20);
    oldSheet(e, "crewselection_screen/randomize_button.png", 46, 20);
    return e;
}

} // namespace

const std::vector<TextureManager::StartupEntry>& TextureManager::startupSet()
{
    static const Entries entries = buildStartupSet();
    return entries;
}

TextureManager& TextureManager::get()
{
    Instance& holder = instance();
    if (!holder.manager)
        holder.manager = std::make_unique<TextureManager>(holder.root.empty() ? assetsPath() : holder.root,
                                                          holder.startupSet);
    return *holder.manager;
}

void TextureManager::destroy()
{
    instance().manager.reset();
}

void TextureManager::resetForTests(const std::string& root, bool registerStartupSet)
{
    Instance& holder = instance();
    holder.manager.reset();
    holder.root = root;
    holder.startupSet = registerStartupSet;
}

TextureManager::TextureManager(std::string root, bool registerStartupSet)
    : root_(std::move(root))
{
    if (!registerStartupSet)
        return;
    for (const StartupEntry& entry : startupSet()) {
        if (entry.whole())
            registerTexture(entry.name, entry.file);
        else
            registerFrame(entry.name, entry.file, entry.rect);
    }
}

sf::Texture& TextureManager::handOut(sf::Texture& texture)
{
    texture.setSmooth(false);
    return texture;
}

void TextureManager::load(sf::Texture& texture, const std::string& file, const sf::IntRect* rect)
{
    const std::string path = root_ + file;
    sf::Image image;
    if (reportedMissing_.count(path))
        return;
    if (!image.loadFromFile(path)) {
        // Three frames of one missing sheet make one line, not three.
        if (reportedMissing_.insert(path).second)
            QV_LOG << path << std::endl;
        return;
    }
    sf::IntRect area(0, 0, static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y));
    if (rect) {
        // Clip to the image; a frame wholly outside it stays empty.
        const int left = std::max(rect->left, 0);
        const int top = std::max(rect->top, 0);
        const int right = std::min(rect->left + rect->width, area.width);
        const int bottom = std::min(rect->top + rect->height, area.height);
        if (right <= left || bottom <= top) {
            QV_LOG << "Warning: TextureManager::registerFrame, the frame lies outside " << path << std::endl;
            return;
        }
        area = sf::IntRect(left, top, right - left, bottom - top);
    }
    if (!texture.loadFromImage(image, area))
        QV_LOG << path << std::endl;
}

sf::Texture& TextureManager::registerFrame(const std::string& name, const std::string& file, const sf::IntRect& rect)
{
    auto [entry, created] = textures_.try_emplace(name);
    if (created)
        load(entry->second, file, &rect);
    return handOut(entry->second);
}

sf::Texture& TextureManager::getTexture(const std::string& name)
{
    auto [entry, created] = textures_.try_emplace(name);
    if (created)
        load(entry->second, name, nullptr);
    return handOut(entry->second);
}

sf::Texture& TextureManager::registerTexture(const std::string& name, const std::string& file)
{
    auto [entry, created] = textures_.try_emplace(name);
    if (created)
        load(entry->second, file, nullptr);
    return handOut(entry->second);
}

sf::Texture& TextureManager::setTextureFromMemory(const std::string& name, const void* data, std::size_t size)
{
    sf::Image image;
    std::string why;
    PictureBytes::decode(data, size, image, why);
    return setTextureFromImage(name, image);
}

sf::Texture& TextureManager::setTextureFromBase64(const std::string& name, std::string_view base64)
{
    sf::Image image;
    std::string why;
    PictureBytes::decodeBase64(base64, image, why);
    return setTextureFromImage(name, image);
}

sf::Texture& TextureManager::setTextureFromImage(const std::string& name, const sf::Image& image)
{
    sf::Texture& texture = textures_[name];
    // Undecodable, refused, or too large for the graphics card: an empty picture, as for a
    // missing file, never the previous picture of that name.
    if (image.getSize().x == 0 || !texture.loadFromImage(image))
        texture = sf::Texture();
    return handOut(texture);
}

void TextureManager::setRepeated(const std::string& name, bool repeated)
{
    auto found = textures_.find(name);
    if (found == textures_.end()) {
        QV_LOG << "Could not set repeated. Texture " << name << " does not exist." << std::endl;
        return;
    }
    found->second.setRepeated(repeated);
}
