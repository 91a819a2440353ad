#pragma once

#include "audio/Instruments.hpp"
#include "audio/SongPlan.hpp"
#include "audio/StereoBuffer.hpp"

#include <random>
#include <vector>

// Writes and performs one piece of music from its plan: voice-led chords for the pads, a bass
// line in the plan's style, arpeggios, a melody built from motifs in question-and-answer
// phrases that returns varied when its section returns, drums, and the mix with delay and
// reverb. The result is normalised to -1 dBFS and faded out at the end.
class Composer {
public:
    explicit Composer(const SongPlan& plan);

    std::vector<Note> score();
    StereoBuffer render();

    // Seconds of one bar at the plan's tempo (four beats).
    double barSeconds() const { return 4.0 * 60.0 / plan_.bpm; }
    double lengthSeconds() const;

private:
    struct MelodyNote {
        int sixteenth; // from the start of the tune
        int length;    // in sixteenths
        int step;      // scale step relative to the melody's home note
        float vel;
    };

    int degreeAt(const Section& s, int bar) const;
    float pitchOf(int scaleStep, int base) const;
    bool isChordTone(int step, int degree) const;
    int nearestChordTone(int step, int degree) const;
    std::vector<float> voiceChord(int degree, const std::vector<float>& previous) const;
    std::vector<MelodyNote> writeMelody(const Section& s);

    void addPads(const Section& s, double t0, std::vector<float>& voicing, std::vector<Note>& held);
    void addBass(const Section& s, double t0);
    void addArp(const Section& s, double t0);
    void addComp(const Section& s, double t0);
    void addBells(const Section& s, double t0);
    void addDrums(const Section& s, double t0, bool lastSection);
    void addMelody(const Section& s, double t0, int timesHeard);

    float uniform();
    int pick(int n);

    const SongPlan& plan_;
    std::mt19937 rng_;
    std::vector<Note> notes_;
    std::vector<std::vector<MelodyNote>> melodies_;
};
