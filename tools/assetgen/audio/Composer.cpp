#include "audio/Composer.hpp"

#include "audio/Dsp.hpp"
#include "audio/Reverb.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

// One-bar rhythms of the melody: (start, length) in sixteenths.
using Rhythm = std::vector<std::pair<int, int>>;
const std::vector<Rhythm> kSparseRhythms = {
    {{0, 8}, {8, 8}}, {{0, 12}, {12, 4}}, {{0, 4}, {4, 12}}, {{0, 6}, {6, 2}, {8, 8}}, {{2, 6}, {8, 8}},
};
const std::vector<Rhythm> kMediumRhythms = {
    {{0, 4}, {4, 4}, {8, 8}}, {{0, 6}, {6, 2}, {8, 4}, {12, 4}}, {{0, 4}, {4, 2}, {6, 2}, {8, 8}},
    {{0, 8}, {8, 4}, {12, 4}}, {{2, 2}, {4, 4}, {8, 8}}, {{0, 3}, {3, 5}, {8, 8}},
};
const std::vector<Rhythm> kBusyRhythms = {
    {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}}, {{0, 3}, {3, 3}, {6, 2}, {8, 4}, {12, 4}},
    {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 8}}, {{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}},
};

struct Motif {
    Rhythm rhythm;
    std::vector<int> contour; // step from the previous note, first entry unused
    int startTone;            // 0, 2 or 4: which chord tone the motif starts on
};

struct MixSettings {
    float gain;
    float reverb;
    float delay;
};

MixSettings mixFor(Voice v)
{
    switch (v) {
    case Voice::Pad: return {0.45f, 0.55f, 0.0f};
    case Voice::Bass: return {0.85f, 0.04f, 0.0f};
    case Voice::Pulse: return {0.55f, 0.06f, 0.05f};
    case Voice::Pluck: return {0.34f, 0.3f, 0.45f};
    case Voice::Keys: return {0.5f, 0.35f, 0.12f};
    case Voice::Bell: return {0.28f, 0.65f, 0.35f};
    case Voice::Lead: return {0.42f, 0.35f, 0.3f};
    case Voice::Flute: return {0.45f, 0.4f, 0.3f};
    case Voice::Kick: return {0.65f, 0.03f, 0.0f};
    case Voice::Snare: return {0.42f, 0.22f, 0.0f};
    case Voice::Hat: return {0.3f, 0.05f, 0.0f};
    case Voice::OpenHat: return {0.16f, 0.12f, 0.0f};
    case Voice::Tom: return {0.5f, 0.3f, 0.0f};
    case Voice::Drone: return {0.5f, 0.4f, 0.0f};
    case Voice::Swell: return {0.3f, 0.6f, 0.0f};
    }
    return {0.5f, 0.2f, 0.0f};
}

// Echoes that bounce between the left and right channels, darkening as they repeat.
StereoBuffer pingPong(const StereoBuffer& send, int delayFrames, float feedback)
{
    StereoBuffer out(send.frames());
    std::vector<float> bl(delayFrames, 0.0f), br(delayFrames, 0.0f);
    dsp::OnePole dampL, dampR;
    dampL.setCutoff(3200.0f);
    dampR.setCutoff(3200.0f);
    int idx = 0;
    for (int i = 0; i < send.frames(); ++i) {
        float in = 0.5f * (send.left[i] + send.right[i]);
        float ol = bl[idx], orr = br[idx];
        bl[idx] = in + dampR.lowpass(orr) * feedback;
        br[idx] = dampL.lowpass(ol) * feedback;
        out.left[i] = ol;
        out.right[i] = orr;
        if (++idx == delayFrames)
            idx = 0;
    }
    return out;
}

uint32_t noteSeed(uint32_t songSeed, size_t index)
{
    uint32_t h = songSeed * 2654435761u ^ static_cast<uint32_t>(index * 40503u + 1u);
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return h ? h : 1u;
}

} // namespace

Composer::Composer(const SongPlan& plan) : plan_(plan), rng_(plan.seed) {}

float Composer::uniform()
{
    return static_cast<float>(rng_() >> 8) / 16777216.0f;
}

