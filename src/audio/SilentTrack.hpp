#pragma once

#include "audio/MusicTrack.hpp"
#include "core/TimeSource.hpp"

#include <SFML/System/Time.hpp>

#include <string>

// A music track for a machine without a sound device. It plays nothing and starts no
// thread, but keeps time like a stream of the file's length (read from the file's header):
// it plays, pauses, loops and ends when the real one would, so the playlist, its fades
// and cross-fades go on as they do with sound.
class SilentTrack : public MusicTrack {
public:
    explicit SilentTrack(const std::string& path, const TimeSource& time = systemTime());

    bool isOpen() const override { return open_; }
    void play() override;
    void pause() override;
    void stop() override;
    bool isPlaying() const override;
    float getVolume() const override { return volume_; }
    void setVolume(float volume) override { volume_ = volume; }
    void setLooping(bool loop) override;
    float durationSeconds() const override { return duration_.asSeconds(); }
    float offsetSeconds() const override;
    void setOffsetSeconds(float seconds) override;

private:
    // Where the stream would be now, before looping or ending is taken into account.
    sf::Time unboundedOffset() const;

    const TimeSource* time_;
    bool open_ = false;
    bool playing_ = false;
    bool looping_ = false;
    float volume_ = 100.f;
    sf::Time duration_;
    // The offset when the track last started or was moved, and when that was.
    sf::Time startOffset_;
    sf::Time startedAt_;
};
