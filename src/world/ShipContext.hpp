#pragma once

#include <cstdint>
#include <string>

class PlayerStats;

// What the ship needs from the rest of the game while it flies, eats and is saved: the
// cross-run statistics it feeds, how many mouths the roster has, the mission in progress (for
// the upgrade log), the food cheat, the run's difficulty, the map screen's jump flash and the
// engine sounds. The map screen answers it in the game; tests answer it with plain values, so
// the ship is checked without a window, a roster or a sound card.
//
// The ship calls these while holding its own lock: an implementation must not call back into
// the ship.
class ShipContext {
public:
    virtual ~ShipContext() = default;

    virtual PlayerStats& playerStats() = 0;
    // Crew members fed at each meal: everyone on the ship who is alive.
    virtual std::int32_t livingCrewCount() = 0;
    // The "Name" of the mission being played; empty or "null" when there is none.
    virtual std::string currentMissionName() = 0;
    // The "FoodCheat" option: no meals while the ship stands still.
    virtual bool foodCheat() = 0;
    // 8 Easy, 6 Medium, 4 Hard: the start values of saves written before they were stored.
    virtual std::int32_t difficulty() = 0;
    // One more step of the light-jump flash on the map (the map screen caps it).
    virtual void raiseJumpFlash() = 0;

    // Engine sounds. Thrusters: restart the (non-looping) thruster sound whenever it has run
    // out or was stopped; stop it when it plays. Jump: start the departure roar unless it plays.
    virtual void keepThrustersPlaying() = 0;
    virtual void stopThrusters() = 0;
    virtual void playJumpSound() = 0;
};