int Composer::pick(int n)
{
    return static_cast<int>(rng_() % static_cast<uint32_t>(n));
}

double Composer::lengthSeconds() const
{
    int bars = 0;
    for (const Section& s : plan_.sections)
        bars += s.bars;
    return bars * barSeconds() + 7.0;
}

int Composer::degreeAt(const Section& s, int bar) const
{
    const std::vector<int>& p = s.progression ? plan_.progressionB : plan_.progressionA;
    return p[static_cast<size_t>(bar) % p.size()];
}

float Composer::pitchOf(int step, int base) const
{
    int octave = step >= 0 ? step / 7 : -((-step + 6) / 7);
    int index = step - octave * 7;
    return static_cast<float>(base + plan_.mode[index] + 12 * octave);
}

bool Composer::isChordTone(int step, int degree) const
{
    int r = ((step - degree) % 7 + 7) % 7;
    return r == 0 || r == 2 || r == 4;
}

int Composer::nearestChordTone(int step, int degree) const
{
    for (int d = 0; d < 4; ++d) {
        if (isChordTone(step - d, degree))
            return step - d;
        if (isChordTone(step + d, degree))
            return step + d;
    }
    return step;
}

std::vector<float> Composer::voiceChord(int degree, const std::vector<float>& previous) const
{
    std::vector<int> tones = {degree, degree + 2, degree + 4};
    if (plan_.sevenths)
        tones.push_back(degree + 6);
    int n = static_cast<int>(tones.size());
    float low = static_cast<float>(plan_.root + 10);
    std::vector<float> best;
    float bestCost = 1e9f;
    for (int inversion = 0; inversion < n; ++inversion) {
        for (int shift = 0; shift < 2; ++shift) {
            std::vector<float> v;
            float p = pitchOf(tones[inversion], plan_.root);
            while (p < low)
                p += 12.0f;
            p += 12.0f * shift;
            v.push_back(p);
            for (int k = 1; k < n; ++k) {
                float q = pitchOf(tones[(inversion + k) % n], plan_.root);
                while (q <= v.back())
                    q += 12.0f;
                v.push_back(q);
            }
            float cost = 0.0f;
            if (previous.size() == v.size()) {
                for (size_t k = 0; k < v.size(); ++k)
                    cost += std::fabs(v[k] - previous[k]);
            } else {
                cost = std::fabs(v[v.size() / 2] - static_cast<float>(plan_.root + 19));
            }
            if (v.back() > static_cast<float>(plan_.root + 34))
                cost += 24.0f;
            if (cost < bestCost) {
                bestCost = cost;
                best = v;
            }
        }
    }
    return best;
}

void Composer::addPads(const Section& s, double t0, std::vector<float>& voicing, std::vector<Note>& held)
{
    double bar = barSeconds();
    float bright = 0.2f + 0.55f * s.energy;
    for (int b = 0; b < s.bars; ++b) {
        int degree = degreeAt(s, b);
        if (b > 0 && degree == degreeAt(s, b - 1) && !held.empty()) {
            for (Note& h : held)
                h.dur += static_cast<float>(bar);
            continue;
        }
        std::vector<float> next = voiceChord(degree, voicing);
        if (held.size() != next.size()) {
            for (Note& h : held)
                notes_.push_back(h);
            held.clear();
            held.resize(next.size());
            for (size_t k = 0; k < next.size(); ++k)
                held[k].dur = 0.0f;
        }
        for (size_t k = 0; k < next.size(); ++k) {
            // A tone the next chord shares keeps sounding; the others move.
            if (held[k].dur > 0.0f && held[k].pitch == next[k]) {
                held[k].dur += static_cast<float>(bar);
                continue;
            }
            if (held[k].dur > 0.0f)
                notes_.push_back(held[k]);
            Note n;
            n.start = t0 + b * bar;
            n.dur = static_cast<float>(bar);
            n.pitch = next[k];
            n.vel = 0.8f;
            n.voice = Voice::Pad;
            n.pan = -0.6f + 1.2f * static_cast<float>(k) / static_cast<float>(std::max<size_t>(1, next.size() - 1));
            n.bright = bright;
            held[k] = n;
        }
        voicing = next;
    }
}

