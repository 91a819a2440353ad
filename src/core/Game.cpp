#include "core/Game.hpp"

#include "achievements/AchievementManager.hpp"
#include "audio/AudioManager.hpp"
#include "core/CursorEvent.hpp"
#include "core/Emblem.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/CrashHandler.hpp"
#include "core/ProgramArguments.hpp"
#include "core/RunFlow.hpp"
#include "core/QuitRequest.hpp"
#include "core/StateManager.hpp"
#include "core/TimedActions.hpp"
#include "core/WindowGeometry.hpp"
#include "creator/CrewCreator.hpp"
#include "crew/CharacterManager.hpp"
#include "crew/CrewColours.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "persistence/OptionsScreen.hpp"
#include "screens/AchievementsScreen.hpp"
#include "persistence/SessionStore.hpp"
#include "screens/CreditsScreen.hpp"
#include "screens/EndingFade.hpp"
#include "screens/IntroSequence.hpp"
#include "screens/PauseMenu.hpp"
#include "screens/TitleMenu.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/WindowManager.hpp"
#include "world/MapScreen.hpp"
#include "world/Sector.hpp"
#include "world/SectorWindowScreen.hpp"
#include "world/ShipWindowScreen.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

const char* const windowTitle = "Quorvane: Vesperine";

bool escapeIgnoredIn(GameState state)
{
    switch (state) {
    case GameState::Title:
    case GameState::Options:
    case GameState::CrewSelect:
    case GameState::Credits:
    case GameState::Intro:
    case GameState::Deploy:
    case GameState::CrewCreator:
        return true;
    default:
        return false;
    }
}

// Developer switches, read from the environment so that no player comes across them (the
// architecture notes list them).

// QV_DEV_MISSIONS=<folder>: the mission catalogue is read from <folder>/missions/ instead of
// the assets.
std::string missionsRoot()
{
    const char* folder = std::getenv("QV_DEV_MISSIONS");
    if (!folder || !*folder)
        return assetsPath();
    std::string root(folder);
    if (root.back() != '/')
        root += '/';
    return root;
}

// QV_DEV_MAP=<seed>: a new Medium run starts right on the map, its first sector built from the
// seed (from the clock when the value is not a number).
std::optional<std::uint32_t> developerMapSeed()
{
    const char* value = std::getenv("QV_DEV_MAP");
    if (!value || !*value)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long seed = std::strtoull(value, &end, 10);
    if (errno != 0 || *end != '\0' || *value == '-' || seed > 0xFFFFFFFFull)
        return clockSeed();
    return static_cast<std::uint32_t>(seed);
}

// QV_DEV_SECTORS=<seed>,<seed>,...: the sectors of a run (its first, then each light jump's)
// are built from these seeds in turn, then from the clock again.
std::deque<std::uint32_t> developerSectorSeeds()
{
    std::deque<std::uint32_t> seeds;
    const char* value = std::getenv("QV_DEV_SECTORS");
    if (!value)
        return seeds;
    for (const std::string& item : split(value, ',')) {
        errno = 0;
        char* end = nullptr;
        const unsigned long long seed = std::strtoull(item.c_str(), &end, 10);
        if (errno == 0 && end != item.c_str() && *end == '\0' && item[0] != '-' && seed <= 0xFFFFFFFFull)
            seeds.push_back(static_cast<std::uint32_t>(seed));
    }
    return seeds;
}

// QV_DEV_SHIP_LOG=<lines>: the developer map's ship starts with that many upgrade-log lines
// (at most 50), the sensors going up and down, to page through in the ship systems window.
int developerShipLogLines()
{
    const char* value = std::getenv("QV_DEV_SHIP_LOG");
    if (!value || !*value)
        return 0;
    return std::clamp(std::atoi(value), 0, 50);
}

// QV_DEV_DEPLOY=<mission.json>: a developer run (as QV_DEV_MAP) opens the deploy screen for
// that mission; leaving goes to the map.
std::string developerDeployMission()
{
    const char* value = std::getenv("QV_DEV_DEPLOY");
    return value && *value ? std::string(value) : std::string();
}

// QV_DEV_CREWSELECT=1: the game opens on the new-game crew selection; its start button begins
// a developer run on the map with the chosen crew.
bool developerCrewSelect()
{
    const char* value = std::getenv("QV_DEV_CREWSELECT");
    return value && *value && std::string(value) != "0";
}

// QV_DEV_OPTIONS=1: the game opens on the options screen, which leaves to the title.
bool developerOptions()
{
    const char* value = std::getenv("QV_DEV_OPTIONS");
    return value && *value && std::string(value) != "0";
}

// QV_DEV_CREATOR=1: the game opens on the crew creator; QV_DEV_ACHIEVEMENTS=1 on the deeds
// screen. Both leave to the title.
bool developerSwitch(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value && std::string(value) != "0";
}

const char* const clickSound = "button_click.wav";
// Short enough for the message window's one line; the log says which file and why.
const char* const saveFailedText = "The game could not be saved.";
const char* const leaveSound = "deploy_leave_1.wav";

// The low 32 bits of the monotonic clock in nanoseconds: the seed of a light jump's sector.
std::uint32_t monotonicSeed()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

} // namespace

