#include "audio/SfmlSoundVoice.hpp"

SfmlSoundVoice::SfmlSoundVoice(const sf::SoundBuffer& buffer, float volume)
    : sound_(buffer)
{
    sound_.setVolume(volume);
    sound_.play();
}

bool SfmlSoundVoice::isPlaying() const
{
    return sound_.getStatus() == sf::SoundSource::Playing;
}

void SfmlSoundVoice::setVolume(float volume)
{
    sound_.setVolume(volume);
}