void Composer::addBass(const Section& s, double t0)
{
    double bar = barSeconds();
    double beat = bar / 4.0;
    float bright = 0.3f + 0.5f * s.energy;
    auto bassPitch = [&](int step) {
        float p = pitchOf(step, plan_.root);
        while (p > static_cast<float>(plan_.root + 7))
            p -= 12.0f;
        while (p < static_cast<float>(plan_.root - 5))
            p += 12.0f;
        return p;
    };
    auto add = [&](double at, double dur, float pitch, float vel, Voice v) {
        Note n;
        n.start = at;
        n.dur = static_cast<float>(dur);
        n.pitch = pitch;
        n.vel = vel * (0.75f + 0.25f * s.energy);
        n.voice = v;
        n.bright = bright;
        notes_.push_back(n);
    };
    for (int b = 0; b < s.bars; ++b) {
        int degree = degreeAt(s, b);
        int nextDegree = degreeAt(s, b + 1);
        float root = bassPitch(degree);
        float fifth = bassPitch(degree + 4);
        double tb = t0 + b * bar;
        switch (plan_.bass) {
        case BassStyle::Long:
            if (b % 4 == 3) {
                add(tb, beat * 2.9, root, 0.9f, Voice::Bass);
                add(tb + beat * 3, beat * 0.9, bassPitch(nextDegree + (nextDegree > degree ? -1 : 1)), 0.7f, Voice::Bass);
            } else {
                add(tb, bar * 0.97, root, 0.9f, Voice::Bass);
            }
            break;
        case BassStyle::Halves:
            add(tb, beat * 1.9, root, 0.9f, Voice::Bass);
            add(tb + beat * 2, beat * 1.9, b % 2 ? root + 12.0f : fifth, 0.75f, Voice::Bass);
            break;
        case BassStyle::Eighths: {
            const float offsets[8] = {0, 0, 12, 0, 0, 12, 0, 0};
            const float vels[8] = {1.0f, 0.6f, 0.8f, 0.6f, 0.9f, 0.6f, 0.8f, 0.65f};
            for (int k = 0; k < 8; ++k) {
                float p = root + offsets[k];
                if (k == 7 && nextDegree != degree)
                    p = bassPitch(nextDegree + (nextDegree > degree ? -1 : 1));
                add(tb + k * beat * 0.5, beat * 0.42, p, vels[k], Voice::Bass);
            }
            break;
        }
        case BassStyle::Pulse16: {
            for (int k = 0; k < 16; ++k) {
                bool accent = k == 0 || k == 3 || k == 6 || k == 10 || k == 13;
                float p = root;
                if (b % 2 == 1 && k == 14)
                    p = bassPitch(degree + 1);
                if (b % 2 == 1 && k == 15)
                    p = fifth;
                add(tb + k * beat * 0.25, beat * 0.2, p, accent ? 1.0f : 0.55f, Voice::Pulse);
            }
            break;
        }
        }
    }
}

void Composer::addArp(const Section& s, double t0)
{
    double bar = barSeconds();
    double beat = bar / 4.0;
    static const int up8[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    static const int upDown16[16] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 5, 4, 3, 2};
    static const int broken8[8] = {0, 2, 1, 3, 2, 4, 3, 5};
    bool sixteenths = plan_.arp == ArpStyle::UpDown16;
    int steps = sixteenths ? 16 : 8;
    double stepLen = sixteenths ? beat * 0.25 : beat * 0.5;
    for (int b = 0; b < s.bars; ++b) {
        int degree = degreeAt(s, b);
        const int tones[6] = {degree, degree + 2, degree + 4, degree + 7, degree + 9, degree + 11};
        for (int k = 0; k < steps; ++k) {
            int which = 0;
            switch (plan_.arp) {
            case ArpStyle::Up8: which = up8[k]; break;
            case ArpStyle::UpDown16: which = upDown16[k]; break;
            case ArpStyle::Broken8: which = broken8[k]; break;
            case ArpStyle::Sparse:
                if (uniform() > 0.4f)
                    continue;
                which = pick(6);
                break;
            }
            Note n;
            n.start = t0 + b * bar + k * stepLen + (uniform() - 0.5f) * 0.006;
            n.dur = static_cast<float>(stepLen * 0.9);
            n.pitch = pitchOf(tones[which], plan_.root + 24);
            bool onBeat = (k % (sixteenths ? 4 : 2)) == 0;
            n.vel = (onBeat ? 0.85f : 0.6f) * (0.7f + 0.3f * s.energy) * (0.95f + 0.1f * uniform());
            n.voice = plan_.arpVoice;
            n.pan = (k % 2 ? 0.4f : -0.4f);
            n.bright = 0.25f + 0.6f * s.energy;
            notes_.push_back(n);
        }
    }
}

