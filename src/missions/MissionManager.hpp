#pragma once

#include "missions/BaseMissionManager.hpp"
#include "missions/Mission.hpp"

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

class AchievementManager;

// Every mission of the game, read once at start-up and sorted into story, side, event and
// random missions plus the named events ("starvation.json", "outofgas.json"). Each kind
// has a pristine catalogue and the list the current run plays, changes, saves and
// restores. Also the run's difficulty and the mission random generator; the mission
// runtime shared by the script and the mission screen lives here too.
class MissionManager : public BaseMissionManager {
public:
    static constexpr std::int32_t easy = 8;
    static constexpr std::int32_t medium = 6;
    static constexpr std::int32_t hard = 4;

    // Reads the mission folders under `assetsRoot` (a folder path ending in "/").
    explicit MissionManager(AchievementManager* achievements, const std::string& assetsRoot);
    explicit MissionManager(AchievementManager* achievements);

    // A new run: whole copies of the catalogues, no quest items, the chosen difficulty.
    void resetRunLists(std::int32_t newDifficulty);
    // The named event under its file name, or nullptr (also when its file could not be read).
    Mission* namedEvent(const std::string& fileName);

    std::string getDifficulty() override;
    std::int32_t getDiffScale(std::int32_t easyValue, std::int32_t mediumValue, std::int32_t hardValue) override;
    // One past the highest story position completed in this run; 1 when none is.
    std::int32_t nextStoryOrder() override;
    // The index in randomMissions of an uncompleted random mission, or -1 when none is left.
    std::int32_t pickRandomMission() override;
    // Seeds from the monotonic clock; seedRandom gives a fixed seed (tests, replays).
    void reseedRandom() override;
    void seedRandom(std::uint32_t seed) { missionRandom.seed(seed); }
    std::int32_t random() override;

    const std::vector<Mission>& getStoryCatalogue() const { return storyCatalogue; }
    const std::vector<Mission>& getSideCatalogue() const { return sideCatalogue; }
    const std::vector<Mission>& getEventCatalogue() const { return eventCatalogue; }
    const std::vector<Mission>& getRandomCatalogue() const { return randomCatalogue; }

    // The current run's lists.
    std::vector<Mission> storyMissions;
    std::vector<Mission> sideMissions;
    std::vector<Mission> eventMissions;
    std::vector<Mission> randomMissions;
    std::unordered_map<std::string, Mission> namedEvents;

    std::vector<std::string> questItems;
    std::int32_t difficulty = medium;
    // A mission script is running; saves of the player statistics wait for it to end.
    std::atomic<bool> running { false };
    std::atomic<bool> gameOver { false };

private:
    void buildCatalogue(const std::string& assetsRoot);

    std::vector<Mission> storyCatalogue;
    std::vector<Mission> sideCatalogue;
    std::vector<Mission> eventCatalogue;
    std::vector<Mission> randomCatalogue;
    // Left at its default seed, so the event order is the same in every launch.
    std::mt19937_64 shuffleEngine;
    std::mt19937 missionRandom;
    AchievementManager* achievements;
};
