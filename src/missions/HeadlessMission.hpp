#pragma once

#include <json/value.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Plays one mission without a window: its script runs as in the game, against a crew and a
// ship made for the run, while this class stands in for the mission screen: it shows every
// message at once, offers each choice set when the game would, and answers from a list
// given in advance. What happens is reported as transcript records (JSON objects), one per
// event, in the order it happened. The base of the mission runner `quorvane-mission` and of
// the tools that check missions.
class HeadlessMission {
public:
    struct Options {
        // The mission file; its "Lua file" is found under `assets`, or else under the assets
        // tree the mission file lies in.
        std::string missionFile;
        // The assets folder (ending in "/"): the library script, characters and mementos.
        std::string assets;
        // Picks in order, 1-based as the player sees them.
        std::vector<std::int32_t> answers;
        std::int32_t difficulty = 6;
        // Fixes the mission and crew random numbers; the clock otherwise.
        std::optional<std::uint32_t> seed;
        std::vector<std::string> questItems;
        std::optional<std::int32_t> food;
        std::optional<std::int32_t> fuel;
        // The team by character name, in slot order; empty: the first aboard, as many as the
        // mission takes. Names not aboard make the run a bad set-up.
        std::vector<std::string> team;
        // Team positions of the leader, medic and engineer (-1: none); unset: the first members
        // in that order for the roles the mission uses.
        std::optional<std::array<std::int32_t, 3>> roles;
        double maxSeconds = 10.0;

        // For the mission explorer:
        // the run ends (Waiting) as soon as a choice set is offered that the answers do not
        // cover, instead of waiting to see whether the script goes quiet;
        bool stopAtUnansweredSet = false;
        // msnMgr:random() gives these in turn (empty: the seeded generator);
        std::vector<std::uint32_t> randomNumbers;
        // Lua instructions the script may run (0: no limit);
        std::uint64_t stepBudget = 0;
        // the team's size (default: "Max Crew") and roles left empty;
        std::optional<std::int32_t> teamSize;
        bool withoutLeader = false;
        bool withoutMedic = false;
        bool withoutEngineer = false;
        // how many crew members are aboard (default: everyone who is not secret).
        std::optional<std::int32_t> crewAboard;
        // the hull's health at the start (default: a new run's).
        std::optional<std::int32_t> health;
    };

    // How a run ended; the values are the runner's exit statuses.
    enum class Outcome {
        Ended = 0,       // the mission ended (or the run with it)
        BadSetUp = 1,    // the mission file could not be read
        ScriptError = 2, // the script raised an error
        Waiting = 3,     // the script waits for a pick the answer list does not have
        TimedOut = 4,    // neither ended nor waited within the time (or the script returned
                         // without ending its mission)
    };

    explicit HeadlessMission(Options options);

    // Plays the mission; every transcript record goes to `emit`.
    Outcome run(const std::function<void(const Json::Value&)>& emit);

    // "Easy", "Medium", "Hard" -> 8, 6, 4; anything else nullopt.
    static std::optional<std::int32_t> difficultyNamed(const std::string& name);

private:
    Options options_;
};