void Composer::addComp(const Section& s, double t0)
{
    double bar = barSeconds();
    double beat = bar / 4.0;
    std::vector<float> voicing;
    for (int b = 0; b < s.bars; ++b) {
        voicing = voiceChord(degreeAt(s, b), voicing);
        std::vector<std::pair<double, double>> hits;
        if (plan_.bpm < 90.0f)
            hits = {{0.0, 3.6}};
        else
            hits = {{0.0, 1.3}, {1.5, 0.9}, {3.0, 0.8}};
        for (size_t h = 0; h < hits.size(); ++h) {
            for (size_t k = 0; k < voicing.size(); ++k) {
                Note n;
                // A slight strum, lowest note first.
                n.start = t0 + b * bar + hits[h].first * beat + 0.012 * static_cast<double>(k);
                n.dur = static_cast<float>(hits[h].second * beat);
                n.pitch = voicing[k] + 12.0f;
                n.vel = (h == 0 ? 0.55f : 0.4f) * (0.7f + 0.3f * s.energy);
                n.voice = Voice::Keys;
                n.pan = -0.25f + 0.5f * static_cast<float>(k) / static_cast<float>(voicing.size());
                n.bright = 0.3f + 0.4f * s.energy;
                notes_.push_back(n);
            }
        }
    }
}

void Composer::addBells(const Section& s, double t0)
{
    double bar = barSeconds();
    double eighth = bar / 8.0;
    for (int b = 0; b < s.bars; ++b) {
        if (uniform() > 0.45f + 0.25f * s.energy)
            continue;
        int degree = degreeAt(s, b);
        int slot = pick(6);
        int notes = uniform() < 0.4f ? 2 : 1;
        int tone = degree + 2 * pick(3);
        for (int k = 0; k < notes; ++k) {
            Note n;
            n.start = t0 + b * bar + (slot + 2 * k) * eighth;
            n.dur = static_cast<float>(eighth);
            n.pitch = pitchOf(tone + 2 * k, plan_.root + 36);
            n.vel = 0.45f + 0.3f * uniform();
            n.voice = Voice::Bell;
            n.pan = uniform() * 1.2f - 0.6f;
            n.bright = 0.5f;
            notes_.push_back(n);
        }
    }
}

