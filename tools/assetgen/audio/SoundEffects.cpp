#include "audio/SoundEffects.hpp"

#include "audio/Dsp.hpp"
#include "audio/Instruments.hpp"
#include "audio/Reverb.hpp"

#include <algorithm>
#include <cmath>
#include <random>

using namespace dsp;

namespace {

float decay(float t, float timeConstant)
{
    return std::exp(-t / timeConstant);
}

// A short pitched blip: sine sweeping from f0 to f1 with a fast attack and exponential decay,
// plus an optional noise tick at its start.
void blip(StereoBuffer& out, float at, float lengthS, float f0, float f1, float tau, float gain, float tick, uint32_t seed)
{
    Noise noise(seed);
    Svf hp;
    hp.set(3000.0f, 0.7f);
    int start = samplesOf(at);
    int n = samplesOf(lengthS);
    float phase = 0.0f;
    for (int i = 0; i < n && start + i < out.frames(); ++i) {
        float t = seconds(i);
        float f = f0 * std::pow(f1 / f0, std::min(1.0f, t / lengthS));
        phase += f / kRate;
        float attack = std::min(1.0f, t / 0.0015f);
        float s = (sine(phase) + 0.2f * sine(2.0f * phase)) * decay(t, tau) * attack;
        s += tick * hp.highpass(noise.next()) * decay(t, 0.002f);
        float end = std::min(1.0f, (lengthS - t) / 0.004f);
        out.left[start + i] += s * gain * end;
        out.right[start + i] += s * gain * end;
    }
}

void addNote(StereoBuffer& out, const Note& n, uint32_t seed, float gain)
{
    std::vector<float> scratch;
    int count = Instruments::render(n, seed, scratch);
    int fade = std::min(count, 256);
    for (int k = 0; k < fade; ++k)
        scratch[count - 1 - k] *= static_cast<float>(k) / static_cast<float>(fade);
    out.addMono(scratch, count, samplesOf(n.start), gain, n.pan);
}

void addReverb(StereoBuffer& out, float room, float amount)
{
    StereoBuffer wet = Reverb(room, 0.5f).process(out);
    out.mix(wet, amount);
}

StereoBuffer finish(StereoBuffer b, float peakLevel)
{
    b.removeDc(20.0f);
    b.fadeIn(0.0008f);
    b.fadeOut(0.01f);
    b.normalise(peakLevel);
    return b;
}

} // namespace

std::vector<SoundEffects::Effect> SoundEffects::all()
{
    return {
        {"sounds/effects/button_click.wav", &SoundEffects::buttonClick},
        {"sounds/effects/button_click_time_controls.wav", &SoundEffects::buttonClickTimeControls},
        {"sounds/effects/character_interact_1.wav", &SoundEffects::characterInteract1},
        {"sounds/effects/character_interact_3.wav", &SoundEffects::characterInteract3},
        {"sounds/effects/death.wav", &SoundEffects::death},
        {"sounds/effects/deploy_leave_1.wav", &SoundEffects::deployLeave1},
        {"sounds/effects/deploy_leave_2.wav", &SoundEffects::deployLeave2},
        {"sounds/effects/quit.wav", &SoundEffects::quit},
        {"sounds/effects/thrusters.wav", &SoundEffects::thrusters},
        {"sounds/effects/thrusters_jump.wav", &SoundEffects::thrustersJump},
        {"sounds/effects/space_1.wav", &SoundEffects::space},
    };
}

// A crisp high tick: the everyday confirmation of the interface.
StereoBuffer SoundEffects::buttonClick()
{
    StereoBuffer b(samplesOf(0.045));
    blip(b, 0.0f, 0.045f, 2300.0f, 1500.0f, 0.011f, 1.0f, 0.35f, 11);
    return finish(b, 0.71f);
}

// Two rising square-ish ticks, set apart from the ordinary click so time controls feel mechanical.
StereoBuffer SoundEffects::buttonClickTimeControls()
{
    StereoBuffer b(samplesOf(0.065));
    blip(b, 0.0f, 0.03f, 950.0f, 900.0f, 0.009f, 1.0f, 0.2f, 12);
    blip(b, 0.028f, 0.037f, 1420.0f, 1380.0f, 0.01f, 0.8f, 0.1f, 13);
    return finish(b, 0.71f);
}

