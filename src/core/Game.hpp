#pragma once

#include "core/FrameLoop.hpp"
#include "core/GameUiHost.hpp"
#include "core/LoopPhases.hpp"
#include "missions/LuaManager.hpp"
#include "missions/MissionManager.hpp"
#include "world/KeyboardCursor.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

class AchievementManager;
class AchievementsScreen;
class Sector;

// The game object: owns the main window, the screens that are not process-wide and the
// main loop. Constructing it loads everything; run() plays until the player quits and then
// tears down in order what the loop used. Each frame the FrameLoop orders the work below;
// which screen is updated, fed events and drawn follows the StateManager's current state.
class Game : private LoopPhases {
public:
    explicit Game(AchievementManager& achievements);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The main loop and the shutdown of everything it used.
    void run();

    // `style` is an sf::Style value; sf::Style::Fullscreen opens a borderless window that
    // covers the desktop at the desktop's resolution, whatever the width and height.
    void createWindow(std::uint32_t style, unsigned width, unsigned height);
    // The window again, full screen or windowed as the options say, letterboxed.
    void applyWindowMode();
    // Fits the 16:9 picture into the window with black bars where it does not fill it.
    void applyLetterbox();
    void resetViews();

    // Shows the saving indicator (a save has completed).
    void showSavingIndicator() { loop_.savingIndicator().start(); }

    // The player statistics in saved/"playerSave.json". Saving is refused (false) while a
    // mission script runs.
    bool savePlayer();
    void loadPlayer();

private:
    void updateAudio(float dtSeconds) override;
    void enterState() override;
    void fixedStep() override;
    void handleInput() override;
    void draw() override;
    void rest() override;

    void startDeveloperRun();
    static void openShipSystems();
    void showSectorSummary();
    void optionsStep();
    void crewCreatorStep();
    void enterMap();
    void mapStep();
    void steerCursor();
    void jumpAtOnce();
    void handleKey(const sf::Event::KeyEvent& key);
    void dispatchToScreen(const sf::Event& event);
    void drawScreen();
    void takeScreenshot();
    void placeCursor(sf::Vector2i pixel);
    bool modalWindowOpen() const;
    void shutdown();

    AchievementManager& achievements_;
    MissionManager missionManager_;
    // After the mission manager: destroyed first, stopping the script that uses it.
    LuaManager luaManager_;
    // The sector the map shows; the map screen (process-wide) owns the ship that flies in it.
    std::unique_ptr<Sector> sector_;
    std::unique_ptr<AchievementsScreen> achievementsScreen_;
    KeyboardCursor mapCursor_;
    // The developer's map switch: the seed of the first sector (see the architecture notes).
    std::optional<std::uint32_t> developerSeed_;
    sf::RenderWindow window_;
    std::uint32_t windowStyle_;
    bool sessionActive_ = false;
    std::future<void> saveTask_;
    std::string webSite_ = "https://quorvane.org/vesperine";
    FrameLoop loop_;
    bool thrustersPausedByMenu_ = false;
    bool firstFrameShown_ = false;
    bool quitSignalSeen_ = false;

    GameUiHost uiHost_;
    // Their textures live in the texture registry.
    sf::Sprite cursor_;
    sf::Vector2f cursorPosition_;
    std::array<sf::Sprite, SavingIndicator::frameCount> saveAnimation_;
    sf::Image icon_;
    bool hasIcon_ = false;
};
