#pragma once

#include "achievements/AchievementManager.hpp"

// The achievement manager of a game without a store platform: achievements live only in
// the player's own save. Unlocking and clearing single achievements keep the base
// behaviour, so missions can unlock them; the store hooks do nothing.
class VoidAchievementManager : public AchievementManager {
public:
    bool setStat(const std::string& name, float value) override;
    bool storeHasAchievement(const std::string& id) override;
    void refreshUnlocked() override;
    bool storeIsAvailable(const std::string& name) override;
    std::int64_t storeStatValue(const std::string& name) override;
};
