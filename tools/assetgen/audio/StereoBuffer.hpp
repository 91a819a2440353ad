#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A stereo signal in floating point at the generator's sample rate, with the finishing steps
// every asset shares: mixing mono voices in with a pan, fades, DC removal, normalising to a
// peak level, turning into a seamless loop, and conversion to interleaved 16-bit samples.
class StereoBuffer {
public:
    StereoBuffer() = default;
    explicit StereoBuffer(int frames) : left(frames, 0.0f), right(frames, 0.0f) {}

    int frames() const { return static_cast<int>(left.size()); }
    void resize(int frames);

    // Adds a mono signal from frame `start` on, panned (-1 left .. 1 right, constant power).
    void addMono(const std::vector<float>& mono, int count, int start, float gain, float pan);
    void mix(const StereoBuffer& other, float gain);

    void removeDc(float cutoffHz = 20.0f);
    void fadeIn(float secondsLong);
    void fadeOut(float secondsLong);
    float peak() const;
    float rms() const;
    // Scales so that the highest sample is `peakLevel` (linear, 0.891 is -1 dBFS).
    void normalise(float peakLevel);
    // Brings a quiet mix up towards `targetRms` by at most `maxGain`, rounding off the few
    // peaks that would pass full scale with a soft knee instead of clipping them, then
    // normalises to `peakLevel`. Keeps tracks that follow each other at a similar loudness.
    void matchLoudness(float targetRms, float maxGain, float peakLevel);
    // Cross-fades the last `overlapFrames` frames into the start and drops them, so that
    // playing the result over and over has no seam.
    void makeLoop(int overlapFrames);

    // Interleaved left/right 16-bit samples, rounded and clamped.
    std::vector<int16_t> toInt16() const;

    std::vector<float> left;
    std::vector<float> right;
};
