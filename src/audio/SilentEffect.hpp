#pragma once

#include "audio/SoundEffect.hpp"
#include "core/TimeSource.hpp"

#include <string>

// A sound effect for a machine without a sound device: its length from the file's header,
// and instances that count as playing for that long without making a sound.
class SilentEffect : public SoundEffect {
public:
    SilentEffect(sf::Time duration, const TimeSource& time = systemTime());
    // nullptr when the file's header cannot be read.
    static std::unique_ptr<SilentEffect> load(const std::string& path, const TimeSource& time = systemTime());

    sf::Time duration() const override { return duration_; }
    std::unique_ptr<SoundVoice> play(float volume) const override;

private:
    sf::Time duration_;
    const TimeSource* time_;
};