Game::Game(AchievementManager& achievements)
    : achievements_(achievements)
    , missionManager_(&achievements_, missionsRoot())
    , luaManager_(&missionManager_, &achievements_)
    , windowStyle_(sf::Style::Fullscreen)
    , loop_(*this)
{
    Options::get(); // reads options.json and loads the fonts
    UiHost::install(&uiHost_);
    TextManager::get();
    WindowManager::get(); // the holder of the modal windows, on the main thread
    QV_LOG << "Lua Environment Loaded" << std::endl;
    achievements_.buildCatalogue();
    // The screens are created here, in the order of the start-up sequence, as they join the game.
    // The crew roster comes with the new-game crew selection: it reads every character now.
    CharacterManager& roster = CharacterManager::get();
    MapScreen& map = MapScreen::get(); // the ship and the player statistics
    map.stats().setAchievementManager(&achievements_);
    map.setMissionManager(&missionManager_);
    map.onPause = [] { StateManager::get().setPaused(true); };
    map.onCrewView = [] { StateManager::get().changeState(GameState::CrewView, true, false); };
    map.onShipSystems = [] { openShipSystems(); };
    map.onSectorSummary = [this] { showSectorSummary(); };
    sector_ = std::make_unique<Sector>(missionManager_, map.ship(), map.pictures().asteroidBackgrounds.size(),
                                       map.pictures().asteroidForegrounds.size(), map.fogMode());
    map.attachSector(sector_.get());
    session_ = std::make_unique<SessionStore>(roster, missionManager_, *sector_, map.ship());
    RunFlow::Hooks hooks;
    hooks.waitForSave = [this] { waitForSave(); };
    hooks.newSector = [this](std::uint32_t seed) { sectorNeeded(seed); };
    hooks.saveRun = [this] {
        saveSession();
        savePlayer();
    };
    hooks.resetDayClock = [] { MapScreen::get().resetDayClock(); };
    hooks.stopThrusters = [] {
        AudioManager& audio = AudioManager::get();
        if (audio.thrusters().isPlaying() && !audio.thrustersStopped())
            audio.stopThrusters();
    };
    hooks.seed = [this] { return nextSectorSeed(monotonicSeed()); };
    runFlow_ = std::make_unique<RunFlow>(missionManager_, roster, *sector_, map.stats(), std::move(hooks));
    missionManager_.setShip(&map.ship());
    luaManager_.setShip(&map.ship());
    roster.setPlayerStats(&map.stats());
    missionManager_.setCrew(&roster);
    missionManager_.setPlayerStats(&map.stats());
    luaManager_.setCrew(&roster);
    // Mementos are dated with the ship's jump count (asked for outside the roster's lock).
    roster.setJumpCountSource([] { return MapScreen::exists() ? MapScreen::get().ship().getJumpCount() : 0; });

    AudioManager::get(); // loads every sound effect and lists the music
    TextureManager& textures = TextureManager::get(); // registers every sprite-sheet frame
    roster.registerSpriteTextures();
    // The options screen shows what Options read at the start.
    OptionsScreen& optionsScreen = OptionsScreen::get();
    optionsScreen.onWindowModeChanged = [this] { applyWindowMode(); };
    optionsScreen.onPointerChanged = [this] { window_.setMouseCursorVisible(!Options::get().spriteCursor); };
    achievementsScreen_ = std::make_unique<AchievementsScreen>(achievements_);
    CrewCreator::get(); // reads the random names and lists the portraits

    title_ = std::make_unique<TitleMenu>();
    intro_ = std::make_unique<IntroSequence>();
    credits_ = std::make_unique<CreditsScreen>(assetsPath() + "credits/credits.txt");
    PauseMenu::get();
    deployScreen_ = std::make_unique<DeployScreen>(roster, clockSeed());
    missionScreen_ = std::make_unique<MissionScreen>(missionManager_);
    missionScreen_->setShip(&map.ship());
    crewView_ = std::make_unique<CrewViewScreen>(roster);
    crewSelection_ = std::make_unique<CrewSelectionScreen>(roster, clockSeed());
    // The mission screen's menu button opens the pause menu, which offers a save only when
    // one may be made.
    missionScreen_->onMenu = [](bool) { StateManager::get().setPaused(true); };

    cursor_.setTexture(textures.getTexture("general/cursor.png"), true);
    for (int i = 0; i < SavingIndicator::frameCount; ++i) {
        char name[48];
        std::snprintf(name, sizeof(name), "general/save/save_%02d.png", i + 1);
        saveAnimation_[i].setTexture(textures.getTexture(name), true);
        saveAnimation_[i].setPosition(25.f, 25.f);
    }
    const std::string assets = assetsPath();
    hasIcon_ = icon_.loadFromFile(assets + "icon.png");
    if (!hasIcon_)
        QV_LOG << assets + "icon.png" << std::endl;
}

Game::~Game()
{
    // The map screen outlives the game: it must not keep pointing at the sector.
    if (MapScreen::exists())
        MapScreen::get().attachSector(nullptr);
}

void Game::run()
{
    MapScreen::get().stats().applyAchievementSwitch(PlayerStats::switchFromArguments());
    for (const char* line : emblemLines())
        QV_LOG << line << std::endl;
    loadPlayer();
    achievements_.refreshUnlocked();
    savePlayer();

    Options& options = Options::get();
    bool fullscreen = (options.fullscreen || hasArgument("--fullscreen")) && !hasArgument("--windowed");
    createWindow(fullscreen ? sf::Style::Fullscreen : sf::Style::Default,
                 static_cast<unsigned>(options.resolutionX), static_cast<unsigned>(options.resolutionY));
    resetViews();

    StateManager& states = StateManager::get();
    developerSeed_ = developerMapSeed();
    developerSectors_ = developerSectorSeeds();
    const std::string deployMission = developerDeployMission();
    if (!deployMission.empty()) {
        developerSeed_ = developerSeed_ ? developerSeed_ : std::optional<std::uint32_t>(clockSeed());
        startDeveloperRun();
        startDeveloperDeploy(deployMission);
    } else if (developerSeed_) {
        startDeveloperRun();
        states.changeState(GameState::Map, true, false);
    } else if (developerSwitch("QV_DEV_CREATOR")) {
        QV_LOG << "Developer switch: the crew creator, leaving to the title" << std::endl;
        states.changeState(GameState::CrewCreator, true, false);
    } else if (developerSwitch("QV_DEV_ACHIEVEMENTS")) {
        QV_LOG << "Developer switch: the deeds screen, leaving to the title" << std::endl;
        states.changeState(GameState::Achievements, true, false);
    } else if (developerCrewSelect()) {
        QV_LOG << "Developer crew selection: its start button begins a run on the map" << std::endl;
        states.changeState(GameState::CrewSelect, true, false);
    } else if (developerOptions()) {
        QV_LOG << "Developer options: the options screen, leaving to the title" << std::endl;
        states.changeState(GameState::Options, true, false);
        options.returnState = GameState::Title;
    } else {
        states.changeState(GameState::Title, true, false);
    }
    loop_.start();
    while (states.getState() != GameState::Quit) {
        // A quit signal ends the game as closing the window does, at the start of a frame.
        if (QuitRequest::pending() && !quitSignalSeen_) {
            quitSignalSeen_ = true;
            QV_LOG << "Asked to quit by a signal" << std::endl;
            states.changeState(GameState::Quit, false, false);
        }
        loop_.frame();
    }

    shutdown();
}

bool Game::savePlayer()
{
    if (missionManager_.getDeployStatus())
        return false;
    bool saved = MapScreen::get().stats().saveFile(savedPath() + "playerSave.json");
    saveDone(saved);
    return saved;
}

// A save that went through shows the indicator. One that did not (a full disk, a folder that
// refuses writes; the old files are still whole) is told to the player once, not at every
// autosave after it; a save that succeeds again lets the next failure be told. The message
// waits until no other window is open (tellSaveFailure), so that a window opened in the same
// step, such as a new sector's summary, does not replace it unseen.
void Game::saveDone(bool saved)
{
    if (saved) {
        showSavingIndicator();
        saveFailureTold_ = false;
        return;
    }
    if (saveFailureTold_)
        return;
    saveFailureTold_ = true;
    saveFailurePending_ = true;
}

void Game::tellSaveFailure()
{
    if (!saveFailurePending_ || WindowManager::get().isOpen())
        return;
    saveFailurePending_ = false;
    QV_LOG << "The game could not be saved: telling the player" << std::endl;
    WindowManager::get().showMessage(saveFailedText, true);
}

