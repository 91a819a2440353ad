#include "achievements/VoidAchievementManager.hpp"
#include "core/CrashHandler.hpp"
#include "core/DisplayConnection.hpp"
#include "core/FileUtils.hpp"
#include "core/Game.hpp"
#include "core/Logger.hpp"
#include "core/ProgramArguments.hpp"
#include "core/QuitRequest.hpp"
#include "core/Version.hpp"
#include "persistence/SaveCheck.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics.hpp>

#include <cstring>
#include <iostream>

namespace {

bool given(int argc, char** argv, const char* text)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], text) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    WindowManager::recordMainThread();
    // Answered before any window, log or folder is made.
    if (given(argc, argv, "--help")) {
        std::cout << usageText(userFolderLocation());
        return 0;
    }
    if (given(argc, argv, "--version")) {
        std::cout << "quorvane " << engineVersion << std::endl;
        return 0;
    }
    // Headless: no window, no log file, nothing written; the report goes to standard output.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check-save") != 0)
            continue;
        const bool folderGiven = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
        Logger::openOnto(std::cout.rdbuf());
        const bool good = SaveCheck(folderGiven ? argv[i + 1] : userFolderLocation(), SaveCheck::Sources::ofGame())
                              .run(std::cout);
        Logger::close();
        return good ? 0 : 1;
    }

    std::cout << "Engine version: " << engineVersion << std::endl;
    QV_LOG << "Engine version: " << engineVersion << ".\n";
    installCrashHandler();
    // A Linux game has no console window of its own to hide.
    QuitRequest::installSignalHandlers();

    // Without a display SFML would abort with a crash dump; the player gets one clear line.
    DisplayConnection display;
    std::string noDisplay;
    if (!display.open(noDisplay)) {
        std::cerr << "quorvane: " << noDisplay << std::endl;
        QV_LOG << "Error: " << noDisplay << std::endl;
        Logger::close();
        return 1;
    }

    sf::RenderWindow splash(sf::VideoMode(480, 300, 32), "Quorvane: Vesperine", sf::Style::Titlebar);
    sf::Texture splashTexture;
    splashTexture.loadFromFile(assetsPath() + "splashScreen/splash_new.png");
    sf::Sprite splashSprite(splashTexture);
    splash.draw(splashSprite);
    splash.display();
    display.close(); // the splash holds a connection of its own now

    // Standard output and error go into the log from here on, when there is one; otherwise
    // they stay on the console, where they can still be read.
    std::streambuf* consoleOut = std::cout.rdbuf();
    std::streambuf* consoleErr = std::cerr.rdbuf();
    std::streambuf* sfmlErr = sf::err().rdbuf();
    if (Logger::isOpen()) {
        std::cout.rdbuf(Logger::get().buffer());
        std::cerr.rdbuf(Logger::get().buffer());
        // SFML reports through its own stream, which writes to the C stderr unless told otherwise.
        sf::err().rdbuf(Logger::get().buffer());
    }

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
            // Back to the console before the log's buffer goes away.
            std::cout.rdbuf(consoleOut);
            std::cerr.rdbuf(consoleErr);
            sf::err().rdbuf(sfmlErr);
            Logger::signOff("Signing off...");
        }
    }
    return 0;
}
