#pragma once

#include <array>
#include <cmath>
#include <cstdint>

// Small building blocks of the synthesizer: a table sine, a deterministic noise source,
// one-pole and state-variable filters, a band-limited saw and a staged envelope. They are
// cheap per sample (no transcendental calls in the inner loops) so that all the music of
// the game renders in a few seconds, and they hold no hidden global state, so the same
// inputs always give the same samples.
namespace dsp {

constexpr int kRate = 44100;
constexpr float kPi = 3.14159265358979f;

inline float midiToHz(float midi)
{
    return 440.0f * std::exp2((midi - 69.0f) / 12.0f);
}

inline float seconds(int samples)
{
    return static_cast<float>(samples) / static_cast<float>(kRate);
}

inline int samplesOf(double secondsValue)
{
    return static_cast<int>(secondsValue * kRate + 0.5);
}

// sin(2 pi phase) for any phase, by linear interpolation in a 4096-entry table.
inline float sine(float phase)
{
    constexpr int kSize = 4096;
    static const std::array<float, kSize + 1> table = [] {
        std::array<float, kSize + 1> t{};
        for (int i = 0; i <= kSize; ++i)
            t[i] = static_cast<float>(std::sin(2.0 * 3.141592653589793 * i / kSize));
        return t;
    }();
    float p = phase - std::floor(phase);
    float x = p * kSize;
    int i = static_cast<int>(x);
    float f = x - static_cast<float>(i);
    return table[i] + (table[i + 1] - table[i]) * f;
}

// xorshift32: white noise in [-1, 1] from a fixed seed.
class Noise {
public:
    explicit Noise(uint32_t seed = 0x9E3779B9u) : state_(seed ? seed : 1u) {}
    float next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ >> 8) * (2.0f / 16777216.0f) - 1.0f;
    }

private:
    uint32_t state_;
};

// One-pole low-pass; high-pass is the input minus the low-pass.
class OnePole {
public:
    void setCutoff(float hz) { a_ = 1.0f - std::exp(-2.0f * kPi * hz / kRate); }
    float lowpass(float x) { return y_ += a_ * (x - y_); }
    float highpass(float x) { return x - lowpass(x); }

private:
    float a_ = 1.0f;
    float y_ = 0.0f;
};

// Trapezoidal state-variable filter (stable under fast cutoff changes).
class Svf {
public:
    void set(float hz, float q)
    {
        float fc = std::fmin(hz, 0.45f * kRate);
        fc = std::fmax(fc, 10.0f);
        float g = std::tan(kPi * fc / kRate);
        k_ = 1.0f / q;
        a1_ = 1.0f / (1.0f + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    void process(float x)
    {
        float v3 = x - ic2_;
        v1_ = a1_ * ic1_ + a2_ * v3;
        v2_ = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0f * v1_ - ic1_;
        ic2_ = 2.0f * v2_ - ic2_;
        in_ = x;
    }
    float lowpass(float x) { process(x); return v2_; }
    float bandpass(float x) { process(x); return v1_; }
    float highpass(float x) { process(x); return in_ - k_ * v1_ - v2_; }

private:
    float k_ = 1.0f, a1_ = 0.0f, a2_ = 0.0f, a3_ = 0.0f;
    float ic1_ = 0.0f, ic2_ = 0.0f, v1_ = 0.0f, v2_ = 0.0f, in_ = 0.0f;
};

// Saw wave with polyBLEP smoothing of the reset, so high notes do not alias into hiss.
class Saw {
public:
    void setFrequency(float hz) { dt_ = hz / kRate; }
    void setPhase(float p) { phase_ = p - std::floor(p); }
    float next()
    {
        float value = 2.0f * phase_ - 1.0f - blep(phase_, dt_);
        phase_ += dt_;
        if (phase_ >= 1.0f)
            phase_ -= 1.0f;
        return value;
    }
    float phase() const { return phase_; }

private:
    static float blep(float t, float dt)
    {
        if (t < dt) {
            t /= dt;
            return t + t - t * t - 1.0f;
        }
        if (t > 1.0f - dt) {
            t = (t - 1.0f) / dt;
            return t * t + t + t + 1.0f;
        }
        return 0.0f;
    }
    float phase_ = 0.0f;
    float dt_ = 0.0f;
};

// Attack (linear), decay to sustain and release (both exponential), stepped per sample.
// The note is released after `holdSamples`; finished() tells when it has died away.
class Envelope {
public:
    Envelope(float attack, float decay, float sustain, float release, int holdSamples)
        : attackStep_(1.0f / std::fmax(attack * kRate, 1.0f)),
          decayCoef_(std::exp(-1.0f / std::fmax(decay * kRate, 1.0f))),
          releaseCoef_(std::exp(-1.0f / std::fmax(release * kRate, 1.0f))),
          sustain_(sustain), hold_(holdSamples) {}

    float next()
    {
        if (n_++ >= hold_) {
            level_ *= releaseCoef_;
        } else if (attacking_) {
            level_ += attackStep_;
            if (level_ >= 1.0f) {
                level_ = 1.0f;
                attacking_ = false;
            }
        } else {
            level_ = sustain_ + (level_ - sustain_) * decayCoef_;
        }
        return level_;
    }
    bool finished() const { return n_ > hold_ && level_ < 1e-4f; }

private:
    float attackStep_, decayCoef_, releaseCoef_, sustain_;
    int hold_;
    int n_ = 0;
    float level_ = 0.0f;
    bool attacking_ = true;
};

} // namespace dsp
