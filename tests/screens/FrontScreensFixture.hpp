#pragma once

#include "support/UiTestSupport.hpp"

#include <string>

// The toolkit over a private assets folder holding the title and pause menus' button sheets
// (51 x 20 frames, so the buttons have their real hit areas), with every start-up frame
// registered.
class FrontScreensTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (const char* name : {"continue", "newgame", "characters", "options", "challenges", "credits", "website",
                                 "quit"})
            sheet(std::string("title_screen/button_") + name + ".png");
        for (const char* name : {"savegame", "mainmenu"})
            sheet(std::string("menu_popup/button_") + name + ".png");
        writeButtonSheet(assets + "menu_popup/button_resume.png", 64, 18, sf::Color::Green, sf::Color::Blue,
                         sf::Color::Yellow);
        writeButtonSheet(assets + "general/button_leave.png", 50, 24, sf::Color::Green, sf::Color::Blue,
                         sf::Color::Yellow);
        TextureManager::resetForTests(assets, true);
    }

    void sheet(const std::string& file)
    {
        writeButtonSheet(assets + file, 51, 20, sf::Color::Green, sf::Color::Blue, sf::Color::Yellow);
    }
};
