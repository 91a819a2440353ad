#include "core/StateManager.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "persistence/Options.hpp"

namespace {
std::unique_ptr<StateManager>& instance()
{
    static std::unique_ptr<StateManager> manager;
    return manager;
}
} // namespace

StateManager& StateManager::get()
{
    if (!instance())
        instance() = std::make_unique<StateManager>();
    return *instance();
}

bool StateManager::exists()
{
    return instance() != nullptr;
}

void StateManager::destroy()
{
    instance().reset();
}

bool StateManager::changeState(GameState next, bool runSetup, bool holdDraw)
{
    AudioManager& audio = AudioManager::get();
    switch (next) {
    case GameState::Title:
        // Coming back from a screen the title opened keeps the title music playing.
        if (current != GameState::Options && current != GameState::CrewCreator
            && current != GameState::Achievements) {
            audio.stopMusic();
            audio.playMusic(true, assetsPath() + "sounds/music/MainMenu.ogg", 10.f, 0.f);
        }
        break;
    case GameState::Intro:
    case GameState::Map:
        audio.startAmbience();
        break;
    case GameState::Options:
    case GameState::Achievements:
        Options::get().returnState = current;
        break;
    case GameState::Credits:
        audio.fadeOutMusic(5.f);
        audio.playMusic(true, assetsPath() + "sounds/music/VEZIREZAVIDUDA.ogg", 10.f, 70.f);
        break;
    default:
        break;
    }
    requestState(next, runSetup, holdDraw);
    return holdDraw;
}

void StateManager::requestState(GameState next, bool runSetup, bool holdDraw)
{
    switchPending = runSetup;
    requested = next;
    isSwitchingStates = true;
    holdDrawOnSwitch = holdDraw;
}

void StateManager::applyRequested()
{
    current = requested;
    isSwitchingStates = false;
}

void StateManager::setPaused(bool value)
{
    paused = value;
    // The pause menu clears the highlight of its focus list here once it exists.
}
