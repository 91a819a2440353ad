#pragma once

#include "audio/AudioBackend.hpp"
#include "core/TimeSource.hpp"

// Sound for a machine on which no sound device opens: no SFML sound objects at all (their
// streaming threads would spin reporting OpenAL errors), only silent tracks and effects that
// keep time, so every decision of the AudioManager still runs.
class SilentAudioBackend : public AudioBackend {
public:
    explicit SilentAudioBackend(const TimeSource& time = systemTime());

    std::unique_ptr<MusicTrack> openMusic(const std::string& path) override;
    std::unique_ptr<SoundEffect> loadEffect(const std::string& path) override;

private:
    const TimeSource* time_;
};
