#include "achievements/VoidAchievementManager.hpp"
#include "core/CrashHandler.hpp"
#include "core/FileUtils.hpp"
#include "core/Game.hpp"
#include "core/Logger.hpp"
#include "core/ProgramArguments.hpp"

#include <SFML/Graphics.hpp>

#include <iostream>

namespace {
const char* const engineVersion = "v2.13-4-g5e4207ab";
}

int main(int argc, char** argv)
{
    std::cout << "Engine version: " << engineVersion << std::endl;
    QV_LOG << "Engine version: " << engineVersion << ".\n";
    installCrashHandler();
    // A Linux game has no console window of its own to hide.

    sf::RenderWindow splash(sf::VideoMode(480, 300, 32), "Quorvane: Vesperine", sf::Style::Titlebar);
    sf::Texture splashTexture;
    splashTexture.loadFromFile(assetsPath() + "splashScreen/splash_new.png");
    sf::Sprite splashSprite(splashTexture);
    splash.draw(splashSprite);
    splash.display();

    std::streambuf* consoleOut = std::cout.rdbuf();
    std::streambuf* consoleErr = std::cerr.rdbuf();
    std::cout.rdbuf(Logger::get().buffer());
    std::cerr.rdbuf(Logger::get().buffer());
    // SFML reports through its own stream, which writes to the C stderr unless told otherwise.
    std::streambuf* sfmlErr = sf::err().rdbuf(Logger::get().buffer());

    QV_LOG << "Polishing portholes." << std::endl;
    QV_LOG << "Loading..." << std::endl;
    // The folders a player looks for (mods to drop characters into, screenshots) exist from the first start.
    for (const auto& folder : {modsPath(), savedPath(), screenshotsPath(), charImagesPath()})
        (void)folder;
    setProgramArguments(argc, argv);

    {
        VoidAchievementManager achievements;
        {
            Game game(achievements);
            splash.close();
            game.run();
            QV_LOG << "Signing off..." << std::endl;
            // Back to the console before the log's buffer goes away.
            std::cout.rdbuf(consoleOut);
            std::cerr.rdbuf(consoleErr);
            sf::err().rdbuf(sfmlErr);
            Logger::close();
        }
    }
    return 0;
}
