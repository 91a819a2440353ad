#include "audio/SfmlAudioBackend.hpp"

#include "audio/SfmlSoundVoice.hpp"
#include "audio/ZelMusic.hpp"

std::unique_ptr<MusicTrack> SfmlAudioBackend::openMusic(const std::string& path)
{
    auto music = std::make_unique<ZelMusic>();
    music->open(path);
    return music;
}

bool SfmlAudioBackend::loadEffect(const std::string& path, sf::SoundBuffer& buffer)
{
    return buffer.loadFromFile(path);
}

std::unique_ptr<SoundVoice> SfmlAudioBackend::playEffect(const sf::SoundBuffer& buffer, float volume)
{
    return std::make_unique<SfmlSoundVoice>(buffer, volume);
}
