#pragma once

#include "achievements/Achievement.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The achievement catalogue and its progress counters. The game feeds it running totals
// (jumps, distance, places, food, mementos) and whole lists (research, crew saved and
// killed); it turns them into progress on the catalogue entries and unlocks or clears
// achievements. The list of unlocked ids is the player's own record and lives in the
// player statistics, which hand it over with useUnlockedList; until then the manager keeps
// a list of its own. Store platforms derive from this class and fill in the store hooks.
class AchievementManager {
public:
    // Counted achievements and the lists that feed them.
    static constexpr std::int32_t mementoTotal = 51;
    static const std::vector<std::string>& researchIds();
    static const std::vector<std::string>& characterNames();

    AchievementManager();
    virtual ~AchievementManager() = default;
    AchievementManager(const AchievementManager&) = delete;
    AchievementManager& operator=(const AchievementManager&) = delete;

    // Fills the catalogue (again from scratch when called twice).
    virtual void buildCatalogue();

    virtual void setJumpCount(int count);
    virtual void setDistanceTravelled(float distance);
    virtual void setPlanetCount(int count);
    virtual void setFoodCount(int count);
    virtual void setMementoCount(int count);
    // Lists count every entry that names a known item, so a repeated item counts again.
    virtual void setResearched(const std::vector<std::string>& research);
    virtual void setCrewSaved(const std::vector<std::string>& names);
    virtual void setCrewKilled(const std::vector<std::string>& names);

    // Removes `id` from the unlocked list and shows its entry locked.
    virtual bool clearAchievement(const std::string& id);
    // Store hooks: the value of a named counter, and queries no part of the game asks.
    virtual bool setStat(const std::string& name, float value) = 0;
    virtual bool storeHasAchievement(const std::string& id) = 0;
    // The threshold of the catalogue entry with that id, or -1 for an unknown id.
    virtual std::int32_t getThreshold(const std::string& id) const;
    // Shows unlocked every entry whose id is in the unlocked list.
    virtual void refreshUnlocked() = 0;
    virtual bool storeIsAvailable(const std::string& name) = 0;
    virtual std::int64_t storeStatValue(const std::string& name) = 0;
    // Records `id` as unlocked (once: an id already in the list is not added again) and
    // shows its entry unlocked.
    virtual bool unlockAchievement(const std::string& id);
    virtual bool unlockAll();
    virtual bool clearAll();

    const std::vector<Achievement>& getCatalogue() const { return catalogue_; }
    // The record of unlocked ids the manager reads and changes from now on.
    void useUnlockedList(std::shared_ptr<std::vector<std::string>> list);
    const std::vector<std::string>& unlockedList() const { return *unlocked_; }

protected:
    // Stat first, then the progress of every entry with one of the ids.
    void reportCounter(const std::string& statName, float value, std::initializer_list<const char*> ids);
    Achievement* find(const std::string& id);
    std::vector<std::string>& unlocked() { return *unlocked_; }
    std::vector<Achievement>& catalogue() { return catalogue_; }

private:
    std::vector<Achievement> catalogue_;
    std::shared_ptr<std::vector<std::string>> unlocked_;
};
