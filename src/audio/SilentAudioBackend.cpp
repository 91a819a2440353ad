#include "audio/SilentAudioBackend.hpp"

#include "audio/SilentEffect.hpp"
#include "audio/SilentTrack.hpp"

SilentAudioBackend::SilentAudioBackend(const TimeSource& time)
    : time_(&time)
{
}

std::unique_ptr<MusicTrack> SilentAudioBackend::openMusic(const std::string& path)
{
    return std::make_unique<SilentTrack>(path, *time_);
}

std::unique_ptr<SoundEffect> SilentAudioBackend::loadEffect(const std::string& path)
{
    return SilentEffect::load(path, *time_);
}
