#include "audio/SfmlSoundEffect.hpp"

#include "audio/SfmlSoundVoice.hpp"

bool SfmlSoundEffect::load(const std::string& path)
{
    return buffer_.loadFromFile(path);
}

sf::Time SfmlSoundEffect::duration() const
{
    return buffer_.getDuration();
}

std::unique_ptr<SoundVoice> SfmlSoundEffect::play(float volume) const
{
    return std::make_unique<SfmlSoundVoice>(buffer_, volume);
}
