#pragma once

#include "audio/MusicTrack.hpp"

#include <SFML/Audio/Music.hpp>

// A music stream from a file that carries its own fade state: every playlist track, and the
// thruster, jump and ambience loops.
class ZelMusic : public sf::Music, public MusicTrack {
public:
    // Opens `path`; a file that cannot be opened leaves a silent track that never plays.
    bool open(const std::string& path);

    bool isOpen() const override { return open_; }
    void play() override;
    void pause() override;
    void stop() override;
    bool isPlaying() const override;
    float getVolume() const override;
    void setVolume(float volume) override;
    void setLooping(bool loop) override;
    float durationSeconds() const override;
    float offsetSeconds() const override;
    void setOffsetSeconds(float seconds) override;

private:
    bool open_ = false;
};
