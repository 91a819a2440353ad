#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// One mission file: the texts the map and deploy screens show (display items, in the
// order their one-character sort prefixes give), the hidden settings (crew sizes, roles,
// story position) and whether this run has finished it. A plain value: lists hold copies.
class Mission {
public:
    // Reads `fullPath`; `relativePath` (e.g. "missions/json/x.json") names the mission in
    // saves. False for a file that cannot be read or parsed, or is no JSON object: it holds
    // no mission, and the catalogue leaves it out. A value of the wrong type, or a "Story
    // Order" outside 0..10000, ends the reading there and keeps what was read. Everything
    // is logged with the file, and the game goes on.
    bool loadMissionFile(const std::string& fullPath, const std::string& relativePath);

    // The value under `key`, or the text "null" when there is none.
    std::string getItem(const std::string& key) const;
    // False for the food, fuel, random, out-of-gas and starvation events, which send no team.
    bool isDeployMission() const;
    // {"LoadedFilename", "IsCompleted"}, the mission's entry in the session save.
    Json::Value toJson() const;

    const std::vector<std::string>& getDisplayKeys() const { return displayKeys; }
    const std::unordered_map<std::string, std::string>& getItems() const { return items; }

    std::string loadedFilename;
    std::int32_t maxCrew = 0;
    std::int32_t minCrew = 0;
    std::int32_t storyOrder = 0;
    bool engineer = false;
    bool mandatory = false;
    bool medic = false;
    bool leader = false;
    bool isCompleted = false;
    bool noDeploy = false;

private:
    void readSettings(const Json::Value& settings, std::string& key);
    static std::int32_t readStoryOrder(const Json::Value& value);

    std::unordered_map<std::string, std::string> items;
    std::vector<std::string> displayKeys;
};
