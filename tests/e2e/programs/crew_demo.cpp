// Draws the whole-crew view of the roster into a 1280 x 720 window (logical 640 x 360) and
// saves a screenshot: crew cards four to a row with one member dead, the info panel of the
// selected member with its experience pips, and that member's memento grid.
//
//   crew_demo <work folder> <screenshot.png> <game assets folder>
//
// The game's pictures are copied into <work folder>/assets, never changed in place. When the
// game assets hold no characters yet, a stand-in crew with simple stand-in portraits is
// written there, so the checked picture stays the same whatever the shipped crew is.

#include "core/TextFunctions.hpp"
#include "crew/CharacterManager.hpp"
#include "crew/CrewColours.hpp"
#include "crew/CrewVocabulary.hpp"
#include "support/DemoStage.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

struct StandIn {
    const char* file;
    const char* name;
    const char* pronouns;
    const char* traits;
    const char* colour;
    sf::Color skin;
};

const StandIn standIns[] = {
    { "a", "Ilka Maren", "she/her/hers", R"("Human", "Scientist", "Observant", "Stubborn")", "3c8fd0",
      sf::Color(224, 172, 130) },
    { "b", "Osk Tarrow", "he/him/his", R"("Avian", "Soldier", "Tough", "Loner")", "d06a3c",
      sf::Color(200, 190, 160) },
    { "c", "Quen Abernath", "they/them/theirs", R"("Cygen", "Counselor", "Empathic")", "28ad78",
      sf::Color(160, 170, 190) },
    { "d", "Tinker Vass", "xe/xem/xyrs", R"("Cephalopod", "Mechanic", "Lucky")", "b070e0",
      sf::Color(200, 120, 150) },
    { "e", "Rune Calder", "he/him/his", R"("Human", "Farmer", "Genial")", "e0c040", sf::Color(150, 100, 70) },
    { "f", "Maro Ilset", "she/her/hers", R"("Human", "Surgeon", "Cautious", "Addicted")", "f05060",
      sf::Color(235, 190, 160) },
};

// A stand-in face: shoulders in the character's colour, a head on top, two eyes.
void writePortrait(const std::string& path, sf::Color colour, sf::Color skin)
{
    sf::Image face;
    face.create(16, 26, sf::Color::Transparent);
    for (unsigned y = 0; y < 26; ++y)
        for (unsigned x = 0; x < 16; ++x) {
            const float dx = static_cast<float>(x) - 7.5f;
            const float dy = static_cast<float>(y) - 8.f;
            if (dx * dx / 30.f + dy * dy / 42.f <= 1.f)
                face.setPixel(x, y, skin);
            else if (y >= 16 && (y >= 19 || (x >= 2 && x <= 13)))
                face.setPixel(x, y, colour);
        }
    face.setPixel(5, 8, sf::Color(20, 20, 30));
    face.setPixel(10, 8, sf::Color(20, 20, 30));
    face.saveToFile(path);
}

bool hasCharacters(const std::string& folder)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        if (entry->path().extension() == ".json")
            return true;
    return false;
}

void writeStandInCrew(const std::string& assets)
{
    fs::create_directories(assets + "char");
    fs::create_directories(assets + charactersFolder);
    for (const StandIn& member : standIns) {
        const std::string portrait = std::string("demo_") + member.file + ".png";
        writePortrait(assets + charactersFolder + portrait, parseHexColor(member.colour), member.skin);
        std::ofstream(assets + "char/" + member.file + ".json")
            << R"({"name": ")" << member.name << R"(", "pronouns": ")" << member.pronouns
            << R"(", "attributes": {"physical": 4, "mental": 5, "social": 6}, "traits": [)" << member.traits
            << R"(], "history": "Signed on at the last dock before the dark, with one bag and a long memory )"
            << R"(of places that are no longer there.", "color": ")" << member.colour << R"(", "sprites": [")"
            << portrait << "\"]}";
    }
    std::ofstream(assets + "mementos/demo_compass.json")
        << R"({"Name": "Old Compass", "Description": "<charName> swears it still points home.", )"
        << R"("MementoSprite": "leader3.png", "InsetSprite": "rank_inset.png"})";
    std::ofstream(assets + "mementos/death.json")
        << R"({"Name": "Last Words", "Description": "<charName> did not come back.", )"
        << R"("MementoSprite": "rank0.png", "InsetSprite": "rank_inset.png"})";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: crew_demo <work folder> <screenshot.png> <game assets folder>" << std::endl;
        return 2;
    }
    const std::string work = std::string(argv[1]) + "/";
    const std::string assets = work + "assets/";
    const std::string game = std::string(argv[3]) + "/";
    for (const char* folder : { "general", "deploymanager", "mementos", "crew_screen", "char" }) {
        fs::create_directories(assets + folder);
        if (fs::exists(game + folder))
            fs::copy(game + folder, assets + folder, fs::copy_options::recursive);
    }
    const bool standIn = !hasCharacters(assets + "char");
    if (standIn)
        writeStandInCrew(assets);

    DemoStage stage("crew demo", assets);
    TextureManager& textures = TextureManager::get();
    {
        CharacterManager roster({ assets, work + "mods/", work + "charImages/" });
        roster.seedRandom(11);
        roster.resetCrew();
        roster.newCrew("Dorov Zivuv");
        std::deque<Character>& crew = roster.getCrewOnShip();
        const std::size_t size = std::min<std::size_t>(crew.size(), 12);
        std::vector<std::size_t> team;
        for (std::size_t k = 0; k < size; ++k) {
            if (crew[k].mementos.empty())
                crew[k].addBadges();
            team.push_back(k);
        }
        roster.setDeployTeam(team);
        roster.setRoles(0, 1, 3);
        roster.setCurrentMissionName("Relay Kappa");
        roster.awardExperience("Relay Kappa", true);
        roster.awardExperience("Dust Belt", true);
        roster.killCrew(2, false, "<charName> held the airlock shut until the others were through.");
        // The stand-in crew's first member gets a keepsake; the game's own crew shows the one
        // that comes with a member (the secret "Dorov Zivuv" and his photograph).
        std::size_t shown = 0;
        if (standIn)
            roster.giveMemento(0, "demo_compass");
        else
            for (std::size_t k = 0; k < crew.size(); ++k)
                if (crew[k].name() == "Dorov Zivuv")
                    shown = k;
        Character& selected = crew[shown];
        roster.layoutCrewView(0);
        crew[1].setFocus(true);
        roster.showCharacterInfo(307, 105, selected, true);

        const char* const backdrop[][3] = {
            { "crew_screen/crew_screen_bg.png", "0", "0" },
            { "general/character_infoscreen.png", "296", "92" },
            { "deploymanager/experience_panel_bg.png", "296", "258" },
            { "general/character_related/character_baseplatform_normal_offline.png", "337", "62" },
        };
        const sf::Image shot = stage.capture(
            [&](sf::RenderWindow& window) {
                for (const auto& part : backdrop) {
                    sf::Sprite sprite(textures.getTexture(part[0]));
                    sprite.setPosition(std::stof(part[1]), std::stof(part[2]));
                    window.draw(sprite);
                }
                roster.drawCrewView(window, 0);
                roster.drawCharacterInfo(window);
                roster.drawMementoGrid(window, sf::Vector2f(466.f, 60.f), 1);
            },
            sf::Color(12, 12, 12));
        if (!shot.saveToFile(argv[2]))
            return 1;
    } // the roster's labels go before the stage
    CrewColours::destroy();
    return 0;
}