void Game::loadPlayer()
{
    MapScreen::get().stats().loadFile(savedPath() + "playerSave.json", PlayerStats::switchFromArguments());
}

bool Game::saveSession()
{
    // No run to save (the title, a developer mission started there), a script still writing
    // to it, or a run that has ended: the file keeps the last real save.
    if (!runFlow_->saveAllowed())
        return false;
    waitForSave();
    const bool saved = session_->save();
    saveDone(saved);
    return saved;
}

void Game::saveSessionInBackground()
{
    if (!runFlow_->saveAllowed())
        return;
    waitForSave();
    // Captured here, on the main thread; the task only writes the captured text.
    SessionSnapshot snapshot = session_->capture();
    saveTask_ = std::async(std::launch::async, [snapshot = std::move(snapshot)] {
        installThreadSignalStack();
        return SessionStore::write(snapshot);
    });
}

void Game::waitForSave()
{
    if (!saveTask_.valid())
        return;
    saveDone(saveTask_.get());
}

// A background save that has finished shows its indicator at the next step.
void Game::finishBackgroundSave()
{
    if (saveTask_.valid() && saveTask_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        waitForSave();
}

bool Game::loadSession()
{
    leaveRun();
    // A save still being written (pause menu, then the title at once) is the one to load.
    waitForSave();
    if (!session_->load())
        return false;
    runFlow_->markActive();
    StateManager::get().changeState(GameState::Map, false, false);
    MapScreen& map = MapScreen::get();
    map.fixedStep(missionManager_.hasQuestItem("cannibal"), missionManager_.hasQuestItem("cannibal_fuel"));
    map.refreshDayText();
    sector_->buildSummary(false, map.livingCrew());
    map.setButtonPressed(MapScreen::MapButton::Sector, true);
    showSectorSummary();
    showSavingIndicator();
    return true;
}

// A new run on `difficulty` with the chosen crew; the intro follows, then the first sector.
void Game::startNewRun(std::int32_t difficulty)
{
    // The run is active from here: the first sector is saved as soon as it exists.
    runFlow_->startNewRun(difficulty);
}

// Back to the title: nothing of the run goes on behind it.
void Game::leaveRun()
{
    runFlow_->leaveRun();
    debugMission_.reset();
}

// The run a new game would start, without the crew selection and the intro.
void Game::startDeveloperRun()
{
    QV_LOG << "Developer map: a new Medium run, first sector " << *developerSeed_ << std::endl;
    CharacterManager& roster = CharacterManager::get();
    roster.resetCrew();
    {
        auto guard = roster.lock();
        const std::deque<Character>& library = roster.getCrewOnShip();
        const std::size_t count = std::min<std::size_t>(library.size(), MissionManager::medium);
        roster.getChosenCrew().assign(library.begin(), library.begin() + static_cast<std::ptrdiff_t>(count));
    }
    startNewRun(MissionManager::medium);
    Ship& ship = MapScreen::get().ship();
    const int lines = developerShipLogLines();
    for (int i = 1; i <= lines; ++i)
        ship.adjustSensors(i % 2 ? 0.5f : -0.5f, "developer log line " + std::to_string(i));
    roster.boardChosenCrew();
}

// The deploy screen for a mission file outside the catalogue, its script found in the
// mission file's own assets tree (".../missions/json/x.json" -> ".../missions/lua/...").
void Game::startDeveloperDeploy(const std::string& missionFile)
{
    developerMission_ = std::make_unique<Mission>();
    if (!developerMission_->loadMissionFile(missionFile, missionFile)) {
        QV_LOG << "Developer deploy: the mission " << missionFile << " cannot be read; the map instead" << std::endl;
        StateManager::get().changeState(GameState::Map, true, false);
        return;
    }
    const std::string luaFile = developerMission_->getItem("Lua file");
    const std::size_t at = missionFile.rfind("/missions/");
    screenMissionScript_ = at != std::string::npos ? missionFile.substr(0, at) + luaFile : assetsPath() + luaFile;
    screenMission_ = developerMission_.get();
    QV_LOG << "Developer deploy: " << developerMission_->getItem("Name") << std::endl;
    AudioManager::get().startMissionMusic();
    deployScreen_->open(*developerMission_, false, false, "null");
    missionRequested_ = false;
    StateManager::get().changeState(GameState::Deploy, true, false);
}

double Game::screenTime() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Game::deployStep()
{
    deployScreen_->update(screenTime());
    if (deployScreen_->deployed() && screenMission_) {
        if (missionRequested_)
            return;
        // The mission starts in the Mission state's enter step (the script must not be
        // stopped by a fixed step that still sees the deploy state).
        QV_LOG << "Team deployed: " << CharacterManager::get().getDeployTeam().size() << " crew" << std::endl;
        AudioManager::get().startMissionMusic();
        missionRequested_ = true;
        StateManager::get().changeState(GameState::Mission, true, false);
    } else if (deployScreen_->leftScreen() && !StateManager::get().switchPending) {
        QV_LOG << "Deploy screen left" << std::endl;
        AudioManager::get().endMissionMusic();
        screenMission_ = nullptr;
        sector_->restartGrace(Sector::returnGraceSeconds);
        StateManager::get().changeState(GameState::Map, !sector_ || developerMission_ != nullptr, true);
        developerMission_.reset();
    }
}

// The crew selection: its start begins a new run (the intro comes first), its leave button
// goes back to the title.
void Game::crewSelectStep()
{
    crewSelection_->update();
    CharacterManager::get().moveDeadCrew();
    StateManager& states = StateManager::get();
    if (states.switchPending)
        return;
    if (crewSelection_->leftScreen()) {
        states.changeState(GameState::Title, true, true);
    } else if (crewSelection_->selectionDone()) {
        CharacterManager& roster = CharacterManager::get();
        const std::int32_t difficulty = crewSelection_->requiredCrew();
        {
            auto guard = roster.lock();
            QV_LOG << "Crew chosen (" << difficulty << "):";
            for (const Character& member : roster.getChosenCrew())
                QV_LOG << " " << member.name();
            QV_LOG << std::endl;
        }
        states.changeState(GameState::Intro, true, true);
        startNewRun(difficulty);
    }
}

void Game::startMission(Mission& mission)
{
    missionManager_.setSkipCrewCredit(deployScreen_->skipCrewCredit());
    missionManager_.setCurrentMission(&mission);
    CharacterManager::get().setCurrentMissionName(mission.getItem("Name"));
    missionScreen_->open(screenTime());
    saveRequestSeen_ = false;
    luaManager_.runScript(screenMissionScript_);
}

void Game::missionStep()
{
    missionScreen_->update(screenTime());
    // The mission's own save, once its end has been shown.
    if (missionScreen_->saveRequested() && !saveRequestSeen_) {
        saveRequestSeen_ = true;
        QV_LOG << "Mission over: a save is due" << std::endl;
        saveSession();
        savePlayer();
    }
    StateManager& states = StateManager::get();
    if (!missionScreen_->leaveRequested() || states.switchPending)
        return;
    QV_LOG << "Mission left" << std::endl;
    CharacterManager& roster = CharacterManager::get();
    roster.moveDeadCrew();
    // Read before the mission is let go, which forgets how it ended.
    const bool runEnded = missionManager_.gameEnded();
    if (runEnded) {
        if (missionManager_.gameOver)
            roster.killAllCrew(
                "Their remains may be found in the future, but your memory of <charName> ends along with the mission.");
        runFlow_->endRun();
        states.changeState(GameState::FinalCrewView, true, true);
    } else if (debugMission_ && !runFlow_->active()) {
        // A mission played from the title with the developer loader: back to the title.
        states.changeState(GameState::Title, true, true);
    } else if (developerMission_) {
        // The developer deploy switch's run has no sector yet.
        states.changeState(GameState::Map, true, true);
    } else {
        sector_->visitEnded();
        states.changeState(GameState::Map, false, false);
        AudioManager::get().endMissionMusic();
        sector_->buildSummary(false, MapScreen::get().livingCrew());
        MapScreen::get().setButtonPressed(MapScreen::MapButton::Sector, true);
        showSectorSummary();
    }
    // Fast-forward and pause toggled on the mission screen are kept for the next mission.
    Options& options = Options::get();
    if (missionScreen_->fastForward() != options.fastForwardText || missionScreen_->paused() != options.pauseText) {
        options.fastForwardText = missionScreen_->fastForward();
        options.pauseText = missionScreen_->paused();
        options.saveOptions();
    }
    roster.setCurrentMissionName("");
    OptionsScreen::get().setFontChoiceEnabled(true);
    luaManager_.leaveMission();
    screenMission_ = nullptr;
    developerMission_.reset();
    debugMission_.reset();
}

// The whole-crew views: the map's (back to the map, saved) and the one after the run's end
// (on to the ending picture or the credits; the run is over, so only the statistics are saved).
void Game::crewViewStep()
{
    CharacterManager::get().moveDeadCrew();
    CharacterManager::get().advanceBlink();
    StateManager& states = StateManager::get();
    if (!crewView_->leftScreen() || states.switchPending)
        return;
    MapScreen::get().setButtonPressed(MapScreen::MapButton::Crew, false);
    if (states.getState() == GameState::CrewView) {
        states.changeState(GameState::Map, false, true);
        saveSession();
        savePlayer();
        return;
    }
    savePlayer();
    states.changeState(missionManager_.endScreenRequested() ? GameState::Ending : GameState::Credits, true, true);
}

void Game::openShipSystems()
{
    auto window = std::make_unique<ShipWindowScreen>(MapScreen::get().ship(),
                                                     assetsPath() + "ship_systems/systems.json");
    window->onShipButtonReleased = [] { MapScreen::get().setButtonPressed(MapScreen::MapButton::Ship, false); };
    WindowManager::get().open(std::move(window));
}

// The summary as the sector keeps it; it releases the map's sector button when it closes.
void Game::showSectorSummary()
{
    const Sector& sector = *sector_;
    auto window = std::make_unique<SectorWindowScreen>(sector.statusText, sector.recapText, sector.designationText,
                                                       sector.jumpText);
    window->onSectorButtonReleased = [] {
        MapScreen::get().setButtonPressed(MapScreen::MapButton::Sector, false);
    };
    WindowManager::get().open(std::move(window));
}

// The developer's next sector seed when there is one, else `fallback`.
std::uint32_t Game::nextSectorSeed(std::uint32_t fallback)
{
    if (developerSectors_.empty())
        return fallback;
    const std::uint32_t seed = developerSectors_.front();
    developerSectors_.pop_front();
    return seed;
}

// A new sector (the first of a run, or after a light jump) with its summary.
void Game::sectorNeeded(std::uint32_t seed)
{
    sector_->generateSector(seed, false);
    MapScreen& map = MapScreen::get();
    sector_->buildSummary(true, map.livingCrew());
    map.refreshDayText();
    map.setButtonPressed(MapScreen::MapButton::Sector, true);
    showSectorSummary();
    map.sync();
}

// The first sector of a run, saved as soon as it exists.
void Game::enterMap()
{
    const std::uint32_t seed = developerSeed_ ? *developerSeed_ : nextSectorSeed(clockSeed());
    developerSeed_.reset();
    MapScreen::get().resetDayClock();
    sectorNeeded(seed);
    saveSession();
    savePlayer();
}

void Game::mapStep()
{
    MapScreen& map = MapScreen::get();
    Sector& sector = *sector_;
    CharacterManager::get().moveDeadCrew();
    sector.update(loop_.fixedStepLength().asMicroseconds());
    if (!sector.missionTileReached && !sector.jumpRequested)
        steerCursor();
    runFlow_->jumpStep();
    if (sector.missionTileReached) {
        AudioManager& audio = AudioManager::get();
        if (audio.ambience().isPlaying())
            audio.ambience().pause();
        StateManager::get().requestState(GameState::Deploy, true, false);
        map.ship().hideDestinationMarker();
        sector.missionTileReached = false;
        const MissionOffer& offer = *sector.offer();
        screenMission_ = offer.mission;
        screenMissionScript_ = missionsRoot() + offer.mission->getItem("Lua file");
        missionRequested_ = false;
        deployScreen_->open(*offer.mission, offer.useShipImage, offer.skipCrewCredit, offer.picture);
    }
    map.fixedStep(missionManager_.hasQuestItem("cannibal"), missionManager_.hasQuestItem("cannibal_fuel"));
}

// The pointer steered with W A S D or the arrows, only while the window has the keyboard.
void Game::steerCursor()
{
    KeyboardCursor::Keys keys;
    const bool focused = window_.hasFocus();
    if (focused) {
        using Key = sf::Keyboard;
        keys.up = Key::isKeyPressed(Key::W) || Key::isKeyPressed(Key::Up);
        keys.down = Key::isKeyPressed(Key::S) || Key::isKeyPressed(Key::Down);
        keys.left = Key::isKeyPressed(Key::A) || Key::isKeyPressed(Key::Left);
        keys.right = Key::isKeyPressed(Key::D) || Key::isKeyPressed(Key::Right);
    }
    if (keys.any())
        MapScreen::get().clearFocus();
    const sf::Vector2f next = mapCursor_.step(keys, cursorPosition_);
    if (next == cursorPosition_)
        return;
    cursorPosition_ = next;
    cursor_.setPosition(next);
    // The desktop's pointer is the player's while another window has the keyboard.
    if (focused)
        sf::Mouse::setPosition(window_.mapCoordsToPixel(next, Options::get().gameView), window_);
}

void Game::shutdown()
{
    luaManager_.leaveMission();
    // A save being written is finished whatever state the game is in.
    waitForSave();
    // Their labels and cards go before the text manager and the roster.
    missionScreen_.reset();
    deployScreen_.reset();
    crewView_.reset();
    crewSelection_.reset();
    AudioManager::destroy();
    // The roster stops counting into the statistics the map screen takes with it.
    if (CharacterManager::exists()) {
        CharacterManager::get().flushStatistics();
        CharacterManager::get().setPlayerStats(nullptr);
        CharacterManager::get().setJumpCountSource(nullptr);
    }
    // The run flow's delayed actions go before the sector and the ship they reach.
    runFlow_.reset();
    session_.reset();
    // The screens' labels leave the text manager while it exists.
    title_.reset();
    intro_.reset();
    credits_.reset();
    PauseMenu::destroy();
    // The map screen lets go of the sector, which goes before the ship it flies (the mission
    // script that could reach the ship was stopped and awaited above).
    if (MapScreen::exists())
        MapScreen::get().attachSector(nullptr);
    sector_.reset();
    MapScreen::destroy();
    OptionsScreen::destroy();
    // Its widgets' labels and delayed actions go before the text manager and the action list.
    CrewCreator::destroy();
    achievementsScreen_.reset();
    // Process-wide objects, each only if it was ever created.
    Options::destroy();
    FontStore::destroy();
    TextureManager::destroy();
    StateManager::destroy();
    TimedActions::destroy();
    // Before the text manager: the cards remove their name labels from it.
    CharacterManager::destroy();
    CrewColours::destroy();
    // A window still open removes its labels only while the text manager exists, so this
    // order (text manager, then the window holder) is safe either way.
    TextManager::destroy();
    WindowManager::destroy();
    UiHost::install(nullptr);
    window_.close();
}

void Game::updateAudio(float dtSeconds)
{
    AudioManager::get().update(dtSeconds);
}

void Game::enterState()
{
    const Options& options = Options::get();
    switch (StateManager::get().getState()) {
    case GameState::Title:
        leaveRun();
        title_->reset(SessionStore::saveExists());
        break;
    case GameState::Intro:
        CharacterManager::get().boardChosenCrew();
        intro_->start(options.pixelView);
        break;
    case GameState::Map:
        enterMap();
        break;
    case GameState::Mission:
        applyLetterbox();
        if (missionRequested_ && screenMission_) {
            missionRequested_ = false;
            startMission(*screenMission_);
        }
        // The run flow gives the font choice back when the mission ends or the run is left.
        OptionsScreen::get().setFontChoiceEnabled(false);
        break;
    case GameState::Options:
        OptionsScreen::get().refresh();
        break;
    case GameState::CrewCreator:
        CrewCreator::get().reset();
        break;
    case GameState::Achievements:
        // LEAVE goes back to what the screen was opened over (the title, or the game beneath
        // the pause menu), as the options screen does.
        achievementsScreen_->returnState = Options::get().returnState;
        achievementsScreen_->reset();
        break;
    case GameState::Credits:
        credits_->reset(options.gameView, options.pixelView);
        break;
    case GameState::Ending:
        enterEnding();
        break;
    case GameState::CrewView:
    case GameState::FinalCrewView:
        crewView_->open();
        break;
    case GameState::CrewSelect:
        CharacterManager::get().resetCrew();
        crewSelection_->enter();
        break;
    default:
        break;
    }
}

void Game::enterEnding()
{
    const std::string picture = "end_screens/" + missionManager_.endScreenName();
    ending_.setTexture(TextureManager::get().getTexture(picture), true);
    ending_.setColor(sf::Color(0, 0, 0, 255));
    endingFade_.start();
}

void Game::fixedStep()
{
    // Windows requested from other threads (a mission script's error) open here, on this
    // thread, between draws and event dispatch; also while paused, beneath the pause menu.
    WindowManager::get().applyRequests();
    luaManager_.runMainThreadWork();
    tellSaveFailure();
    StateManager& states = StateManager::get();
    // Whatever way the game left the mission screen (LEAVE, the title menu, an error window),
    // the script stops and saves are allowed again. Options and deeds opened from the pause
    // menu over a mission come back to it, so they leave the script running.
    const GameState now = states.getState();
    const bool overMission = (now == GameState::Options || now == GameState::Achievements)
                             && Options::get().returnState == GameState::Mission;
    if (now != GameState::Mission && !overMission)
        luaManager_.leaveMission();
    TimedActions::get().fire();
    finishBackgroundSave();
    // Death sounds a mission script asked for are played here, on the main thread.
    for (const std::string& sound : CharacterManager::get().takeQueuedSounds())
        AudioManager::get().playSound(sound);
    CharacterManager::get().flushStatistics();

    AudioManager& audio = AudioManager::get();
    if (states.isPaused()) {
        pauseStep();
        if (audio.thrusters().isPlaying()) {
            audio.thrusters().pause();
            thrustersPausedByMenu_ = true;
        }
        if (audio.ambience().isPlaying()) {
            audio.ambience().pause();
            ambiencePausedByMenu_ = true;
        }
        return;
    }
    if (thrustersPausedByMenu_) {
        if (now == GameState::Map)
            audio.thrusters().play();
        thrustersPausedByMenu_ = false;
    }
    if (ambiencePausedByMenu_) {
        if (now == GameState::Map || now == GameState::Intro)
            audio.ambience().play();
        ambiencePausedByMenu_ = false;
    }
    // The open window updates here and may let the game run underneath for a step.
    if (!WindowManager::get().fixedStep())
        return;
    // The run is over when the crew is gone: back to the title, once.
    if (runFlow_->crewLost()) {
        QV_LOG << "No crew left aboard: back to the title" << std::endl;
        states.changeState(GameState::Title, true, false);
        return;
    }
    switch (now) {
    case GameState::Title:
        title_->update(cursorPosition_);
        break;
    case GameState::Intro:
        missionManager_.leaveMission();
        intro_->update(loop_.fixedStepLength().asMicroseconds());
        if (intro_->finished())
            states.changeState(GameState::Map, true, false);
        break;
    case GameState::Map:
        mapStep();
        break;
    case GameState::Options:
        optionsStep();
        break;
    case GameState::Deploy:
        deployStep();
        break;
    case GameState::CrewSelect:
        crewSelectStep();
        break;
    case GameState::CrewView:
    case GameState::FinalCrewView:
        crewViewStep();
        break;
    case GameState::Mission:
        missionStep();
        break;
    case GameState::Credits:
        credits_->update();
        break;
    case GameState::Ending:
        endingStep();
        break;
    case GameState::CrewCreator:
        crewCreatorStep();
        break;
    case GameState::Achievements:
        achievementsScreen_->update();
        break;
    default:
        break;
    }
}

void Game::crewCreatorStep()
{
    CrewCreator& creator = CrewCreator::get();
    creator.update();
    if (creator.done) {
        creator.done = false;
        StateManager::get().changeState(GameState::Title, true, true);
    }
}

// The pause menu while it shows: highlights, and saving offered only when it may be done.
void Game::pauseStep()
{
    PauseMenu& menu = PauseMenu::get();
    menu.update(cursorPosition_);
    menu.setSaveAllowed(runFlow_->saveAllowed());
}

// The ending picture in its fade; the credits once it has faded out.
void Game::endingStep()
{
    const sf::Uint8 g = endingFade_.grey();
    ending_.setColor(sf::Color(g, g, g, 255));
    if (endingFade_.done())
        StateManager::get().changeState(GameState::Credits, true, true);
}

void Game::endingInput(const sf::Event& event)
{
    const bool goOn = event.type == sf::Event::MouseButtonPressed
                      || (event.type == sf::Event::KeyPressed
                          && (event.key.code == sf::Keyboard::Enter || event.key.code == sf::Keyboard::Escape));
    if (goOn)
        endingFade_.leave();
}

// A resolution picked on the options screen takes effect here, outside its event handling.
// (A changed mission text mode is taken up by the mission screen.)
void Game::optionsStep()
{
    Options& options = Options::get();
    if (!options.resolutionChanged)
        return;
    options.resolutionChanged = false;
    createWindow(windowStyle_, static_cast<unsigned>(options.resolutionX), static_cast<unsigned>(options.resolutionY));
    applyLetterbox();
}

bool Game::handleInput()
{
    StateManager& states = StateManager::get();
    int inputCount = 0;
    sf::Event event;
    while (window_.pollEvent(event)) {
        ++inputCount;
        if (event.type == sf::Event::Closed) {
            states.changeState(GameState::Quit, false, false);
            break;
        }
        if (event.type == sf::Event::KeyPressed && handleKey(event.key))
            continue;
        if (event.type == sf::Event::Resized) {
            sf::Vector2u size = windowSizeAfterResize(event.size.width, event.size.height);
            if (size != sf::Vector2u(event.size.width, event.size.height))
                window_.setSize(size);
            applyLetterbox();
        }

        // Clicks act where the cursor sprite is, also when the cursor was moved by keys.
        if (event.type == sf::Event::MouseMoved)
            placeCursor(sf::Vector2i(event.mouseMove.x, event.mouseMove.y));
        else
            pointEventAtCursor(event, window_, Options::get().gameView, cursorPosition_);
        dispatchToScreen(event);
        // A screen that changed the window (full screen, a load that drew a frame) has
        // left this event queue behind.
        if (!window_.isOpen())
            break;
    }
    if (inputCount >= 11)
        QV_LOG << "[WARNING] High inputCount for frame: " << inputCount << std::endl;
    return inputCount > 0;
}

// The screens whose picture moves only with the player's input. Every other screen animates
// in its fixed steps (the map's clock, typing, scrolling, fades).
bool Game::pictureIsStill() const
{
    const StateManager& states = StateManager::get();
    if (states.isPaused() || modalWindowOpen())
        return false;
    switch (states.getState()) {
    case GameState::Title:
    case GameState::Options:
    case GameState::Achievements:
        return true;
    default:
        return false;
    }
}

// The game's own keys. True when the key is used up here: full screen, the screenshot and
// the developer loader never reach a screen as well.
bool Game::handleKey(const sf::Event::KeyEvent& key)
{
    StateManager& states = StateManager::get();
    if (key.code == sf::Keyboard::Escape && !escapeIgnoredIn(states.getState()) && !modalWindowOpen()) {
        if (states.getState() == GameState::Ending && !states.isPaused())
            return false; // Escape goes on from the ending picture
        states.setPaused(!states.isPaused());
        // The map's and the mission screen's menu buttons show pressed while paused.
        MapScreen::get().setButtonPressed(MapScreen::MapButton::Menu, states.isPaused());
        return true;
    }
    if (key.code == sf::Keyboard::Enter && key.alt) {
        Options::get().toggleFullscreen();
        applyWindowMode();
        return true;
    }
    if (key.code == sf::Keyboard::F5) {
        takeScreenshot();
        return true;
    }
    if (key.code == sf::Keyboard::P && key.alt && sf::Keyboard::isKeyPressed(sf::Keyboard::LAlt)) {
        developerMission();
        return true;
    }
    return false;
}

// Alt+P: any mission file, played at once with the living crew as the team. A run that is
// not active (the title) is not saved by it.
void Game::developerMission()
{
    const std::string path = chooseFile();
    // The dialog held the loop: its time is not made up as fixed steps.
    loop_.start();
    if (path.empty()) {
        QV_LOG << "Developer mission loader: no file chosen" << std::endl;
        return;
    }
    auto mission = std::make_unique<Mission>();
    if (!mission->loadMissionFile(path, path)) {
        QV_LOG << "Developer mission loader: " << path << " cannot be read" << std::endl;
        return;
    }
    // The script of the mission under way stops before the new one starts.
    luaManager_.leaveMission();
    debugMission_ = std::move(mission);
    const std::string luaFile = debugMission_->getItem("Lua file");
    const std::size_t at = path.rfind("/missions/");
    screenMissionScript_ = at != std::string::npos ? path.substr(0, at) + luaFile : assetsPath() + luaFile;
    screenMission_ = debugMission_.get();
    QV_LOG << "Developer mission loader: " << debugMission_->getItem("Name") << std::endl;
    deployScreen_->open(*debugMission_, false, true, "");
    CharacterManager& roster = CharacterManager::get();
    std::vector<std::size_t> team;
    {
        auto guard = roster.lock();
        const std::deque<Character>& aboard = roster.getCrewOnShip();
        for (std::size_t i = 0; i < aboard.size(); ++i)
            if (!aboard[i].isDead)
                team.push_back(i);
    }
    roster.setDeployTeam(std::move(team));
    missionRequested_ = true;
    StateManager::get().setPaused(false);
    StateManager::get().changeState(GameState::Mission, true, false);
}

void Game::titleInput(const sf::Event& event)
{
    TitleMenu::Item item = TitleMenu::Item::None;
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left)
        item = title_->itemAt(cursorPosition_);
    else if (event.type == sf::Event::KeyPressed)
        item = title_->handleKey(event.key.code);
    if (item == TitleMenu::Item::None)
        return;
    StateManager& states = StateManager::get();
    AudioManager& audio = AudioManager::get();
    switch (item) {
    case TitleMenu::Item::Quit:
        // QV_DEV_KEEP_RUNNING=1 (the long random-input soak): one process for the whole soak.
        if (developerSwitch("QV_DEV_KEEP_RUNNING")) {
            QV_LOG << "Developer switch: QUIT ignored" << std::endl;
            audio.playSound(clickSound);
            break;
        }
        states.changeState(GameState::Quit, false, true);
        title_->showPressed(item, true);
        audio.playSound("quit.wav");
        break;
    case TitleMenu::Item::NewGame:
        leaveRun();
        states.changeState(GameState::CrewSelect, true, true);
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        audio.fadeOutMusic(1.f);
        break;
    case TitleMenu::Item::Options:
        states.changeState(GameState::Options, true, true);
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        break;
    case TitleMenu::Item::Characters:
        states.changeState(GameState::CrewCreator, true, true);
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        break;
    case TitleMenu::Item::Credits:
        states.changeState(GameState::Credits, true, true);
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        break;
    case TitleMenu::Item::WebSite:
        openInShell(webSite_);
        audio.playSound(clickSound);
        break;
    case TitleMenu::Item::Deeds:
        states.changeState(GameState::Achievements, true, true);
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        break;
    case TitleMenu::Item::Continue:
        title_->showPressed(item, true);
        audio.playSound(clickSound);
        audio.fadeOutMusic(1.f);
        draw(); // the pressed button shows while the save loads
        loadSession();
        title_->showPressed(item, false);
        loop_.start(); // the load's time is not made up as fixed steps
        break;
    case TitleMenu::Item::None:
        break;
    }
}

