#pragma once

#include <json/value.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class Mission;

// Plays every path of one mission: the script is run from scratch (a HeadlessMission) for
// every prefix of answers, depth first, once per fixture of a small matrix (difficulties,
// teams with and without each role and of one member, no food, no fuel, the quest items the
// script tests for, and random numbers that send chance branches each way). Every run has a
// step budget, so an endless loop ends as a finding instead of hanging the explorer.
//
// Each finished path is checked: the mission ends (or the run does), no Lua error, no bad
// crew number, 1 to 10 choices with one that can be picked, "outofgas" leaves fuel, a crew
// with nobody left aboard ends the run, a victory names its end screen, checks who lives and
// unlocks its achievement. What any path reached (mementos, research, achievements, endings)
// is gathered for the totals.
class MissionExplorer {
public:
    using Clock = std::chrono::steady_clock;

    struct Fixture {
        std::string name;
        std::int32_t difficulty = 6;
        std::optional<std::int32_t> crewAboard;
        std::optional<std::int32_t> teamSize;
        bool withoutLeader = false;
        bool withoutMedic = false;
        bool withoutEngineer = false;
        std::optional<std::int32_t> food;
        std::optional<std::int32_t> fuel;
        std::optional<std::int32_t> health;
        std::vector<std::string> questItems;
        std::vector<std::uint32_t> randomNumbers;
    };

    struct Settings {
        std::string assets;                      // ending in "/"
        std::uint64_t stepBudget = 5'000'000;    // Lua instructions per run
        double maxSecondsPerRun = 5.0;
        std::size_t maxRunsPerFixture = 1500;    // a tree larger than this is cut (a finding)
        std::size_t maxPicks = 60;               // a path longer than this is cut (a finding)
        std::optional<Clock::time_point> deadline;
        // Where to look for log lines of bad crew numbers ("" to skip).
        std::string logFile;
    };

    struct Finding {
        std::string message;
        std::string fixture;
        std::string path; // the answers, "1,3,2"
        std::size_t times = 1;
    };

    struct Result {
        std::string file;
        std::string name;
        std::string type;
        std::int32_t storyOrder = 0;
        std::string image; // its "Image file"
        std::size_t runs = 0;
        std::size_t paths = 0;
        std::size_t longestPath = 0;
        std::size_t fixtures = 0;
        bool complete = true; // false when the deadline cut it short
        bool completed = false; // some path completed the mission (its place counts)
        bool endsRun = false;   // some path ends the run
        std::set<std::string> endings;
        std::set<std::string> mementos;
        std::set<std::string> research;
        std::set<std::string> achievements;
        std::vector<Finding> findings;

        Json::Value toJson() const;
        static Result fromJson(const Json::Value& value);
    };

    explicit MissionExplorer(Settings settings);

    // The fixture matrix for one mission; `testedItems` are the quest items its script asks for.
    static std::vector<Fixture> fixturesFor(const Mission& mission, const std::vector<std::string>& testedItems);

    // The story without Lua, over explored missions: the map offers order 1, then one past the
    // highest completed, and places a story mission only with a planet picture (`planets`).
    // The last order reached holds the finals (into `finals`), each of which must end the run
    // on some path. Returns the findings.
    static std::vector<std::string> walkStory(const std::vector<Result>& results, const std::set<std::string>& planets,
                                              std::vector<std::string>& finals);

    // `missionFile` is a full path; the result names it by `relativeName`. With `onlyFixture`,
    // only that fixture of the matrix (none when the matrix is smaller).
    Result explore(const std::string& missionFile, const std::string& relativeName,
                   std::optional<std::size_t> onlyFixture = std::nullopt);
    // The most fixtures fixturesFor gives any mission.
    static constexpr std::size_t maxFixtures = 19;
    // One mission's results explored in parts (fixtures), as one.
    static Result merge(const std::vector<Result>& parts);

private:
    struct Run;
    void explorePath(const std::string& missionFile, const Fixture& fixture, const Mission& mission, Result& result);
    void check(const Run& run, const Fixture& fixture, const Mission& mission, Result& result);
    void addFinding(Result& result, const std::string& message, const Fixture& fixture, const std::vector<std::int32_t>& path);
    std::string newLogLines();

    Settings settings_;
    std::uint64_t logOffset_ = 0;
};
