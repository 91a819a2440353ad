#pragma once

#include "audio/SoundEffect.hpp"

#include <SFML/Audio/SoundBuffer.hpp>

#include <string>

// A sound effect decoded into an SFML sound buffer; each play is an sf::Sound over it.
class SfmlSoundEffect : public SoundEffect {
public:
    bool load(const std::string& path);

    sf::Time duration() const override;
    std::unique_ptr<SoundVoice> play(float volume) const override;

private:
    sf::SoundBuffer buffer_;
};
