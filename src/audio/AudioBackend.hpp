#pragma once

#include "audio/MusicTrack.hpp"
#include "audio/SoundEffect.hpp"

#include <memory>
#include <string>

// Where the AudioManager's sounds come from: SFML when a sound device opens
// (SfmlAudioBackend), a silent stand-in that keeps time when none does (SilentAudioBackend),
// fakes in tests.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // A track opened on `path`; never null. One that failed to open reports !isOpen().
    virtual std::unique_ptr<MusicTrack> openMusic(const std::string& path) = 0;
    // The effect in `path`, or nullptr when it cannot be loaded.
    virtual std::unique_ptr<SoundEffect> loadEffect(const std::string& path) = 0;
};
