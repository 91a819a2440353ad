#include "audio/SfmlAudioBackend.hpp"

#include "audio/SfmlSoundEffect.hpp"
#include "audio/ZelMusic.hpp"

std::unique_ptr<MusicTrack> SfmlAudioBackend::openMusic(const std::string& path)
{
    auto music = std::make_unique<ZelMusic>();
    music->open(path);
    return music;
}

std::unique_ptr<SoundEffect> SfmlAudioBackend::loadEffect(const std::string& path)
{
    auto effect = std::make_unique<SfmlSoundEffect>();
    if (!effect->load(path))
        return nullptr;
    return effect;
}
