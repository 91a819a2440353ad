#include "achievements/VoidAchievementManager.hpp"

#include <algorithm>

bool VoidAchievementManager::setStat(const std::string&, float)
{
    return true;
}

bool VoidAchievementManager::storeHasAchievement(const std::string&)
{
    return false;
}

void VoidAchievementManager::refreshUnlocked()
{
    // Only ever unlocks: an entry missing from the list keeps the look its progress gave it.
    const auto& ids = unlockedList();
    for (Achievement& entry : catalogue()) {
        if (std::find(ids.begin(), ids.end(), entry.getId()) != ids.end())
            entry.showUnlocked();
    }
}

bool VoidAchievementManager::storeIsAvailable(const std::string&)
{
    return false;
}

std::int64_t VoidAchievementManager::storeStatValue(const std::string&)
{
    return 0;
}
