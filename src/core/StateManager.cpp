#include "core/StateManager.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/ProcessWide.hpp"
#include "persistence/Options.hpp"

StateManager& StateManager::get()
{
    return ProcessWide<StateManager>::get();
}

bool StateManager::exists()
{
    return ProcessWide<StateManager>::exists();
}

void StateManager::destroy()
{
    ProcessWide<StateManager>::destroy();
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
        // Opened from one another (through the pause menu), they keep the state both were
        // opened over: each returning to the other would never lead back out.
        if (current != GameState::Options && current != GameState::Achievements)
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
