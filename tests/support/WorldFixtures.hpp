#pragma once

#include "missions/Mission.hpp"
#include "missions/MissionManager.hpp"
#include "world/SectorLayout.hpp"

#include <string>
#include <vector>

// Run lists for the sector tests, the demo and the benchmark, read from
// tests/fixtures/world/missions in a fixed order (a folder listing's order differs between
// file systems, and the generator's draws depend on it).
inline Mission fixtureMission(const std::string& file)
{
    Mission mission;
    mission.loadMissionFile(std::string(QV_SOURCE_DIR) + "/tests/fixtures/world/missions/" + file,
                            "missions/json/" + file);
    return mission;
}

struct FixtureRunLists {
    std::vector<Mission> story;
    std::vector<Mission> side;
    std::vector<Mission> sideCatalogue;
    std::vector<Mission> events;
    std::int32_t nextStoryOrder = 1;

    // Two story missions (orders 1 and 2), three side missions, a food and a fuel event.
    static FixtureRunLists full()
    {
        FixtureRunLists lists;
        lists.story = {fixtureMission("story_one.json"), fixtureMission("story_two.json")};
        lists.side = {fixtureMission("side_relay.json"), fixtureMission("side_salt.json"),
                      fixtureMission("side_wreck.json")};
        lists.sideCatalogue = lists.side;
        lists.events = {fixtureMission("event_food.json"), fixtureMission("event_fuel.json")};
        return lists;
    }

    SectorMissionLists view() { return {story, side, sideCatalogue, events, nextStoryOrder}; }

    // Makes these the run's story, side and event lists.
    void copyInto(MissionManager& missions) const
    {
        missions.storyMissions = story;
        missions.sideMissions = side;
        missions.eventMissions = events;
    }
};
