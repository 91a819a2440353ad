#include "audio/SilentEffect.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

namespace {

class SilentVoice : public SoundVoice {
public:
    SilentVoice(sf::Time ends, const TimeSource& time)
        : ends_(ends)
        , time_(&time)
    {
    }
    bool isPlaying() const override { return time_->now() < ends_; }
    void setVolume(float) override {}

private:
    sf::Time ends_;
    const TimeSource* time_;
};

} // namespace

SilentEffect::SilentEffect(sf::Time duration, const TimeSource& time)
    : duration_(duration)
    , time_(&time)
{
}

std::unique_ptr<SilentEffect> SilentEffect::load(const std::string& path, const TimeSource& time)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return nullptr;
    return std::make_unique<SilentEffect>(file.getDuration(), time);
}

std::unique_ptr<SoundVoice> SilentEffect::play(float) const
{
    return std::make_unique<SilentVoice>(time_->now() + duration_, *time_);
}
