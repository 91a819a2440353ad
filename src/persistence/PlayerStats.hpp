#pragma once

#include <json/json.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AchievementManager;

// The statistics that outlive every run: food, fuel, distance and jumps, and the
// unique-name lists of mementos collected, places visited, crew alive at an ending, crew
// killed, phenomena researched and achievements unlocked. Every change is reported to the
// achievement manager, which turns the numbers into progress. Stored in "playerSave.json".
class PlayerStats {
public:
    // The command-line switches that reset or complete the achievements at start-up.
    enum class AchievementSwitch { None, Clear, Unlock };
    static AchievementSwitch switchFromArguments();

    PlayerStats();
    PlayerStats(const PlayerStats&) = delete;
    PlayerStats& operator=(const PlayerStats&) = delete;

    // Where reports go (nullptr: nowhere). The manager also takes over the unlocked list.
    void setAchievementManager(AchievementManager* achievements);

    // Adders append a name only once and then report the new state.
    void addMemento(const std::string& name);
    // The name "null" (a mission without a "Name") is never recorded.
    void addPlanet(const std::string& name);
    void addAliveEndingMember(const std::string& name);
    void addKilledCrew(const std::string& name);
    void addResearch(const std::string& name);
    // Counters grown by their owners; food, distance and jumps are reported.
    void addFoodUsed(std::int32_t amount);
    void addFuelUsed(std::int32_t amount);
    void addDistanceTravelled(float distance);
    void addJump();

    void reportAll();
    // Logs "Saving player data", builds the save object and reports everything.
    Json::Value serialize();
    // Reads a save object according to the switch. A member of the wrong type ends the
    // reading there (what was read stays) and gives false; the log names the key.
    bool deserialize(const Json::Value& root, AchievementSwitch achievementSwitch);
    bool deserialize(const Json::Value& root) { return deserialize(root, switchFromArguments()); }

    // The save file: compact JSON on one line, written atomically. Refused (false) for a
    // file that existed but could not be read.
    bool saveFile(const std::string& path);
    // A missing file leaves the statistics as they are. A file that exists but cannot be
    // opened or read (permissions, a folder in its place) is left alone and never saved over
    // in this run. A file that cannot be parsed is kept beside the save as path +
    // ".corrupt-" + seconds, so the save that follows cannot destroy the player's history.
    void loadFile(const std::string& path, AchievementSwitch achievementSwitch);
    // The first step of start-up: clears or unlocks every achievement as the switch asks.
    // (Start-up then loads the file, lets the manager show the unlocked achievements again
    // and writes the file back.)
    void applyAchievementSwitch(AchievementSwitch achievementSwitch);

    std::int32_t getTotalFoodUsed() const { return totalFoodUsed_; }
    std::int32_t getTotalFuelUsed() const { return totalFuelUsed_; }
    std::int32_t getTotalJumpsMade() const { return totalJumpsMade_; }
    float getTotalDistanceTravelled() const { return totalDistanceTravelled_; }
    const std::vector<std::string>& getCollectedMementos() const { return collectedMementos_; }
    const std::vector<std::string>& getVisitedPlanets() const { return visitedPlanets_; }
    const std::vector<std::string>& getAliveEndingMembers() const { return aliveEndingMembers_; }
    const std::vector<std::string>& getKilledCrew() const { return killedCrew_; }
    const std::vector<std::string>& getResearch() const { return research_; }
    const std::vector<std::string>& getUnlockedAchievements() const { return *unlockedAchievements_; }

private:
    void readAsPlayed(const Json::Value& root);
    void raiseToUnlocked();

    AchievementManager* achievements_ = nullptr;
    // A save that exists but could not be read: not to be written over.
    std::string keptAsItIs_;
    std::int32_t totalFoodUsed_ = 0;
    std::int32_t totalFuelUsed_ = 0;
    std::int32_t totalJumpsMade_ = 0;
    float totalDistanceTravelled_ = 0.0f;
    std::vector<std::string> collectedMementos_;
    std::vector<std::string> visitedPlanets_;
    std::vector<std::string> aliveEndingMembers_;
    std::vector<std::string> killedCrew_;
    std::vector<std::string> research_;
    // Shared with the achievement manager, which unlocks and clears in it.
    std::shared_ptr<std::vector<std::string>> unlockedAchievements_;
};