// Putting a crew card down: a soft low knock.
StereoBuffer SoundEffects::characterInteract1()
{
    StereoBuffer b(samplesOf(0.08));
    blip(b, 0.0f, 0.08f, 340.0f, 170.0f, 0.025f, 1.0f, 0.25f, 14);
    return finish(b, 0.71f);
}

// Lifting a crew card: a short upward chirp.
StereoBuffer SoundEffects::characterInteract3()
{
    StereoBuffer b(samplesOf(0.07));
    blip(b, 0.0f, 0.07f, 520.0f, 1050.0f, 0.03f, 1.0f, 0.0f, 15);
    return finish(b, 0.71f);
}

// A crew member dies: a low, beating tone falling an octave and a half into the dark.
StereoBuffer SoundEffects::death()
{
    StereoBuffer b(samplesOf(2.6));
    Saw a, c;
    Svf filter;
    float phase = 0.0f;
    int n = samplesOf(1.9);
    for (int i = 0; i < n; ++i) {
        float t = seconds(i);
        float f = 196.0f * std::pow(0.25f, t / 1.9f);
        a.setFrequency(f);
        c.setFrequency(f * 1.059f);
        if ((i & 15) == 0)
            filter.set(f * (6.0f - 4.5f * t / 1.9f), 1.3f);
        phase += f * 0.5f / kRate;
        float tremolo = 0.75f + 0.25f * sine(t * 5.5f);
        float env = std::min(1.0f, t / 0.02f) * std::min(1.0f, (1.9f - t) / 0.6f);
        float s = (filter.lowpass(0.5f * (a.next() + c.next())) + 0.6f * sine(phase)) * env * tremolo;
        b.left[i] += s;
        b.right[i] += s * 0.92f;
    }
    addReverb(b, 0.85f, 0.9f);
    return finish(b, 0.891f);
}

// Leaving a screen: a quick whoosh that crosses the stereo field, with a soft thump under it.
StereoBuffer SoundEffects::deployLeave1()
{
    StereoBuffer b(samplesOf(0.55));
    Noise noise(21);
    Svf band;
    float phase = 0.0f;
    int n = b.frames();
    for (int i = 0; i < n; ++i) {
        float t = seconds(i);
        if ((i & 15) == 0)
            band.set(3200.0f * std::pow(0.12f, t / 0.5f), 1.2f);
        float env = std::min(1.0f, t / 0.06f) * decay(t, 0.14f);
        float s = band.bandpass(noise.next()) * env;
        phase += (90.0f - 40.0f * t) / kRate;
        float thump = sine(phase) * decay(t, 0.08f) * std::min(1.0f, t / 0.004f) * 0.5f;
        float pan = std::min(1.0f, t / 0.4f);
        b.left[i] = s * (1.0f - 0.6f * pan) + thump;
        b.right[i] = s * (0.4f + 0.6f * pan) + thump;
    }
    return finish(b, 0.891f);
}

// Sending the team out: an engine spools up under a rising rush of air.
StereoBuffer SoundEffects::deployLeave2()
{
    StereoBuffer b(samplesOf(1.4));
    Noise nl(22), nr(23);
    Svf bandL, bandR, low;
    Saw engine, engine2;
    int n = b.frames();
    for (int i = 0; i < n; ++i) {
        float t = seconds(i);
        float rise = std::min(1.0f, t / 0.9f);
        if ((i & 15) == 0) {
            float fc = 300.0f * std::pow(9.0f, rise);
            bandL.set(fc, 1.0f);
            bandR.set(fc * 1.1f, 1.0f);
            low.set(200.0f + 900.0f * rise, 0.9f);
        }
        float f = 55.0f * (1.0f + rise);
        engine.setFrequency(f);
        engine2.setFrequency(f * 1.503f);
        float env = std::min(1.0f, t / 0.15f) * (t < 0.9f ? 1.0f : decay(t - 0.9f, 0.15f));
        float hum = low.lowpass(engine.next() + 0.5f * engine2.next()) * 0.6f;
        b.left[i] = (hum + bandL.bandpass(nl.next()) * 0.8f) * env;
        b.right[i] = (hum + bandR.bandpass(nr.next()) * 0.8f) * env;
    }
    addReverb(b, 0.6f, 0.5f);
    return finish(b, 0.891f);
}