void Game::pauseInput(const sf::Event& event)
{
    if (event.type != sf::Event::MouseButtonPressed)
        return;
    PauseMenu& menu = PauseMenu::get();
    StateManager& states = StateManager::get();
    AudioManager& audio = AudioManager::get();
    const PauseMenu::Item item = menu.itemAt(cursorPosition_);
    switch (item) {
    case PauseMenu::Item::MainMenu:
        audio.playSound(clickSound);
        // A running script stops at its next check; the title's enter step leaves the run.
        luaManager_.leaveMission();
        states.changeState(GameState::Title, true, false);
        states.setPaused(false);
        OptionsScreen::get().setFontChoiceEnabled(true);
        break;
    case PauseMenu::Item::SaveGame:
        audio.playSound(clickSound);
        menu.showPressed(item, true);
        draw();
        saveSessionInBackground();
        menu.showPressed(item, false);
        states.setPaused(false);
        break;
    case PauseMenu::Item::Options:
        audio.playSound(clickSound);
        states.changeState(GameState::Options, true, false);
        states.setPaused(false);
        break;
    case PauseMenu::Item::Deeds:
        audio.playSound(clickSound);
        states.changeState(GameState::Achievements, true, false);
        states.setPaused(false);
        break;
    case PauseMenu::Item::Resume:
        audio.playSound(clickSound);
        states.setPaused(false);
        break;
    case PauseMenu::Item::None:
        return;
    }
    MapScreen::get().setButtonPressed(MapScreen::MapButton::Menu, false);
}

