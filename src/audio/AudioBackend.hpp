#pragma once

#include "audio/MusicTrack.hpp"
#include "audio/SoundVoice.hpp"

#include <SFML/Audio/SoundBuffer.hpp>

#include <memory>
#include <string>

// Where the AudioManager's sounds come from: SFML for the game (SfmlAudioBackend), fakes in
// tests. Without a sound device SFML still hands out working objects that stay silent.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // A track opened on `path`; never null. One that failed to open reports !isOpen().
    virtual std::unique_ptr<MusicTrack> openMusic(const std::string& path) = 0;
    // Loads an effect file into `buffer`; false (with the buffer left empty) on failure.
    virtual bool loadEffect(const std::string& path, sf::SoundBuffer& buffer) = 0;
    // Starts one instance of `buffer` at `volume`.
    virtual std::unique_ptr<SoundVoice> playEffect(const sf::SoundBuffer& buffer, float volume) = 0;
};
