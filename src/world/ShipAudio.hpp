#pragma once

class AudioManager;

// The engine sounds the way the ship asks for them (see ShipContext), on the AudioManager's
// thruster and jump streams. The thruster sound does not loop: while the ship flies it is
// started again whenever it has run out or is fading after a stop. Main thread only.
class ShipAudio {
public:
    explicit ShipAudio(AudioManager& audio);

    void keepThrustersPlaying();
    // Lets a playing thruster sound fade out; once fading, it is left to finish.
    void stopThrusters();
    // The departure roar at the effects volume, unless it already plays.
    void playJumpSound();

private:
    AudioManager& audio_;
};
