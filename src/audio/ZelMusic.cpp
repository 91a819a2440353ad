#include "audio/ZelMusic.hpp"

bool ZelMusic::open(const std::string& path)
{
    name = path;
    open_ = openFromFile(path);
    return open_;
}

void ZelMusic::play()
{
    if (open_) // an unopened stream would only complain on every call
        sf::Music::play();
}

void ZelMusic::pause()
{
    if (open_)
        sf::Music::pause();
}

void ZelMusic::stop()
{
    if (open_)
        sf::Music::stop();
}

bool ZelMusic::isPlaying() const
{
    return open_ && getStatus() == sf::SoundSource::Playing;
}

float ZelMusic::getVolume() const
{
    return sf::Music::getVolume();
}

void ZelMusic::setVolume(float volume)
{
    sf::Music::setVolume(volume);
}

void ZelMusic::setLooping(bool loop)
{
    setLoop(loop);
}

float ZelMusic::durationSeconds() const
{
    return getDuration().asSeconds();
}

float ZelMusic::offsetSeconds() const
{
    return getPlayingOffset().asSeconds();
}

void ZelMusic::setOffsetSeconds(float seconds)
{
    if (open_)
        setPlayingOffset(sf::seconds(seconds));
}