void Composer::addDrums(const Section& s, double t0, bool lastSection)
{
    double bar = barSeconds();
    double six = bar / 16.0;
    float level = 0.6f + 0.4f * s.energy;
    auto hit = [&](double at, Voice v, float vel, float pitch = 48.0f, float pan = 0.0f) {
        Note n;
        n.start = at + (uniform() - 0.5f) * 0.004;
        n.dur = 0.1f;
        n.pitch = pitch;
        n.vel = vel * level * (0.94f + 0.12f * uniform());
        n.voice = v;
        n.pan = pan;
        notes_.push_back(n);
    };
    for (int b = 0; b < s.bars; ++b) {
        double tb = t0 + b * bar;
        bool fill = !lastSection && b == s.bars - 1 && s.bars >= 4;
        switch (plan_.drums) {
        case DrumStyle::Soft:
            hit(tb, Voice::Kick, 0.8f);
            if (b % 2 == 1)
                hit(tb + 10 * six, Voice::Kick, 0.5f);
            hit(tb + 8 * six, Voice::Snare, 0.35f);
            if (s.energy >= 0.35f)
                for (int k = 0; k < 16; k += 2)
                    hit(tb + k * six, Voice::Hat, k % 4 ? 0.2f : 0.32f, 48.0f, 0.3f);
            break;
        case DrumStyle::Driving:
            if (b == 0)
                hit(tb, Voice::OpenHat, 0.55f, 48.0f, -0.2f);
            hit(tb, Voice::Kick, 0.95f);
            hit(tb + 8 * six, Voice::Kick, 0.85f);
            if (b % 2 == 1)
                hit(tb + 6 * six, Voice::Kick, 0.6f);
            hit(tb + 4 * six, Voice::Snare, 0.7f);
            if (fill) {
                for (int k = 12; k < 16; ++k)
                    hit(tb + k * six, Voice::Snare, 0.35f + 0.1f * (k - 12));
            } else {
                hit(tb + 12 * six, Voice::Snare, 0.7f);
            }
            for (int k = 0; k < 16; k += 2)
                hit(tb + k * six, k == 14 ? Voice::OpenHat : Voice::Hat, k % 4 ? 0.28f : 0.4f, 48.0f, 0.3f);
            break;
        case DrumStyle::Tense:
            hit(tb, Voice::Kick, 0.95f);
            hit(tb + 3 * six, Voice::Kick, 0.6f);
            hit(tb + 10 * six, Voice::Kick, 0.75f);
            hit(tb + 8 * six, Voice::Snare, 0.55f);
            for (int k = 0; k < 16; ++k)
                hit(tb + k * six, Voice::Hat, k % 4 == 2 ? 0.4f : (k % 2 ? 0.14f : 0.24f), 48.0f, 0.35f);
            if (b % 4 == 3 || fill) {
                hit(tb + 12 * six, Voice::Tom, 0.6f, static_cast<float>(plan_.root + 12), 0.3f);
                hit(tb + 14 * six, Voice::Tom, 0.7f, static_cast<float>(plan_.root + 7), -0.3f);
            }
            break;
        }
    }
}

