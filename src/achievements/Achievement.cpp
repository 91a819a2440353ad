#include "achievements/Achievement.hpp"

#include <cmath>
#include <limits>

Achievement::Achievement(std::string id, std::string description, std::string flavour, std::string statName,
                         std::int32_t threshold)
    : id_(std::move(id))
    , description_(std::move(description))
    , flavour_(std::move(flavour))
    , statName_(std::move(statName))
    , threshold_(threshold)
{
}

void Achievement::setProgress(float value)
{
    if (value > static_cast<float>(threshold_)) {
        progress_ = threshold_;
    } else if (std::isnan(value) || value <= static_cast<float>(std::numeric_limits<std::int32_t>::min())) {
        // Counters are never meant to go below zero; a broken one must not overflow the cast.
        progress_ = std::isnan(value) ? 0 : std::numeric_limits<std::int32_t>::min();
    } else {
        progress_ = static_cast<std::int32_t>(value);
    }
    if (threshold_ > 0)
        unlocked_ = progress_ >= threshold_;
}
