#pragma once

#include "core/Logger.hpp"
#include "support/LogCapture.hpp"
#include "support/TempUserHome.hpp"
#include "support/XDisplay.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The game font of the tests and the demo.
inline const char* testFontPath()
{
    return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
}

// A UI host that records what the toolkit asks of the game.
class RecordingUiHost : public UiHost {
public:
    RecordingUiHost()
    {
        font.loadFromFile(testFontPath());
    }
    const sf::Font& gameFont() override { return font; }
    float defaultTextSize() override { return textSize; }
    const sf::View& interfaceView() override { return view; }
    void playSound(const std::string& fileName) override { sounds.push_back(fileName); }
    void openInShell(const std::string& target) override { opened.push_back(target); }
    void requestTitle() override { ++titleRequests; }
    void refreshOptionsScreen() override { ++optionRefreshes; }
    const sf::Font* previewFont(const std::string& name) override
    {
        const auto found = previewFonts.find(name);
        return found == previewFonts.end() ? nullptr : found->second;
    }

    sf::Font font;
    float textSize = 7.5f;
    sf::View view{sf::FloatRect(0.f, 0.f, 640.f, 360.f)};
    std::vector<std::string> sounds;
    std::vector<std::string> opened;
    int titleRequests = 0;
    int optionRefreshes = 0;
    // What previewFont answers, by name (none: no preview font).
    std::map<std::string, const sf::Font*> previewFonts;
};

// Writes a PNG of one colour.
inline void writeImage(const std::string& path, unsigned width, unsigned height, sf::Color color)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    sf::Image image;
    image.create(width, height, color);
    image.saveToFile(path);
}

// Writes a button sheet laid out like the game's: Up frame w x h at (2, 0), Down below it,
// the highlight (w + 2) x (h + 2) at (0, 2h); each in its own colour.
inline void writeButtonSheet(const std::string& path, unsigned w, unsigned h, sf::Color up, sf::Color down,
                             sf::Color highlight)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    sf::Image image;
    image.create(w + 2, 3 * h + 2, sf::Color::Transparent);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) {
            image.setPixel(x + 2, y, up);
            image.setPixel(x + 2, y + h, down);
        }
    for (unsigned y = 0; y < h + 2; ++y)
        for (unsigned x = 0; x < w + 2; ++x)
            image.setPixel(x, 2 * h + y, highlight);
    image.saveToFile(path);
}

// Fresh toolkit singletons over a private user folder, a display, and the recording host.
class UiTest : public ::testing::Test {
protected:
    // Before any member of a derived fixture: even an empty sf::Texture opens the display.
    UiTest() { ensureDisplay(); }

    void SetUp() override
    {
        Logger::resetForTests();
        UiHost::install(&host);
        assets = home.root() + "/assets/";
        std::filesystem::create_directories(assets);
        TextManager::destroy();
        TextureManager::resetForTests(assets, false);
        WindowManager::destroy();
    }
    void TearDown() override
    {
        WindowManager::destroy();
        TextureManager::destroy();
        TextManager::destroy();
        UiHost::install(nullptr);
        Logger::resetForTests();
    }

    // Everything logged so far.
    std::string logText() { return loggedText(); }

    TempUserHome home;
    RecordingUiHost host;
    std::string assets;
};
