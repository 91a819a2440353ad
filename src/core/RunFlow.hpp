#pragma once

#include "core/TimedActionGroup.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <optional>

class CharacterManager;
class MissionManager;
class PlayerStats;
class Sector;
class Ship;

// The rules that tie the screens into a run, beside the Game that drives the screens: a new
// run set up for its difficulty, the light jump (the turn toward the sector's edge, the
// departure after a delay, a turn that takes too long abandoned, the jump itself with its
// saves) and leaving a run. It knows the run's objects but no window: what needs the window,
// the audio or the save files comes in through the hooks, so the rules are tested headless.
// Main thread only; its delayed actions belong to it and never outlive it or the run.
class RunFlow {
public:
    // Where the light jump stands. Kept in this one value: the turn is under way, or the
    // departure is scheduled.
    enum class JumpPhase { None, Turning, Scheduled };

    struct Hooks {
        // A background save still being written is finished first (before a new sector).
        std::function<void()> waitForSave;
        // A new sector from the seed, with its summary and the day display refreshed.
        std::function<void(std::uint32_t seed)> newSector;
        // The session, then the player statistics.
        std::function<void()> saveRun;
        // The map's day clock back to its first day, without the jump's flash.
        std::function<void()> resetDayClock;
        std::function<void()> stopThrusters;
        // The seed of the next sector (the low 32 bits of the monotonic clock in the game).
        std::function<std::uint32_t()> seed;
    };

    // The turn toward the edge that is abandoned after this long, and the departure's delay.
    static constexpr int turnTimeoutMs = 5000;
    static constexpr int jumpDelayMs = 1500;

    RunFlow(MissionManager& missions, CharacterManager& crew, Sector& sector, PlayerStats& stats, Hooks hooks);
    RunFlow(const RunFlow&) = delete;
    RunFlow& operator=(const RunFlow&) = delete;

    // A new run on `difficulty` (8, 6, 4): the run lists, the ship and the dead as a new game
    // has them, and each chosen crew member's difficulty factor. (The chosen crew boards with
    // the intro.) The run is active from here.
    void startNewRun(std::int32_t difficulty);
    // A run is in progress (started, or loaded: markActive) until it ends or is left.
    bool active() const { return active_; }
    void markActive() { active_ = true; }
    // The run has ended (its last mission was left): nothing saves over it any more.
    void endRun() { active_ = false; }
    // The session may be saved: a run is active, no mission script runs and the run has not
    // ended. (A mission played from the title with the developer loader has no run to save.)
    bool saveAllowed() const;
    // True once when an active run has lost its whole crew: the run ends here and the
    // caller goes back to the title.
    bool crewLost();

    // The light jump's part of a map step: starts the turn when a jump was requested, and
    // schedules the departure once the ship has turned.
    void jumpStep();
    // The jump itself: statistics, the sector clock, the flags, a new sector and the saves.
    void performJump();
    // Leaving the run (to the title): the jump's delayed actions are dropped and its flags
    // cleared, so nothing of it happens afterwards, and the run is no longer active.
    void leaveRun();

    JumpPhase jumpPhase() const { return jumpPhase_; }
    bool jumpUnderWay() const { return jumpPhase_ != JumpPhase::None; }

    // The heading that leaves the sector from `position` (0 right, 90 down, ...).
    static float exitHeading(sf::Vector2f position);
    // Where a ship facing `rotation` turns to leave on `heading`: nothing when it already
    // faces within 60 degrees, else the nearer of heading - 75 and heading + 75.
    static std::optional<float> exitTurn(float rotation, float heading);
    // The starting food and fuel of a run on `difficulty`.
    static std::int32_t startingFood(std::int32_t difficulty);
    static std::int32_t startingFuel(std::int32_t difficulty);
    // The crew's difficulty factor (1, 0.5, 0.25).
    static float crewFactor(std::int32_t difficulty);

private:
    void turnTimedOut();

    MissionManager& missions_;
    CharacterManager& crew_;
    Sector& sector_;
    Ship& ship_;
    PlayerStats& stats_;
    Hooks hooks_;
    JumpPhase jumpPhase_ = JumpPhase::None;
    bool active_ = false;
    TimedActionGroup actions_;
};
