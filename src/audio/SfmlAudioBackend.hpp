#pragma once

#include "audio/AudioBackend.hpp"

// The game's sound through SFML's audio module: ZelMusic streams and sf::Sound effects.
class SfmlAudioBackend : public AudioBackend {
public:
    std::unique_ptr<MusicTrack> openMusic(const std::string& path) override;
    bool loadEffect(const std::string& path, sf::SoundBuffer& buffer) override;
    std::unique_ptr<SoundVoice> playEffect(const sf::SoundBuffer& buffer, float volume) override;
};
