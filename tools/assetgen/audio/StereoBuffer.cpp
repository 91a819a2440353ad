#include "audio/StereoBuffer.hpp"

#include "audio/Dsp.hpp"

#include <algorithm>
#include <cmath>

void StereoBuffer::resize(int frames)
{
    left.resize(frames, 0.0f);
    right.resize(frames, 0.0f);
}

void StereoBuffer::addMono(const std::vector<float>& mono, int count, int start, float gain, float pan)
{
    float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * dsp::kPi;
    float gl = gain * std::cos(angle) * 1.41421356f;
    float gr = gain * std::sin(angle) * 1.41421356f;
    int end = std::min(start + count, frames());
    for (int i = std::max(start, 0); i < end; ++i) {
        float s = mono[i - start];
        left[i] += s * gl;
        right[i] += s * gr;
    }
}

void StereoBuffer::mix(const StereoBuffer& other, float gain)
{
    int n = std::min(frames(), other.frames());
    for (int i = 0; i < n; ++i) {
        left[i] += other.left[i] * gain;
        right[i] += other.right[i] * gain;
    }
}

void StereoBuffer::removeDc(float cutoffHz)
{
    dsp::OnePole l, r;
    l.setCutoff(cutoffHz);
    r.setCutoff(cutoffHz);
    for (int i = 0; i < frames(); ++i) {
        left[i] = l.highpass(left[i]);
        right[i] = r.highpass(right[i]);
    }
}

void StereoBuffer::fadeIn(float secondsLong)
{
    int n = std::min(frames(), dsp::samplesOf(secondsLong));
    for (int i = 0; i < n; ++i) {
        float g = static_cast<float>(i) / static_cast<float>(n);
        g = g * g * (3.0f - 2.0f * g);
        left[i] *= g;
        right[i] *= g;
    }
}

void StereoBuffer::fadeOut(float secondsLong)
{
    int n = std::min(frames(), dsp::samplesOf(secondsLong));
    int start = frames() - n;
    for (int i = 0; i < n; ++i) {
        float g = 1.0f - static_cast<float>(i + 1) / static_cast<float>(n);
        g = g * g * (3.0f - 2.0f * g);
        left[start + i] *= g;
        right[start + i] *= g;
    }
}

float StereoBuffer::peak() const
{
    float p = 0.0f;
    for (int i = 0; i < frames(); ++i)
        p = std::max({p, std::fabs(left[i]), std::fabs(right[i])});
    return p;
}

float StereoBuffer::rms() const
{
    double sum = 0.0;
    for (int i = 0; i < frames(); ++i)
        sum += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    return frames() ? static_cast<float>(std::sqrt(sum / (2.0 * frames()))) : 0.0f;
}

void StereoBuffer::normalise(float peakLevel)
{
    float p = peak();
    if (p <= 0.0f)
        return;
    float g = peakLevel / p;
    for (int i = 0; i < frames(); ++i) {
        left[i] *= g;
        right[i] *= g;
    }
}

void StereoBuffer::matchLoudness(float targetRms, float maxGain, float peakLevel)
{
    normalise(1.0f);
    float level = rms();
    if (level <= 0.0f)
        return;
    float gain = std::clamp(targetRms / level, 1.0f, maxGain);
    const float knee = 0.7f;
    auto shape = [&](float x) {
        float a = std::fabs(x * gain);
        if (a <= knee)
            return x * gain;
        float over = knee + (1.0f - knee) * std::tanh((a - knee) / (1.0f - knee));
        return x < 0.0f ? -over : over;
    };
    for (int i = 0; i < frames(); ++i) {
        left[i] = shape(left[i]);
        right[i] = shape(right[i]);
    }
    normalise(peakLevel);
}

void StereoBuffer::makeLoop(int overlapFrames)
{
    int n = frames() - overlapFrames;
    if (overlapFrames <= 0 || n <= overlapFrames)
        return;
    for (int i = 0; i < overlapFrames; ++i) {
        // Equal-power cross-fade: the head rises while the tail that follows frame n-1 falls.
        float t = (static_cast<float>(i) + 0.5f) / static_cast<float>(overlapFrames);
        float fin = std::sin(t * 0.5f * dsp::kPi);
        float fout = std::cos(t * 0.5f * dsp::kPi);
        left[i] = left[i] * fin + left[n + i] * fout;
        right[i] = right[i] * fin + right[n + i] * fout;
    }
    resize(n);
}

std::vector<int16_t> StereoBuffer::toInt16() const
{
    std::vector<int16_t> out(static_cast<size_t>(frames()) * 2);
    for (int i = 0; i < frames(); ++i) {
        out[2 * i] = static_cast<int16_t>(std::lrint(std::clamp(left[i], -1.0f, 1.0f) * 32767.0f));
        out[2 * i + 1] = static_cast<int16_t>(std::lrint(std::clamp(right[i], -1.0f, 1.0f) * 32767.0f));
    }
    return out;
}
