#include "audio/Instruments.hpp"

#include "audio/Dsp.hpp"

#include <algorithm>
#include <cmath>

using namespace dsp;

namespace {

float expCoef(float timeConstant)
{
    return std::exp(-1.0f / (timeConstant * kRate));
}

int renderPad(const Note& n, uint32_t seed, std::vector<float>& out, int count)
{
    Noise rnd(seed);
    float f = midiToHz(n.pitch);
    const float detune[3] = {1.0f, 1.0046f, 0.9961f};
    Saw saws[3];
    for (int k = 0; k < 3; ++k) {
        saws[k].setFrequency(f * detune[k]);
        saws[k].setPhase(rnd.next() * 0.5f + 0.5f);
    }
    float lfoPhase = rnd.next() * 0.5f + 0.5f;
    float lfoRate = 0.09f + 0.05f * (rnd.next() * 0.5f + 0.5f);
    Svf filter;
    Envelope env(1.4f, 2.0f, 0.85f, 1.8f, samplesOf(n.dur));
    float base = f * (1.5f + 5.0f * n.bright) + 150.0f;
    float subPhase = 0.0f;
    for (int i = 0; i < count; ++i) {
        if ((i & 31) == 0) {
            float lfo = sine(lfoPhase + seconds(i) * lfoRate);
            filter.set(base * (1.0f + 0.4f * lfo), 0.8f);
        }
        float s = (saws[0].next() + saws[1].next() + saws[2].next()) * 0.33f;
        s = filter.lowpass(s);
        s += 0.25f * sine(subPhase);
        subPhase += 0.5f * f / kRate;
        out[i] = s * env.next() * 0.3f;
    }
    return count;
}

int renderBass(const Note& n, std::vector<float>& out, int count, bool pulse)
{
    float f = midiToHz(n.pitch);
    Saw saw;
    saw.setFrequency(f);
    Svf filter;
    Envelope env = pulse ? Envelope(0.003f, 0.12f, 0.0f, 0.05f, samplesOf(n.dur))
                         : Envelope(0.006f, 0.35f, 0.65f, 0.09f, samplesOf(n.dur));
    float cenv = 1.0f;
    float ccoef = expCoef(pulse ? 0.07f : 0.15f);
    float phase = 0.0f;
    for (int i = 0; i < count; ++i) {
        if ((i & 15) == 0)
            filter.set(f * (1.2f + (pulse ? 10.0f : 6.0f) * n.bright * cenv), pulse ? 1.6f : 0.9f);
        cenv *= ccoef;
        float body = sine(phase);
        phase += f / kRate;
        float edge = filter.lowpass(saw.next());
        float s = pulse ? 0.45f * body + 0.6f * edge : 0.75f * body + 0.35f * edge;
        out[i] = s * env.next() * 0.5f;
    }
    return count;
}

int renderPluck(const Note& n, std::vector<float>& out, int count)
{
    float f = midiToHz(n.pitch);
    Saw a, b;
    a.setFrequency(f);
    b.setFrequency(f * 1.003f);
    b.setPhase(0.37f);
    Svf filter;
    Envelope env(0.002f, 0.45f, 0.0f, 0.12f, samplesOf(n.dur));
    float cenv = 1.0f;
    float ccoef = expCoef(0.18f);
    for (int i = 0; i < count; ++i) {
        if ((i & 15) == 0)
            filter.set(f * (1.0f + (3.0f + 9.0f * n.bright) * cenv), 1.1f);
        cenv *= ccoef;
        float s = filter.lowpass(0.6f * a.next() + 0.4f * b.next());
        out[i] = s * env.next() * 0.35f;
    }
    return count;
}

int renderFm(const Note& n, std::vector<float>& out, int count, bool bell)
{
    float f = midiToHz(n.pitch);
    float ratio = bell ? 3.5f : 1.0f;
    float indexStart = bell ? 2.2f + 1.5f * n.bright : 1.0f + 1.2f * n.bright;
    // High notes get less modulation so their sidebands stay below the Nyquist frequency.
    indexStart *= std::min(1.0f, (bell ? 500.0f : 1200.0f) / f);
    bool tineAudible = 14.0f * f < 15000.0f;
    float indexEnd = bell ? 0.15f : 0.25f;
    float icoef = expCoef(bell ? 0.9f : 0.45f);
    Envelope env = bell ? Envelope(0.002f, 2.6f, 0.0f, 1.2f, samplesOf(n.dur))
                        : Envelope(0.003f, 1.7f, 0.0f, 0.3f, samplesOf(n.dur));
    float tine = 1.0f;
    float tcoef = expCoef(0.04f);
    float cp = 0.0f, mp = 0.0f, tp = 0.0f, cp2 = 0.25f;
    float index = indexStart - indexEnd;
    for (int i = 0; i < count; ++i) {
        float mod = sine(mp) * (indexEnd + index);
        index *= icoef;
        float s = sine(cp + mod * 0.159f);
        if (!bell) {
            s = 0.7f * s + 0.3f * sine(cp2 + mod * 0.159f);
            if (tineAudible)
                s += 0.12f * tine * sine(tp);
            tine *= tcoef;
            tp += 14.0f * f / kRate;
            cp2 += f * 1.0021f / kRate;
        }
        cp += f / kRate;
        mp += f * ratio / kRate;
        if (cp > 64.0f) { cp -= 64.0f; mp -= 64.0f * ratio; }
        out[i] = s * env.next() * 0.35f;
    }
    return count;
}

int renderLead(const Note& n, std::vector<float>& out, int count, bool flute, uint32_t seed)
{
    Noise noise(seed);
    float f = midiToHz(n.pitch);
    Saw a, b;
    Svf filter, breath;
    filter.set(f * 3.0f + 900.0f + 1600.0f * n.bright, 1.0f);
    breath.set(f * 2.0f, 2.0f);
    Envelope env = flute ? Envelope(0.07f, 0.4f, 0.8f, 0.3f, samplesOf(n.dur))
                         : Envelope(0.035f, 0.3f, 0.75f, 0.28f, samplesOf(n.dur));
    float phase = 0.0f, vib = 0.0f;
    for (int i = 0; i < count; ++i) {
        float t = seconds(i);
        float depth = std::clamp((t - 0.25f) * 2.0f, 0.0f, 1.0f) * 0.006f;
        float fm = f * (1.0f + depth * sine(vib));
        vib += 5.3f / kRate;
        float s;
        if (flute) {
            s = sine(phase) + 0.18f * sine(2.0f * phase) + 0.06f * breath.bandpass(noise.next());
            phase += fm / kRate;
            if (phase > 1024.0f)
                phase -= 1024.0f;
        } else {
            a.setFrequency(fm);
            b.setFrequency(fm * 1.0035f);
            s = filter.lowpass(0.5f * (a.next() + b.next()));
        }
        out[i] = s * env.next() * 0.3f;
    }
    return count;
}

int renderDrum(const Note& n, uint32_t seed, std::vector<float>& out, int count)
{
    Noise noise(seed);
    Svf filter;
    float phase = 0.0f;
    float amp = 1.0f;
    float click = 1.0f;
    switch (n.voice) {
    case Voice::Kick: {
        float acoef = expCoef(0.32f), ccoef = expCoef(0.003f), pcoef = expCoef(0.035f);
        float sweep = 1.0f;
        for (int i = 0; i < count; ++i) {
            float f = 44.0f + 95.0f * sweep;
            sweep *= pcoef;
            phase += f / kRate;
            float s = sine(phase) * amp + 0.25f * noise.next() * click;
            amp *= acoef;
            click *= ccoef;
            out[i] = s * 0.9f * std::min(1.0f, i / 40.0f);
        }
        break;
    }
    case Voice::Snare: {
        filter.set(2600.0f, 0.6f);
        float tone = 1.0f;
        float tcoef = expCoef(0.05f), ncoef = expCoef(0.13f);
        for (int i = 0; i < count; ++i) {
            phase += 185.0f / kRate;
            float s = 0.45f * sine(phase) * tone + 0.8f * filter.bandpass(noise.next()) * amp;
            tone *= tcoef;
            amp *= ncoef;
            out[i] = s * 0.6f * std::min(1.0f, i / 20.0f);
        }
        break;
    }
    case Voice::Hat:
    case Voice::OpenHat: {
        filter.set(7500.0f, 0.7f);
        float coef = expCoef(n.voice == Voice::Hat ? 0.03f : 0.22f);
        for (int i = 0; i < count; ++i) {
            out[i] = filter.highpass(noise.next()) * amp * 0.35f * std::min(1.0f, i / 10.0f);
            amp *= coef;
        }
        break;
    }
    default: { // Tom
        float f = midiToHz(n.pitch);
        float acoef = expCoef(0.3f), pcoef = expCoef(0.06f);
        float sweep = 1.0f;
        filter.set(f * 4.0f, 0.7f);
        for (int i = 0; i < count; ++i) {
            phase += f * (1.0f + 0.5f * sweep) / kRate;
            sweep *= pcoef;
            float s = sine(phase) + 0.15f * filter.bandpass(noise.next()) * sweep;
            out[i] = s * amp * 0.7f * std::min(1.0f, i / 30.0f);
            amp *= acoef;
        }
        break;
    }
    }
    return count;
}

int renderDrone(const Note& n, uint32_t seed, std::vector<float>& out, int count)
{
    Noise rnd(seed);
    float f = midiToHz(n.pitch);
    Saw a, b;
    a.setFrequency(f);
    b.setFrequency(f * 1.4983f);
    b.setPhase(0.5f);
    Svf filter;
    Envelope env(3.0f, 1.0f, 1.0f, 3.0f, samplesOf(n.dur));
    float lfo0 = rnd.next();
    float phase = 0.0f;
    for (int i = 0; i < count; ++i) {
        if ((i & 31) == 0)
            filter.set(f * (1.5f + 2.5f * n.bright) * (1.0f + 0.5f * sine(lfo0 + seconds(i) * 0.07f)), 1.4f);
        float s = filter.lowpass(a.next() + 0.45f * b.next()) + 0.5f * sine(phase);
        phase += 0.5f * f / kRate;
        out[i] = s * env.next() * 0.3f;
    }
    return count;
}

int renderSwell(const Note& n, uint32_t seed, std::vector<float>& out, int count)
{
    Noise noise(seed);
    Svf filter;
    int hold = samplesOf(n.dur);
    float rcoef = expCoef(0.12f);
    float level = 0.0f;
    for (int i = 0; i < count; ++i) {
        float t = std::min(1.0f, static_cast<float>(i) / static_cast<float>(hold));
        if ((i & 31) == 0)
            filter.set(250.0f * std::pow(24.0f, t), 1.8f);
        level = i < hold ? t * t : level * rcoef;
        out[i] = filter.bandpass(noise.next()) * level * 0.5f;
    }
    return count;
}

} // namespace

