#pragma once

#include <cstdint>
#include <vector>

// The instruments of the game's music and effects.
enum class Voice {
    Pad,     // slow detuned saws under a drifting low-pass
    Bass,    // round sine bass with a filtered saw edge
    Pulse,   // short, tight bass for sequenced ostinati
    Pluck,   // bright saw pluck for arpeggios
    Keys,    // two-operator FM electric piano
    Bell,    // inharmonic FM bell
    Lead,    // soft saw lead with delayed vibrato
    Flute,   // breathy sine lead
    Kick,
    Snare,
    Hat,
    OpenHat,
    Tom,
    Drone,   // low fifth drone for tension and space
    Swell,   // rising filtered noise into a section change
};

// One note of a score. `bright` (0..1) opens filters and strengthens modulation; it is how a
// louder section sounds fuller rather than just louder.
struct Note {
    double start = 0.0; // seconds
    float dur = 0.25f;  // seconds until release
    float pitch = 60.0f; // MIDI note number, fractional for detuned layers
    float vel = 1.0f;
    Voice voice = Voice::Pad;
    float pan = 0.0f;
    float bright = 0.5f;
};

// Renders single notes of every voice as mono signals. Everything random inside a note comes
// from the seed, so a score renders to the same samples every time.
class Instruments {
public:
    // Writes the note's samples into `out` (resized as needed) and returns how many there are,
    // including the release tail.
    static int render(const Note& note, uint32_t seed, std::vector<float>& out);
    // How far past its start the note sounds, in seconds.
    static float length(const Note& note);
};
