#include "audio/SilentTrack.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

SilentTrack::SilentTrack(const std::string& path, const TimeSource& time)
    : time_(&time)
{
    name = path;
    sf::InputSoundFile file; // reads the header only; no sound device is involved
    open_ = file.openFromFile(path);
    if (open_)
        duration_ = file.getDuration();
}

sf::Time SilentTrack::unboundedOffset() const
{
    return playing_ ? startOffset_ + (time_->now() - startedAt_) : startOffset_;
}

void SilentTrack::play()
{
    if (!open_)
        return;
    // Like a stream: playing again (also after the end) starts from the beginning, a paused
    // track goes on where it stopped.
    if (playing_)
        startOffset_ = sf::Time::Zero;
    playing_ = true;
    startedAt_ = time_->now();
}

void SilentTrack::pause()
{
    if (!playing_)
        return;
    startOffset_ = sf::seconds(offsetSeconds());
    playing_ = false;
}

void SilentTrack::stop()
{
    playing_ = false;
    startOffset_ = sf::Time::Zero;
}

bool SilentTrack::isPlaying() const
{
    return open_ && playing_ && (looping_ || unboundedOffset() < duration_);
}

void SilentTrack::setLooping(bool loop)
{
    if (loop != looping_) {
        startOffset_ = sf::seconds(offsetSeconds());
        startedAt_ = time_->now();
    }
    looping_ = loop;
}

float SilentTrack::offsetSeconds() const
{
    const sf::Time offset = unboundedOffset();
    if (duration_ <= sf::Time::Zero)
        return 0.f;
    if (looping_)
        return sf::microseconds(offset.asMicroseconds() % duration_.asMicroseconds()).asSeconds();
    return offset < duration_ ? offset.asSeconds() : 0.f; // an ended stream is back at its start
}

void SilentTrack::setOffsetSeconds(float seconds)
{
    if (!open_)
        return;
    startOffset_ = sf::seconds(seconds);
    startedAt_ = time_->now();
}