void Game::dispatchToScreen(const sf::Event& event)
{
    StateManager& states = StateManager::get();
    if (states.isPaused()) {
        pauseInput(event);
        return;
    }
    if (modalWindowOpen()) {
        WindowManager::get().handleEvent(event, window_, Options::get().gameView);
        return;
    }
    // Otherwise the current state's screen receives the event, with the window and gameView.
    const sf::View& gameView = Options::get().gameView;
    switch (states.getState()) {
    case GameState::Title:
        titleInput(event);
        break;
    case GameState::Intro:
        intro_->handleEvent(event);
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Enter) {
            AudioManager& audio = AudioManager::get();
            if (audio.ambience().isPlaying())
                audio.ambience().pause();
            states.changeState(GameState::Map, true, false);
        }
        break;
    case GameState::Map:
        if (event.type == sf::Event::MouseMoved) {
            MapScreen::get().mouseMoved(cursorPosition_.x, cursorPosition_.y);
        } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at =
                window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            MapScreen::get().mousePressed(at.x, at.y);
        }
        break;
    case GameState::Options:
        OptionsScreen::get().handleEvent(event, cursorPosition_);
        break;
    case GameState::CrewCreator:
        CrewCreator::get().handleEvent(event, cursorPosition_);
        break;
    case GameState::Achievements:
        achievementsScreen_->handleEvent(event, cursorPosition_);
        break;
    case GameState::Credits:
        if (event.type == sf::Event::MouseMoved)
            credits_->mouseMoved(cursorPosition_);
        if (credits_->handleEvent(event, cursorPosition_)) {
            AudioManager::get().playSound(leaveSound);
            states.changeState(GameState::Title, true, true);
        }
        break;
    case GameState::Ending:
        endingInput(event);
        break;
    case GameState::Deploy:
        if (screenMission_ == nullptr) {
            // A map offer without the run flow: a key or a click leaves it without a team.
            if (event.type == sf::Event::KeyPressed || event.type == sf::Event::MouseButtonPressed) {
                sector_->restartGrace(Sector::returnGraceSeconds);
                states.changeState(GameState::Map, false, true);
            }
        } else if (event.type == sf::Event::MouseMoved) {
            deployScreen_->mouseMoved(cursorPosition_.x, cursorPosition_.y);
        } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            deployScreen_->mousePressed(at.x, at.y, screenTime());
        } else if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            deployScreen_->mouseReleased(at.x, at.y, screenTime());
        }
        break;
    case GameState::CrewView:
    case GameState::FinalCrewView:
        if (event.type == sf::Event::MouseMoved) {
            crewView_->mouseMoved(cursorPosition_.x, cursorPosition_.y);
        } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            crewView_->mousePressed(at.x, at.y);
        }
        break;
    case GameState::CrewSelect:
        if (event.type == sf::Event::MouseMoved) {
            crewSelection_->mouseMoved(cursorPosition_.x, cursorPosition_.y);
        } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            crewSelection_->mousePressed(at.x, at.y);
        } else if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            crewSelection_->mouseReleased(at.x, at.y);
        }
        break;
    case GameState::Mission:
        if (event.type == sf::Event::MouseMoved) {
            missionScreen_->handleMouseMove(cursorPosition_.x, cursorPosition_.y);
        } else if (event.type == sf::Event::MouseButtonReleased && event.mouseButton.button == sf::Mouse::Left) {
            const sf::Vector2f at = window_.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), gameView);
            missionScreen_->handleClick(at.x, at.y, screenTime());
        } else if (event.type == sf::Event::KeyPressed) {
            missionScreen_->handleKey(event.key.code, screenTime());
        }
        break;
    default:
        break;
    }
}

