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
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cstdio>
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

} // namespace

Game::Game(AchievementManager& achievements)
    : achievements_(achievements)
    , missionManager_(&achievements_)
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
    playerStats_.setAchievementManager(&achievements_);

    AudioManager::get(); // loads every sound effect and lists the music
    TextureManager& textures = TextureManager::get(); // registers every sprite-sheet frame

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

Game::~Game() = default;

void Game::run()
{
    playerStats_.applyAchievementSwitch(PlayerStats::switchFromArguments());
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
    states.changeState(GameState::Title, true, false);
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
    bool saved = playerStats_.saveFile(savedPath() + "playerSave.json");
    if (saved)
        showSavingIndicator();
    return saved;
}

void Game::loadPlayer()
{
    playerStats_.loadFile(savedPath() + "playerSave.json", PlayerStats::switchFromArguments());
}

void Game::shutdown()
{
    luaManager_.leaveMission();
    AudioManager::destroy();
    if (sessionActive_ && saveTask_.valid())
        saveTask_.wait();
    // The mission script was stopped and awaited above; the mission data and the screens
    // owned by the game are released with the game.
    // Process-wide objects, each only if it was ever created (the crew creator, the map
    // screen, the texture registry, the crew roster, the text manager and the modal window
    // holder join this list with their classes).
    Options::destroy();
    FontStore::destroy();
    TextureManager::destroy();
    StateManager::destroy();
    TimedActions::destroy();
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
    // Each state's enter step (resetting the title menu, a new roster, a new sector, starting
    // a mission, ...) joins here with its screen.
    if (StateManager::get().getState() == GameState::Mission)
        applyLetterbox();
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
    } else if (key.code == sf::Keyboard::Enter && key.alt) {
        Options& options = Options::get();
        options.toggleFullscreen();
        createWindow(options.fullscreen ? sf::Style::Fullscreen : sf::Style::Default,
                     static_cast<unsigned>(options.resolutionX), static_cast<unsigned>(options.resolutionY));
        applyLetterbox();
    } else if (key.code == sf::Keyboard::P && sf::Keyboard::isKeyPressed(sf::Keyboard::LAlt)) {
        // The developer mission loader joins here.
    }
}

void Game::dispatchToScreen(const sf::Event& event)
{
    (void)event;
    if (StateManager::get().isPaused()) {
        // The pause menu takes every event.
        return;
    }
    if (modalWindowOpen()) {
        WindowManager::get().handleEvent(event, window_, Options::get().gameView);
        return;
    }
    // Otherwise the current state's screen receives the event, with the window and gameView.
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
    // The options screen refreshes its toggles here once it exists.
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
