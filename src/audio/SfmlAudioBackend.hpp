#pragma once

#include "audio/AudioBackend.hpp"

// The game's sound through SFML's audio module: ZelMusic streams and sf::Sound effects.
class SfmlAudioBackend : public AudioBackend {
public:
    std::unique_ptr<MusicTrack> openMusic(const std::string& path) override;
    std::unique_ptr<SoundEffect> loadEffect(const std::string& path) override;
};