void Game::draw()
{
    window_.clear(sf::Color::Black);
    drawScreen();
    window_.setView(Options::get().gameView);
    WindowManager::get().draw(window_);
    if (StateManager::get().isPaused())
        PauseMenu::get().draw(window_);
    const SavingIndicator& saving = loop_.savingIndicator();
    if (saving.isShowing())
        window_.draw(saveAnimation_[static_cast<std::size_t>(saving.currentFrame())]);
    if (Options::get().spriteCursor)
        window_.draw(cursor_);
    window_.display();
    if (!firstFrameShown_) {
        firstFrameShown_ = true;
        QV_LOG << "First frame displayed" << std::endl;
    }
}

void Game::drawScreen()
{
    const sf::View& gameView = Options::get().gameView;
    window_.setView(gameView);
    switch (StateManager::get().getState()) {
    case GameState::Boot:
    case GameState::Splash:
    case GameState::Quit:
        return;
    case GameState::Title:
        title_->draw(window_);
        return;
    case GameState::Intro:
        intro_->draw(window_);
        return;
    case GameState::Map:
        MapScreen::get().draw(window_);
        return;
    case GameState::Options:
        OptionsScreen::get().draw(window_);
        return;
    case GameState::CrewCreator:
        window_.setView(Options::get().gameView);
        CrewCreator::get().draw(window_);
        return;
    case GameState::Achievements:
        window_.setView(Options::get().gameView);
        achievementsScreen_->draw(window_);
        return;
    case GameState::Credits:
        credits_->draw(window_);
        return;
    case GameState::Ending:
        window_.draw(ending_);
        return;
    case GameState::Deploy:
        if (!screenMission_)
            break;
        window_.setView(Options::get().gameView);
        deployScreen_->draw(window_);
        return;
    case GameState::Mission:
        window_.setView(Options::get().gameView);
        missionScreen_->draw(window_);
        return;
    case GameState::CrewView:
    case GameState::FinalCrewView:
        window_.setView(Options::get().gameView);
        crewView_->draw(window_);
        return;
    case GameState::CrewSelect:
        window_.setView(Options::get().gameView);
        crewSelection_->draw(window_);
        return;
    default:
        break;
    }
    // Each state's screen draws here once it exists. Until then the game area is filled, so
    // the window shows where the picture goes and where the letterbox bars are.
    sf::RectangleShape area(sf::Vector2f(static_cast<float>(logicalWidth), static_cast<float>(logicalHeight)));
    area.setFillColor(sf::Color(12, 16, 28));
    window_.draw(area);
}