// Quitting: a three-note chime falling to rest.
StereoBuffer SoundEffects::quit()
{
    StereoBuffer b(samplesOf(1.8));
    const float pitches[3] = {76.0f, 72.0f, 69.0f};
    for (int k = 0; k < 3; ++k) {
        Note n;
        n.start = 0.13 * k;
        n.dur = 0.2f;
        n.pitch = pitches[k];
        n.vel = 1.0f;
        n.voice = Voice::Bell;
        n.pan = -0.3f + 0.3f * k;
        n.bright = 0.35f;
        addNote(b, n, 30 + k, 1.0f - 0.12f * k);
    }
    addReverb(b, 0.75f, 0.8f);
    b.fadeOut(0.3f);
    return finish(b, 0.891f);
}

// The ship's engines: a deep, slowly breathing rumble with a hiss on top. Loops without a seam.
StereoBuffer SoundEffects::thrusters()
{
    const float length = 6.0f, overlap = 1.0f;
    StereoBuffer b(samplesOf(length + overlap));
    Noise nl(41), nr(42);
    OnePole brownL, brownR;
    brownL.setCutoff(90.0f);
    brownR.setCutoff(90.0f);
    Svf hissL, hissR;
    hissL.set(1300.0f, 0.8f);
    hissR.set(1500.0f, 0.8f);
    float phase = 0.0f;
    for (int i = 0; i < b.frames(); ++i) {
        float t = seconds(i);
        float breath = 0.8f + 0.2f * sine(t * 0.5f);
        float flutter = 0.85f + 0.15f * sine(t * 13.0f);
        phase += 47.0f / kRate;
        float hum = 0.35f * sine(phase) + 0.15f * sine(2.0f * phase) + 0.08f * sine(3.0f * phase);
        b.left[i] = (brownL.lowpass(nl.next()) * 6.0f * breath + hum + 0.06f * hissL.bandpass(nl.next()) * flutter);
        b.right[i] = (brownR.lowpass(nr.next()) * 6.0f * breath + hum + 0.06f * hissR.bandpass(nr.next()) * flutter);
    }
    b.removeDc(20.0f);
    b.makeLoop(samplesOf(overlap));
    b.normalise(0.7f);
    return b;
}

// The light jump: a charge that climbs and quickens for two seconds, then a burst and a boom.
StereoBuffer SoundEffects::thrustersJump()
{
    StereoBuffer b(samplesOf(3.6));
    Noise noise(51), noise2(52);
    Saw a, c;
    Svf filter, burstFilterL, burstFilterR, riser;
    const float charge = 2.0f;
    float tremPhase = 0.0f, boomPhase = 0.0f;
    for (int i = 0; i < b.frames(); ++i) {
        float t = seconds(i);
        float l = 0.0f, r = 0.0f;
        if (t < charge + 0.02f) {
            float x = std::min(1.0f, t / charge);
            float f = 70.0f * std::pow(13.0f, x * x);
            a.setFrequency(f);
            c.setFrequency(f * 1.01f);
            if ((i & 15) == 0) {
                filter.set(f * 3.0f + 400.0f, 1.5f);
                riser.set(400.0f * std::pow(15.0f, x), 2.0f);
            }
            tremPhase += (4.0f + 26.0f * x) / kRate;
            float trem = 0.6f + 0.4f * sine(tremPhase);
            float env = std::min(1.0f, t / 0.05f) * (0.3f + 0.7f * x) * std::min(1.0f, (charge + 0.02f - t) / 0.02f);
            float s = (filter.lowpass(0.5f * (a.next() + c.next())) * trem + 0.5f * riser.bandpass(noise.next()) * x) * env;
            l += s;
            r += s;
        }
        if (t >= charge) {
            float u = t - charge;
            if ((i & 15) == 0) {
                burstFilterL.set(300.0f + 7000.0f * decay(u, 0.25f), 0.7f);
                burstFilterR.set(320.0f + 7200.0f * decay(u, 0.25f), 0.7f);
            }
            boomPhase += (35.0f + 90.0f * decay(u, 0.08f)) / kRate;
            float boom = sine(boomPhase) * decay(u, 0.45f) * std::min(1.0f, u / 0.003f) * 1.2f;
            float env = decay(u, 0.35f) * std::min(1.0f, u / 0.002f);
            l += burstFilterL.lowpass(noise.next()) * env + boom;
            r += burstFilterR.lowpass(noise2.next()) * env + boom;
        }
        b.left[i] = l;
        b.right[i] = r;
    }
    addReverb(b, 0.8f, 0.6f);
    b.fadeOut(0.4f);
    return finish(b, 0.891f);
}

