#pragma once

#include <cstdint>
#include <string>

// The operations of the mission manager that mission scripts reach through the Lua
// bindings. The mission runtime extends this list (messages, choices, quest items,
// mission endings and the saved mission state).
class BaseMissionManager {
public:
    virtual ~BaseMissionManager() = default;

    // "Easy", "Medium" or "Hard".
    virtual std::string getDifficulty() = 0;
    // The argument that matches the run's difficulty.
    virtual std::int32_t getDiffScale(std::int32_t easy, std::int32_t medium, std::int32_t hard) = 0;
    virtual std::int32_t pickRandomMission() = 0;
    virtual std::int32_t nextStoryOrder() = 0;
    virtual void reseedRandom() = 0;
    virtual std::int32_t random() = 0;
};