bool Game::modalWindowOpen() const
{
    return WindowManager::get().isOpen();
}

void Game::rest(sf::Time idle)
{
    sf::sleep(sf::milliseconds(1) + idle);
}

void Game::takeScreenshot()
{
    sf::Vector2u size = window_.getSize();
    sf::Texture texture;
    if (!texture.create(size.x, size.y))
        return;
    texture.update(window_);
    sf::Image image = texture.copyToImage();
    // Several presses within one second each get a file of their own.
    const std::string stem = screenshotsPath() + "quorvane-" + std::to_string(std::time(nullptr));
    std::string path = stem + ".png";
    for (int counter = 2; std::filesystem::exists(path); ++counter)
        path = stem + "-" + std::to_string(counter) + ".png";
    QV_LOG << "Saving screenshot to " << path << std::endl;
    if (!image.saveToFile(path))
        QV_LOG << "Error: Game::takeScreenshot, could not save " << path << std::endl;
}

void Game::placeCursor(sf::Vector2i pixel)
{
    cursorPosition_ = window_.mapPixelToCoords(pixel, Options::get().gameView);
    cursor_.setPosition(cursorPosition_);
}

void Game::createWindow(std::uint32_t style, unsigned width, unsigned height)
{
    windowStyle_ = style;
    window_.close();
    Options& options = Options::get();
    if (style == sf::Style::Fullscreen) {
        QV_LOG << "Setting resolution to " << width << "x" << height << " (fullscreen)" << std::endl;
        window_.create(sf::VideoMode::getDesktopMode(), windowTitle, sf::Style::None);
        window_.setPosition(sf::Vector2i(0, 0)); // covering the screen, not centred on one monitor
        options.fullscreen = true;
    } else {
        QV_LOG << "Setting resolution to " << width << "x" << height << " (windowed)" << std::endl;
        options.fullscreen = false;
        window_.create(sf::VideoMode(width, height, 32), windowTitle, style);
        // Centred by SFML on what it takes for the screen, a window as large as the desktop
        // can end up partly below it: keep it wholly on the screen.
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        const sf::Vector2i placed = window_.getPosition();
        const sf::Vector2i fitted =
            windowPositionOnScreen(placed, window_.getSize(), sf::Vector2u(desktop.width, desktop.height));
        if (fitted != placed)
            window_.setPosition(fitted);
    }
    // The real size: a full-screen window has the desktop's, not the one asked for.
    sf::Vector2u size = window_.getSize();
    options.windowWidth = static_cast<int>(size.x);
    options.windowHeight = static_cast<int>(size.y);
    resetViews();
    window_.setView(options.gameView);
    window_.setFramerateLimit(FrameLoop::framesPerSecond);
    if (hasIcon_)
        window_.setIcon(icon_.getSize().x, icon_.getSize().y, icon_.getPixelsPtr());
    window_.setMouseCursorVisible(!options.spriteCursor);

    sf::Vector2f mouse = window_.mapPixelToCoords(sf::Mouse::getPosition(window_), options.gameView);
    cursorPosition_ = sf::Vector2f(std::clamp(mouse.x, 0.f, 639.f), std::clamp(mouse.y, 0.f, 359.f));
    cursor_.setPosition(cursorPosition_);
    // A desktop that is not 16:9 would otherwise stretch the picture until the first resize.
    applyLetterbox();
    if (OptionsScreen::exists())
        OptionsScreen::get().refresh();
}

