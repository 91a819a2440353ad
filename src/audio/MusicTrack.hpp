#pragma once

#include <string>

// A streamed piece of music as the AudioManager's playlist sees it: playback controls plus
// the fade state the playlist keeps on each track. ZelMusic plays it through SFML; tests
// use tracks that only pretend, so which track plays and at what volume can be checked
// without a sound card.
class MusicTrack {
public:
    virtual ~MusicTrack() = default;

    // False when the file could not be opened: such a track is silent and never plays.
    virtual bool isOpen() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // 0 to 100.
    virtual float getVolume() const = 0;
    virtual void setVolume(float volume) = 0;
    virtual void setLooping(bool loop) = 0;
    // Seconds.
    virtual float durationSeconds() const = 0;
    virtual float offsetSeconds() const = 0;
    virtual void setOffsetSeconds(float seconds) = 0;

    // Clears the fade without touching the volume.
    void clearFade()
    {
        fadingOut = false;
        fadingIn = false;
        fadeElapsed = 0.f;
        fadeDuration = 0.f;
        fadeStartVolume = 0.f;
    }

    std::string name; // the path it was opened from
    bool fadingOut = false;
    bool fadingIn = false;
    float fadeElapsed = 0.f;
    float fadeDuration = 0.f;
    float fadeFactor = 1.f; // target volume as a fraction (thruster settling)
    float playTime = 0.f;   // seconds spent playing, from the start offset
    float fadeStartVolume = 0.f;
    bool removeWhenStopped = false;
};
