#pragma once

#include "core/FrameLoop.hpp"
#include "core/GameUiHost.hpp"
#include "core/LoopPhases.hpp"
#include "screens/EndingFade.hpp"
#include "deploy/CrewSelectionScreen.hpp"
#include "deploy/CrewViewScreen.hpp"
#include "deploy/DeployScreen.hpp"
#include "missions/MissionScreen.hpp"
#include "missions/LuaManager.hpp"
#include "missions/Mission.hpp"
#include "missions/MissionManager.hpp"
#include "world/KeyboardCursor.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <string>

class AchievementManager;
class AchievementsScreen;
class CreditsScreen;
class IntroSequence;
class RunFlow;
class Sector;
class SessionStore;
class TitleMenu;

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

    // The run in saved/"sessionSave.json". Refused (false) while no run is active, while a
    // mission script runs and once the run has ended; false too when the file could not be
    // written (logged, and no saving indicator).
    bool saveSession();
    // The same save with the writing on a background task: the run is captured here, on the
    // main thread, so play can go on while the files are written.
    void saveSessionInBackground();
    // Continue: the saved run replaces the one in memory and the map opens; a failed load
    // leaves the player on the title (the reason is logged, the file untouched).
    bool loadSession();

private:
    void updateAudio(float dtSeconds) override;
    void enterState() override;
    void fixedStep() override;
    bool handleInput() override;
    bool pictureIsStill() const override;
    void draw() override;
    void rest(sf::Time idle) override;

    void startDeveloperRun();
    void startNewRun(std::int32_t difficulty);
    void leaveRun();
    void waitForSave();
    void saveDone(bool saved);
    void tellSaveFailure();
    void finishBackgroundSave();
    void titleInput(const sf::Event& event);
    void pauseStep();
    void pauseInput(const sf::Event& event);
    void endingStep();
    void endingInput(const sf::Event& event);
    void enterEnding();
    void developerMission();
    void sectorNeeded(std::uint32_t seed);
    std::uint32_t nextSectorSeed(std::uint32_t fallback);
    void startDeveloperDeploy(const std::string& missionFile);
    void deployStep();
    void crewSelectStep();
    void missionStep();
    void crewViewStep();
    void startMission(Mission& mission);
    double screenTime() const;
    static void openShipSystems();
    void showSectorSummary();
    void optionsStep();
    void crewCreatorStep();
    void enterMap();
    void mapStep();
    void steerCursor();
    bool handleKey(const sf::Event::KeyEvent& key);
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
    // The deploy and mission screens (made once the texture registry exists).
    std::unique_ptr<DeployScreen> deployScreen_;
    std::unique_ptr<MissionScreen> missionScreen_;
    std::unique_ptr<CrewViewScreen> crewView_;
    std::unique_ptr<CrewSelectionScreen> crewSelection_;
    // The mission on the deploy screen and then on the mission screen.
    Mission* screenMission_ = nullptr;
    std::string screenMissionScript_;
    // The developer deploy switch's mission (see the architecture notes).
    std::unique_ptr<Mission> developerMission_;
    bool saveRequestSeen_ = false;
    bool missionRequested_ = false;
    // The developer's map switch: the seed of the first sector (see the architecture notes).
    std::optional<std::uint32_t> developerSeed_;
    std::deque<std::uint32_t> developerSectors_;
    sf::RenderWindow window_;
    std::uint32_t windowStyle_;
    // The background save from the pause menu; its result shows the saving indicator.
    std::future<bool> saveTask_;
    std::unique_ptr<SessionStore> session_;
    std::unique_ptr<RunFlow> runFlow_;
    std::unique_ptr<TitleMenu> title_;
    std::unique_ptr<IntroSequence> intro_;
    std::unique_ptr<CreditsScreen> credits_;
    // The developer loader's mission (Alt+P), kept while it plays.
    std::unique_ptr<Mission> debugMission_;
    // The ending picture: its fade in from black, and the fade out once the player goes on.
    sf::Sprite ending_;
    EndingFade endingFade_;
    std::string webSite_ = "https://quorvane.org/vesperine";
    FrameLoop loop_;
    bool thrustersPausedByMenu_ = false;
    bool saveFailureTold_ = false;
    bool saveFailurePending_ = false;
    bool ambiencePausedByMenu_ = false;
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