std::vector<Composer::MelodyNote> Composer::writeMelody(const Section& s)
{
    auto pool = [&]() -> const std::vector<Rhythm>& {
        float r = uniform();
        if (plan_.melodyDensity < 0.35f)
            return r < 0.75f ? kSparseRhythms : kMediumRhythms;
        if (plan_.melodyDensity < 0.7f)
            return r < 0.7f ? kMediumRhythms : kSparseRhythms;
        return r < 0.6f ? kBusyRhythms : kMediumRhythms;
    };
    auto makeMotif = [&]() {
        Motif m;
        const std::vector<Rhythm>& p = pool();
        m.rhythm = p[pick(static_cast<int>(p.size()))];
        m.startTone = 2 * pick(3);
        static const int steps[10] = {-2, -1, -1, 0, 1, 1, 2, 2, -2, 1};
        m.contour.push_back(0);
        for (size_t k = 1; k < m.rhythm.size(); ++k) {
            int st = steps[pick(10)];
            if (uniform() < 0.2f)
                st = uniform() < 0.6f ? 3 + pick(2) : -3;
            if (k >= 2 && std::abs(m.contour[k - 1]) >= 3)
                st = m.contour[k - 1] > 0 ? -1 : 1; // a leap is answered by a step back
            m.contour.push_back(st);
        }
        return m;
    };
    Motif a = makeMotif();
    Motif b = makeMotif();
    // The answer in the second half keeps the contour of b on another rhythm of as many notes.
    auto varied = [&](const Motif& m) {
        Motif v = m;
        std::vector<const Rhythm*> same;
        for (const auto* p : {&kSparseRhythms, &kMediumRhythms, &kBusyRhythms})
            for (const Rhythm& r : *p)
                if (r.size() == m.rhythm.size() && r != m.rhythm)
                    same.push_back(&r);
        if (!same.empty())
            v.rhythm = *same[pick(static_cast<int>(same.size()))];
        return v;
    };
    Motif b2 = varied(b);

    std::vector<MelodyNote> tune;
    int current = 0;
    auto clampStep = [](int st) {
        if (st > 9)
            st = 18 - st;
        if (st < -3)
            st = -6 - st;
        return st;
    };
    // Each bar of an eight-bar period starts near a point on an arch: the line climbs to its
    // height in the sixth bar and comes home at the end; the second period sits a step higher.
    static const int kArch[8] = {0, 1, 3, 2, 1, 3, 5, 0};
    auto playMotif = [&](const Motif& m, int bar, int degree, bool reverseTail, bool dropLast) {
        int arch = kArch[bar % 8] + (bar / 8) % 2 + m.startTone / 2;
        int st = nearestChordTone(arch, degree);
        size_t count = m.rhythm.size() - (dropLast && m.rhythm.size() > 2 ? 1 : 0);
        for (size_t k = 0; k < count; ++k) {
            if (k > 0) {
                int c = m.contour[k];
                if (reverseTail && k + 2 >= m.rhythm.size())
                    c = -c;
                st = clampStep(st + c);
            }
            int pos = m.rhythm[k].first;
            if (pos == 0 || pos == 8)
                st = nearestChordTone(st, degree);
            tune.push_back({bar * 16 + pos, m.rhythm[k].second, st, (pos % 8 == 0 ? 0.85f : 0.7f) + 0.06f * uniform()});
        }
        current = st;
    };
    auto cadence = [&](int bar, int degree, bool final) {
        int goal = final ? degree : degree + 2;
        // The chord tone of that kind closest to where the line is.
        int best = goal;
        for (int o = -14; o <= 14; o += 7)
            if (std::abs(goal + o - current) < std::abs(best - current))
                best = goal + o;
        best = clampStep(best);
        if (uniform() < 0.5f) {
            int approach = best + (current > best ? 1 : -1);
            tune.push_back({bar * 16, 4, approach, 0.72f});
            tune.push_back({bar * 16 + 4, final ? 12 : 8, best, 0.78f});
        } else {
            tune.push_back({bar * 16, final ? 14 : 10, best, 0.8f});
        }
        current = best;
    };

    bool sparse = plan_.melodyDensity < 0.35f;
    for (int bar = 0; bar < s.bars; ++bar) {
        int degree = degreeAt(s, bar);
        int inPeriod = bar % 8;
        bool last = bar == s.bars - 1;
        if (last || inPeriod == 7) {
            cadence(bar, degree, true);
            continue;
        }
        if (bar >= 8 && inPeriod == 2) {
            b = makeMotif(); // the second period answers with new material
            b2 = varied(b);
        }
        switch (inPeriod) {
        case 0: playMotif(a, bar, degree, false, false); break;
        case 1: playMotif(a, bar, degree, false, sparse); break;
        case 2: playMotif(b, bar, degree, false, false); break;
        case 3: cadence(bar, degree, false); break;
        case 4: playMotif(a, bar, degree, false, false); break;
        case 5: playMotif(a, bar, degree, true, sparse); break;
        case 6: playMotif(b2, bar, degree, true, false); break;
        }
    }
    return tune;
}

void Composer::addMelody(const Section& s, double t0, int timesHeard)
{
    if (static_cast<int>(melodies_.size()) <= s.melody)
        melodies_.resize(s.melody + 1);
    std::vector<MelodyNote>& tune = melodies_[s.melody];
    if (tune.empty())
        tune = writeMelody(s);
    double six = barSeconds() / 16.0;
    int lift = timesHeard > 0 && s.energy >= 0.75f ? 7 : 0;
    int base = plan_.root + plan_.melodyOffset;
    for (const MelodyNote& m : tune) {
        if (m.sixteenth >= s.bars * 16)
            break;
        int degree = degreeAt(s, m.sixteenth / 16);
        bool ornament = timesHeard > 0 && m.length >= 6 && uniform() < 0.35f;
        auto add = [&](int at, int len, int step, float vel) {
            Note n;
            n.start = t0 + at * six + (uniform() - 0.5f) * 0.008;
            n.dur = static_cast<float>(len * six * 0.94);
            n.pitch = pitchOf(step + lift, base);
            n.vel = 1.3f * vel * (0.8f + 0.2f * s.energy); // the tune sits on top of the mix
            n.voice = plan_.melodyVoice;
            n.pan = 0.08f;
            n.bright = 0.3f + 0.5f * s.energy;
            notes_.push_back(n);
        };
        if (ornament) {
            int neighbour = isChordTone(m.step + 1, degree) ? m.step + 2 : m.step + 1;
            add(m.sixteenth, 2, neighbour, m.vel * 0.85f);
            add(m.sixteenth + 2, m.length - 2, m.step, m.vel);
        } else {
            add(m.sixteenth, m.length, m.step, m.vel);
        }
    }
}

