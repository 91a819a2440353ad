#pragma once

#include "core/GameState.hpp"

#include <memory>

// Holds the state in force and the one requested next. Anyone may request a change; the
// game loop applies it at the start of the next frame, so of several requests in one frame
// the last one wins. Requests for some states also change the music (see changeState).
class StateManager {
public:
    static StateManager& get();
    static bool exists();
    static void destroy();

    // Requests `next` for the next frame, with its enter step when `runSetup`, and keeping
    // the old picture on screen for a quarter second first when `holdDraw`. Returns `holdDraw`.
    bool changeState(GameState next, bool runSetup, bool holdDraw);
    // The same request without the music and return-state side effects (the map's crew button,
    // arriving on a mission tile).
    void requestState(GameState next, bool runSetup, bool holdDraw);
    // Makes the requested state current (start of every frame; changes nothing without a request).
    void applyRequested();

    GameState getState() const { return current; }
    bool isPaused() const { return paused; }
    void setPaused(bool value);

    bool switchPending = false;
    bool isSwitchingStates = false;
    bool paused = false;
    bool holdDrawOnSwitch = false;
    GameState current = GameState::Boot;
    GameState requested = GameState::Boot;
};
