#pragma once

// The achievement catalogue and its progress counters. (The catalogue arrives with the
// achievements work; for now the game only needs the type to exist.)
class AchievementManager {
public:
    virtual ~AchievementManager() = default;
};
