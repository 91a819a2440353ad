#pragma once

#include "persistence/PlayerStats.hpp"
#include "world/ShipContext.hpp"

#include <string>

// The ship's surroundings as plain values, with a tally of what the ship asked for.
class FakeShipContext : public ShipContext {
public:
    PlayerStats& playerStats() override { return stats; }
    std::int32_t livingCrewCount() override { return crew; }
    std::string currentMissionName() override { return mission; }
    bool foodCheat() override { return cheat; }
    std::int32_t difficulty() override { return runDifficulty; }
    void raiseJumpFlash() override { ++flashes; }
    void keepThrustersPlaying() override { ++thrustersKept; }
    void stopThrusters() override { ++thrustersStopped; }
    void playJumpSound() override { ++jumpSounds; }

    PlayerStats stats;
    std::int32_t crew = 4;
    std::string mission;
    bool cheat = false;
    std::int32_t runDifficulty = 6;
    int flashes = 0;
    int thrustersKept = 0;
    int thrustersStopped = 0;
    int jumpSounds = 0;
};