// Space: a slowly moving suspended chord over a low drone, a thin solar wind and now and then a
// distant ping. Rendered with a lead-in so the loop starts inside the sound, then looped.
StereoBuffer SoundEffects::space()
{
    const double leadIn = 6.0, length = 48.0, overlap = 5.0;
    const double total = leadIn + length + overlap;
    StereoBuffer b(samplesOf(total));
    StereoBuffer send(samplesOf(total));
    auto add = [&](const Note& n, uint32_t seed, float gain, float reverb) {
        std::vector<float> scratch;
        int count = Instruments::render(n, seed, scratch);
        int fade = std::min(count, 256);
        for (int k = 0; k < fade; ++k)
            scratch[count - 1 - k] *= static_cast<float>(k) / static_cast<float>(fade);
        b.addMono(scratch, count, samplesOf(n.start), gain, n.pan);
        send.addMono(scratch, count, samplesOf(n.start), gain * reverb, n.pan);
    };
    Note drone;
    drone.start = 0.0;
    drone.dur = static_cast<float>(total);
    drone.pitch = 38.0f;
    drone.voice = Voice::Drone;
    drone.bright = 0.25f;
    add(drone, 61, 0.7f, 0.3f);
    // D sus2 -> Bb lydian colour -> back: pads that overlap so the chord always sounds.
    const float chords[4][3] = {{50, 57, 64}, {46, 53, 62}, {48, 55, 62}, {50, 57, 64}};
    double chordLen = total / 4.0;
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 3; ++k) {
            Note n;
            n.start = c * chordLen - (c ? 2.0 : 0.0);
            n.dur = static_cast<float>(chordLen + 1.0);
            n.pitch = chords[c][k] + (k == 1 ? 0.03f : 0.0f);
            n.voice = Voice::Pad;
            n.pan = -0.5f + 0.5f * k;
            n.bright = 0.12f;
            n.vel = 0.6f;
            add(n, 62 + 3 * c + k, 0.5f, 0.6f);
        }
    std::mt19937 rng(63);
    const float pingPitches[5] = {86.0f, 81.0f, 88.0f, 76.0f, 83.0f};
    for (double t = leadIn + 2.0; t < leadIn + length - 3.0; t += 5.0 + (rng() % 5)) {
        Note n;
        n.start = t;
        n.dur = 0.1f;
        n.pitch = pingPitches[rng() % 5];
        n.voice = Voice::Bell;
        n.pan = static_cast<float>(rng() % 100) / 50.0f - 1.0f;
        n.bright = 0.1f;
        add(n, 70 + static_cast<uint32_t>(t), 0.12f, 1.5f);
    }
    // Solar wind: band-passed noise whose colour and level drift.
    Noise nl(64), nr(65);
    Svf wl, wr;
    for (int i = 0; i < b.frames(); ++i) {
        float t = seconds(i);
        if ((i & 31) == 0) {
            wl.set(700.0f + 400.0f * sine(t * 0.031f), 3.0f);
            wr.set(760.0f + 400.0f * sine(t * 0.027f + 0.3f), 3.0f);
        }
        float level = 0.05f + 0.03f * sine(t * 0.043f);
        b.left[i] += wl.bandpass(nl.next()) * level;
        b.right[i] += wr.bandpass(nr.next()) * level;
    }
    StereoBuffer wet = Reverb(0.93f, 0.6f).process(send);
    b.mix(wet, 1.2f);
    b.removeDc(20.0f);
    // Drop the lead-in, then fold the overlap into the start.
    int skip = samplesOf(leadIn);
    b.left.erase(b.left.begin(), b.left.begin() + skip);
    b.right.erase(b.right.begin(), b.right.begin() + skip);
    b.makeLoop(samplesOf(overlap));
    b.normalise(0.6f);
    return b;
}
