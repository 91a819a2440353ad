#pragma once

// One playing instance of a sound effect. Instances of the same effect overlap freely; the
// AudioManager drops each one once it has finished.
class SoundVoice {
public:
    virtual ~SoundVoice() = default;
    virtual bool isPlaying() const = 0;
    virtual void setVolume(float volume) = 0;
};