void Game::applyWindowMode()
{
    const Options& options = Options::get();
    createWindow(options.fullscreen ? sf::Style::Fullscreen : sf::Style::Default,
                 static_cast<unsigned>(options.resolutionX), static_cast<unsigned>(options.resolutionY));
    applyLetterbox();
}

void Game::applyLetterbox()
{
    Options& options = Options::get();
    sf::Vector2u size = window_.getSize();
    sf::FloatRect viewport = letterboxViewport(size.x, size.y);
    options.gameView.setViewport(viewport);
    options.pixelView.setViewport(viewport);
    // The mission screen's and the credits' views take the same viewport in their states.
    window_.setView(options.gameView);
    options.windowWidth = static_cast<int>(static_cast<float>(size.x) * viewport.width);
    options.windowHeight = static_cast<int>(static_cast<float>(size.y) * viewport.height);
    resetViews();
    window_.setView(options.gameView);
}

void Game::resetViews()
{
    Options& options = Options::get();
    float w = static_cast<float>(options.windowWidth);
    float h = static_cast<float>(options.windowHeight);
    // Texts are drawn in window pixels, so their size follows the picture's width.
    if (TextManager::exists()) {
        TextManager::get().setScale(w / static_cast<float>(logicalWidth));
        TextManager::get().refreshAll();
    }
    // The credits text view follows here.
    options.gameView.setCenter(320.f, 180.f);
    options.gameView.setSize(static_cast<float>(logicalWidth), static_cast<float>(logicalHeight));
    options.pixelView.setCenter(w / 2.f, h / 2.f);
    options.pixelView.setSize(w, h);
}