float Instruments::length(const Note& note)
{
    switch (note.voice) {
    case Voice::Pad: return note.dur + 6.0f;
    case Voice::Drone: return note.dur + 9.0f;
    case Voice::Bell: return note.dur + 4.0f;
    case Voice::Keys: return std::min(note.dur, 5.0f) + 1.0f;
    case Voice::Lead:
    case Voice::Flute: return note.dur + 1.0f;
    case Voice::Kick: return 0.6f;
    case Voice::Snare: return 0.5f;
    case Voice::Hat: return 0.15f;
    case Voice::OpenHat: return 0.7f;
    case Voice::Tom: return 0.9f;
    case Voice::Swell: return note.dur + 0.6f;
    case Voice::Pulse: return note.dur + 0.3f;
    default: return note.dur + 0.6f;
    }
}

int Instruments::render(const Note& note, uint32_t seed, std::vector<float>& out)
{
    int count = samplesOf(length(note));
    if (static_cast<int>(out.size()) < count)
        out.resize(count);
    switch (note.voice) {
    case Voice::Pad: return renderPad(note, seed, out, count);
    case Voice::Bass: return renderBass(note, out, count, false);
    case Voice::Pulse: return renderBass(note, out, count, true);
    case Voice::Pluck: return renderPluck(note, out, count);
    case Voice::Keys: return renderFm(note, out, count, false);
    case Voice::Bell: return renderFm(note, out, count, true);
    case Voice::Lead: return renderLead(note, out, count, false, seed);
    case Voice::Flute: return renderLead(note, out, count, true, seed);
    case Voice::Drone: return renderDrone(note, seed, out, count);
    case Voice::Swell: return renderSwell(note, seed, out, count);
    default: return renderDrum(note, seed, out, count);
    }
}
