#pragma once

#include "audio/SoundVoice.hpp"

#include <SFML/Audio/Sound.hpp>

// A sound effect instance played by SFML.
class SfmlSoundVoice : public SoundVoice {
public:
    SfmlSoundVoice(const sf::SoundBuffer& buffer, float volume);

    bool isPlaying() const override;
    void setVolume(float volume) override;

private:
    sf::Sound sound_;
};