std::vector<Note> Composer::score()
{
    notes_.clear();
    melodies_.clear();
    std::map<int, int> heard;
    std::vector<float> voicing;
    std::vector<Note> held;
    double t = 0.0;
    for (size_t i = 0; i < plan_.sections.size(); ++i) {
        const Section& s = plan_.sections[i];
        bool last = i + 1 == plan_.sections.size();
        if (s.layers & LayerPad) {
            addPads(s, t, voicing, held);
        } else {
            for (Note& h : held)
                notes_.push_back(h);
            held.clear();
        }
        if (s.layers & LayerBass)
            addBass(s, t);
        if (s.layers & LayerArp)
            addArp(s, t);
        if (s.layers & LayerComp)
            addComp(s, t);
        if (s.layers & LayerBells)
            addBells(s, t);
        if (s.layers & LayerDrums)
            addDrums(s, t, last);
        if ((s.layers & LayerMelody) && s.melody >= 0)
            addMelody(s, t, heard[s.melody]++);
        if (s.layers & LayerDrone) {
            Note n;
            n.start = t;
            n.dur = static_cast<float>(s.bars * barSeconds());
            n.pitch = static_cast<float>(plan_.root - (plan_.root > 40 ? 12 : 0));
            n.vel = 0.8f;
            n.voice = Voice::Drone;
            n.bright = 0.2f + 0.5f * s.energy;
            notes_.push_back(n);
        }
        if (s.layers & LayerSwell) {
            Note n;
            n.start = t + (s.bars - 1) * barSeconds();
            n.dur = static_cast<float>(barSeconds());
            n.voice = Voice::Swell;
            n.vel = 0.8f;
            notes_.push_back(n);
        }
        t += s.bars * barSeconds();
    }
    for (Note& h : held)
        notes_.push_back(h);
    return notes_;
}

StereoBuffer Composer::render()
{
    std::vector<Note> notes = score();
    int frames = dsp::samplesOf(lengthSeconds());
    StereoBuffer dry(frames), reverbSend(frames), delaySend(frames);
    std::vector<float> scratch;
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        int count = Instruments::render(n, noteSeed(plan_.seed, i), scratch);
        // Every note ends on a short fade so a cut tail never clicks.
        int fade = std::min(count, 256);
        for (int k = 0; k < fade; ++k)
            scratch[count - 1 - k] *= static_cast<float>(k) / static_cast<float>(fade);
        int start = dsp::samplesOf(n.start);
        MixSettings mix = mixFor(n.voice);
        float g = mix.gain * n.vel;
        dry.addMono(scratch, count, start, g, n.pan);
        if (mix.reverb > 0.0f)
            reverbSend.addMono(scratch, count, start, g * mix.reverb, n.pan);
        if (mix.delay > 0.0f)
            delaySend.addMono(scratch, count, start, g * mix.delay, n.pan);
    }
    int delayFrames = dsp::samplesOf(0.75 * 60.0 / plan_.bpm);
    StereoBuffer echoes = pingPong(delaySend, delayFrames, 0.42f);
    dry.mix(echoes, plan_.delayMix * 2.0f);
    reverbSend.mix(echoes, 0.4f);
    StereoBuffer wet = Reverb(plan_.reverbRoom, 0.5f).process(reverbSend);
    dry.mix(wet, plan_.reverbMix * 3.0f);
    dry.removeDc(25.0f);
    dry.fadeIn(0.05f);
    dry.fadeOut(6.0f);
    dry.matchLoudness(0.16f, 2.0f, 0.891f);
    return dry;
}
