#pragma once

#include "audio/StereoBuffer.hpp"

// A plate-like stereo reverb (parallel damped combs into series all-passes, the classic
// Schroeder/Moorer layout). It turns a send bus into the wet signal that gives the music
// and the effects their sense of a large, cold space.
class Reverb {
public:
    // roomSize 0..1 (longer tails when higher), damping 0..1 (darker when higher).
    Reverb(float roomSize, float damping);
    // The wet signal of `send`, the same length plus nothing: tails are cut at the end.
    StereoBuffer process(const StereoBuffer& send) const;

private:
    float feedback_;
    float damping_;
};
