#include "core/Game.hpp"

#include "achievements/AchievementManager.hpp"
#include "audio/AudioManager.hpp"
#include "core/CursorEvent.hpp"
#include "core/Emblem.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/ProgramArguments.hpp"
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
#include <cerrno>
#include <cstdio>
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

// QV_DEV_SHIP_LOG=<lines>: the developer map's ship starts with that many upgrade-log lines
// (at most 50), the sensors going up and down, to page through in the ship systems window.
int developerShipLogLines()
{
    const char* value = std::getenv("QV_DEV_SHIP_LOG");
    if (!value || !*value)
        return 0;
    return std::clamp(std::atoi(value), 0, 50);
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
    // Until the crew view exists, the crew button springs back at once.
    map.onCrewView = [] { MapScreen::get().setButtonPressed(MapScreen::MapButton::Crew, false); };
    map.onShipSystems = [] { openShipSystems(); };
    map.onSectorSummary = [this] { showSectorSummary(); };
    sector_ = std::make_unique<Sector>(missionManager_, map.ship(), map.pictures().asteroidBackgrounds.size(),
                                       map.pictures().asteroidForegrounds.size(), map.fogMode());
    map.attachSector(sector_.get());
    missionManager_.setShip(&map.ship());
    luaManager_.setShip(&map.ship());
    roster.setPlayerStats(&map.stats());
    missionManager_.setCrew(&roster);
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
    if (developerSeed_) {
        startDeveloperRun();
        states.changeState(GameState::Map, true, false);
    } else if (developerSwitch("QV_DEV_CREATOR")) {
        QV_LOG << "Developer switch: the crew creator, leaving to the title" << std::endl;
        states.changeState(GameState::CrewCreator, true, false);
    } else if (developerSwitch("QV_DEV_ACHIEVEMENTS")) {
        QV_LOG << "Developer switch: the deeds screen, leaving to the title" << std::endl;
        states.changeState(GameState::Achievements, true, false);
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
    if (saved)
        showSavingIndicator();
    return saved;
}

void Game::loadPlayer()
{
    MapScreen::get().stats().loadFile(savedPath() + "playerSave.json", PlayerStats::switchFromArguments());
}

// The run a new game would start, without the crew selection and the intro (the run flow,
// which does that, is still to come).
void Game::startDeveloperRun()
{
    QV_LOG << "Developer map: a new Medium run, first sector " << *developerSeed_ << std::endl;
    missionManager_.resetRunLists(MissionManager::medium);
    Ship& ship = MapScreen::get().ship();
    ship.resetForNewRun(MissionManager::medium);
    const int lines = developerShipLogLines();
    for (int i = 1; i <= lines; ++i)
        ship.adjustSensors(i % 2 ? 0.5f : -0.5f, "developer log line " + std::to_string(i));
    // The crew selection's stand-in: the first characters of the library, as many as Medium takes.
    CharacterManager& roster = CharacterManager::get();
    roster.resetCrew();
    {
        auto guard = roster.lock();
        const std::deque<Character>& library = roster.getCrewOnShip();
        const std::size_t count = std::min<std::size_t>(library.size(), MissionManager::medium);
        roster.getChosenCrew().assign(library.begin(), library.begin() + static_cast<std::ptrdiff_t>(count));
        for (Character& member : roster.getChosenCrew())
            member.bonusMultiplier = 0.5f;
    }
    roster.boardChosenCrew();
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

// A new sector, as every run enters the map.
void Game::enterMap()
{
    const std::uint32_t seed = developerSeed_ ? *developerSeed_ : clockSeed();
    developerSeed_.reset();
    sector_->generateSector(seed, false);
    MapScreen& map = MapScreen::get();
    sector_->buildSummary(true, map.livingCrew());
    map.refreshDayText();
    map.setButtonPressed(MapScreen::MapButton::Sector, true);
    showSectorSummary();
    map.sync();
    // The session is saved here once it can be.
    savePlayer();
}

void Game::mapStep()
{
    MapScreen& map = MapScreen::get();
    Sector& sector = *sector_;
    sector.update(loop_.fixedStepLength().asMicroseconds());
    if (!sector.missionTileReached && !sector.jumpRequested)
        steerCursor();
    if (sector.jumpRequested)
        jumpAtOnce();
    if (sector.missionTileReached) {
        AudioManager& audio = AudioManager::get();
        if (audio.ambience().isPlaying())
            audio.ambience().pause();
        StateManager::get().requestState(GameState::Deploy, true, false);
        map.ship().hideDestinationMarker();
        sector.missionTileReached = false;
        const MissionOffer& offer = *sector.offer();
        QV_LOG << "Deploy screen stand-in: " << offer.mission->getItem("Name")
               << " is offered; a key or a click returns to the map." << std::endl;
    }
    // The mission flags "cannibal" and "cannibal_fuel" join here with the mission runtime.
    map.fixedStep(false, false);
}

// The pointer steered with W A S D or the arrows, only while the window has the keyboard.
void Game::steerCursor()
{
    KeyboardCursor::Keys keys;
    if (window_.hasFocus()) {
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
    sf::Mouse::setPosition(window_.mapCoordsToPixel(next, Options::get().gameView), window_);
}

// Stand-in until the run flow turns the ship toward the edge and jumps after its delay: the
// jump happens at once.
void Game::jumpAtOnce()
{
    MapScreen& map = MapScreen::get();
    map.stats().addJump();
    map.ship().setJumpDays(0.f);
    map.resetDayClock();
    sector_->jumpRequested = false;
    map.ship().endLightJump();
    enterMap();
}

void Game::shutdown()
{
    luaManager_.leaveMission();
    AudioManager::destroy();
    if (sessionActive_ && saveTask_.valid())
        saveTask_.wait();
    // The roster stops counting into the statistics the map screen takes with it.
    if (CharacterManager::exists()) {
        CharacterManager::get().flushStatistics();
        CharacterManager::get().setPlayerStats(nullptr);
        CharacterManager::get().setJumpCountSource(nullptr);
    }
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
    // Process-wide objects, each only if it was ever created (the crew creator joins this
    // list with its class).
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
    // Each state's enter step (resetting the title menu, a new roster, starting a mission, ...)
    // joins here with its screen.
    switch (StateManager::get().getState()) {
    case GameState::Map:
        enterMap();
        break;
    case GameState::Mission:
        applyLetterbox();
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
        achievementsScreen_->reset();
        break;
    default:
        break;
    }
}

void Game::fixedStep()
{
    // Windows requested from other threads (a mission script's error) open here, on this
    // thread, between draws and event dispatch; also while paused, beneath the pause menu.
    WindowManager::get().applyRequests();
    luaManager_.runMainThreadWork();
    // Whatever way the game left the mission screen (LEAVE, the title menu, an error window),
    // the script stops and saves are allowed again.
    if (StateManager::get().getState() != GameState::Mission)
        luaManager_.leaveMission();
    TimedActions::get().fire();
    // Death sounds a mission script asked for are played here, on the main thread.
    for (const std::string& sound : CharacterManager::get().takeQueuedSounds())
        AudioManager::get().playSound(sound);
    CharacterManager::get().flushStatistics();
    // A mission's autosave request is served here once missions exist.

    StateManager& states = StateManager::get();
    AudioManager& audio = AudioManager::get();
    if (states.isPaused()) {
        // The pause menu's buttons update here.
        if (audio.thrusters().isPlaying()) {
            audio.thrusters().pause();
            thrustersPausedByMenu_ = true;
        }
        if (audio.ambience().isPlaying())
            audio.ambience().pause();
        return;
    }
    if (thrustersPausedByMenu_) {
        if (states.getState() == GameState::Map)
            audio.thrusters().play();
        thrustersPausedByMenu_ = false;
    }
    // The open window updates here and may let the game run underneath for a step.
    if (!WindowManager::get().fixedStep())
        return;
    // The current state's screen updates here (and the run returns to the title when the
    // crew is gone while a session is active).
    if (states.getState() == GameState::Map)
        mapStep();
    else if (states.getState() == GameState::Options)
        optionsStep();
    else if (states.getState() == GameState::CrewCreator)
        crewCreatorStep();
    else if (states.getState() == GameState::Achievements)
        achievementsScreen_->update();
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

void Game::handleInput()
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
        if (event.type == sf::Event::KeyPressed)
            handleKey(event.key);
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

        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::F5) {
            takeScreenshot();
            continue;
        }
        dispatchToScreen(event);
    }
    if (inputCount >= 11)
        QV_LOG << "[WARNING] High inputCount for frame: " << inputCount << std::endl;
}

void Game::handleKey(const sf::Event::KeyEvent& key)
{
    StateManager& states = StateManager::get();
    if (key.code == sf::Keyboard::Escape && !escapeIgnoredIn(states.getState()) && !modalWindowOpen()) {
        states.setPaused(!states.isPaused());
        // The map's and the mission screen's menu buttons show pressed while paused.
        MapScreen::get().setButtonPressed(MapScreen::MapButton::Menu, states.isPaused());
    } else if (key.code == sf::Keyboard::Enter && key.alt) {
        Options::get().toggleFullscreen();
        applyWindowMode();
    } else if (key.code == sf::Keyboard::P && sf::Keyboard::isKeyPressed(sf::Keyboard::LAlt)) {
        // The developer mission loader joins here.
    }
}

void Game::dispatchToScreen(const sf::Event& event)
{
    StateManager& states = StateManager::get();
    if (states.isPaused()) {
        // The pause menu takes every event.
        return;
    }
    if (modalWindowOpen()) {
        WindowManager::get().handleEvent(event, window_, Options::get().gameView);
        return;
    }
    // Otherwise the current state's screen receives the event, with the window and gameView.
    const sf::View& gameView = Options::get().gameView;
    switch (states.getState()) {
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
    case GameState::Deploy:
        // Stand-in until the deploy screen exists: a key or a click leaves it without a team.
        if (event.type == sf::Event::KeyPressed || event.type == sf::Event::MouseButtonPressed) {
            sector_->restartGrace(Sector::returnGraceSeconds);
            states.changeState(GameState::Map, false, true);
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
    // While paused, the pause menu draws here.
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
    switch (StateManager::get().getState()) {
    case GameState::Boot:
    case GameState::Splash:
    case GameState::Quit:
        return;
    case GameState::Map:
        window_.setView(Options::get().gameView);
        MapScreen::get().draw(window_);
        return;
    case GameState::Options:
        window_.setView(Options::get().gameView);
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

void Game::rest()
{
    sf::sleep(sf::milliseconds(1));
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
    window_.setFramerateLimit(30);
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
