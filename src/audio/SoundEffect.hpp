#pragma once

#include "audio/SoundVoice.hpp"

#include <SFML/System/Time.hpp>

#include <memory>

// A sound effect loaded once at start-up: its length, and a way to start one more instance.
class SoundEffect {
public:
    virtual ~SoundEffect() = default;
    virtual sf::Time duration() const = 0;
    virtual std::unique_ptr<SoundVoice> play(float volume) const = 0;
};
