#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// One choice of a set: its label as the player reads it ("2. Run"), and whether it is shown
// without being pickable.
struct MissionChoice {
    std::string label;
    bool locked = false;
};

// A set of choices the script offers the player. Made on the script thread; only `response`
// changes after it is posted: the main thread writes the pick once, the script reads it
// (atomic, so neither side takes a lock for it).
struct MissionChoiceSet {
    std::int64_t sequence = 0;
    // Index of the last message queued before the set (-1: none); the screen shows the set in
    // the frame that reveals that message, never above text still to come.
    std::int32_t anchor = -1;
    std::vector<MissionChoice> choices;
    // Index of the picked choice, -1 until the player picks.
    std::atomic<std::int32_t> response { -1 };
};
