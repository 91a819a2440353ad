#pragma once

#include "core/TimedActions.hpp"
#include "creator/CrewCreator.hpp"
#include "support/CrewFixture.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/ShippedAssets.hpp"
#include "support/UiTestSupport.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// The crew creator over the crew fixture: the fixture's characters in the roster, three
// shipped portraits (a human, a Cygen, a Cephalopod) and one of the player's, the names file,
// and a private mods folder to save into.
class CreatorTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        TimedActions::install(std::make_unique<TimedActions>(clock));
        // The screens' pictures at their real sizes, in plain colours; button sheets as the
        // generator lays them out.
        TextureManager::resetForTests(pictureFolder(), true);
        crew = std::make_unique<CrewFolders>(home.root() + "/crew");
        const std::string portraits = crew->assets() + "general/character_related/characters/";
        writeImage(portraits + "a_human.png", 14, 26, sf::Color(200, 10, 10));
        writeImage(portraits + "b_cy.png", 14, 26, sf::Color(10, 200, 10));
        writeImage(portraits + "c_ceph.png", 14, 26, sf::Color(10, 10, 200));
        writeImage(crew->charImages() + "mine.png", 14, 26, sf::Color(90, 90, 90));
        crew->writeCharacter("assets/crew_creator/randomNames.json",
                             R"({"FirstMale": ["Bram"], "FirstFemale": ["Wren"], "LastNames": ["Holloway"]})");
        CharacterManager::install(crew->roster());
        creator = std::make_unique<CrewCreator>(crew->folders(), 11u);
    }
    void TearDown() override
    {
        WindowManager::destroy();
        creator.reset();
        CharacterManager::destroy();
        TimedActions::destroy();
        crew.reset();
        UiTest::TearDown();
    }

    // Made once per test program and removed when it ends.
    static const std::string& pictureFolder()
    {
        struct Folder {
            std::string path;
            Folder()
            {
                char pattern[] = "/tmp/qv-creator-pictures-XXXXXX";
                path = std::string(mkdtemp(pattern)) + "/";
                writePictures(path);
            }
            ~Folder()
            {
                std::error_code ignored;
                std::filesystem::remove_all(path, ignored);
            }
        };
        static const Folder folder;
        return folder.path;
    }

    static void writePictures(const std::string& root)
    {
        std::ifstream list(sourceAssets() / "pictures.txt");
        std::string line;
        while (std::getline(list, line)) {
            std::istringstream fields(line);
            std::string path, frames;
            unsigned width = 0, height = 0;
            if (line.empty() || line[0] == '#' || !(fields >> path >> width >> height))
                continue;
            const bool wanted = path.rfind("crew_creator/", 0) == 0 || path.rfind("crewselection_screen/", 0) == 0
                || path.rfind("general/", 0) == 0 || path.rfind("deploymanager/deploymanager_bg", 0) == 0
                || path.rfind("achievements_screen/", 0) == 0 || path.rfind("crew_screen/", 0) == 0
                || path.rfind("menu_popup/", 0) == 0;
            if (!wanted)
                continue;
            unsigned w = 0, h = 0;
            if (fields >> frames && std::sscanf(frames.c_str(), "button=%u,%u", &w, &h) == 2)
                writeButtonSheet(root + path, w, h, sf::Color(40, 40, 60), sf::Color(0, 120, 0), sf::Color(90, 60, 0));
            else
                writeImage(root + path, width, height, sf::Color(30, 60, 30));
        }
        writeImage(root + "title_screen/quorvane_title_screen2.png", 640, 360, sf::Color(5, 5, 20));
    }

    CharacterManager& roster() { return CharacterManager::get(); }
    // A copy of the loaded character with that file ("Echo/echo.json", "char/2_osk_tarrow.json").
    Character character(const std::string& loadedFilename)
    {
        for (const Character& c : roster().getAllCharacters())
            if (c.loadedFilename == loadedFilename)
                return c;
        ADD_FAILURE() << "no character " << loadedFilename;
        return Character();
    }
    std::vector<std::string> selected()
    {
        std::vector<std::string> items;
        for (int slot = 0; slot < 4; ++slot)
            items.push_back(creator->traitSlot(slot).getSelected());
        return items;
    }
    void selectTrait(int slot, const std::string& name)
    {
        const auto& items = creator->traitSlot(slot).getItems();
        const auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        creator->traitSlot(slot).selectQuietly(static_cast<int>(found - items.begin()));
    }

    ManualTimeSource clock;
    std::unique_ptr<CrewFolders> crew;
    std::unique_ptr<CrewCreator> creator;
};
