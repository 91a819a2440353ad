#pragma once

#include "achievements/AchievementManager.hpp"

// The achievement manager of a game without a store platform: achievements live only in
// the player's own save.
class VoidAchievementManager : public AchievementManager {
};
