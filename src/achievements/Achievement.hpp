#pragma once

#include <cstdint>
#include <string>

// One entry of the achievement catalogue: what it asks for, how far the player has come
// and whether it shows as unlocked. The manager keeps these up to date; the achievements
// screen only reads them to draw the entry.
class Achievement {
public:
    Achievement(std::string id, std::string description, std::string flavour, std::string statName,
                std::int32_t threshold);

    const std::string& getId() const { return id_; }
    const std::string& getDescription() const { return description_; }
    const std::string& getFlavour() const { return flavour_; }
    // Empty for achievements that are only unlocked, never counted.
    const std::string& getStatName() const { return statName_; }
    std::int32_t getThreshold() const { return threshold_; }
    std::int32_t getProgress() const { return progress_; }
    bool isUnlocked() const { return unlocked_; }

    // Progress is capped at the threshold. A counted achievement (threshold above 0) shows
    // unlocked exactly while its progress has reached the threshold, so a lower count locks
    // it again; an unlock-only achievement keeps its look.
    void setProgress(float value);
    void showUnlocked() { unlocked_ = true; }
    void showLocked() { unlocked_ = false; }

private:
    std::string id_;
    std::string description_;
    std::string flavour_;
    std::string statName_;
    std::int32_t threshold_;
    std::int32_t progress_ = 0;
    bool unlocked_ = false;
};
