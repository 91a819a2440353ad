#pragma once

#include "audio/Instruments.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What a section of a song plays: a set of these layer bits.
enum Layer : unsigned {
    LayerPad = 1u << 0,
    LayerBass = 1u << 1,
    LayerArp = 1u << 2,
    LayerMelody = 1u << 3,
    LayerComp = 1u << 4,   // chords on the keys
    LayerBells = 1u << 5,  // sparse high chord tones
    LayerDrums = 1u << 6,
    LayerDrone = 1u << 7,
    LayerSwell = 1u << 8,  // noise riser into the next section
};

enum class BassStyle { Long, Halves, Eighths, Pulse16 };
enum class DrumStyle { Soft, Driving, Tense };
enum class ArpStyle { Up8, UpDown16, Broken8, Sparse };

// One stretch of a song: how many bars, which chord progression (0 = A, 1 = B), which
// layers, how intense (0..1), and which melody (-1 none; the same id brings the same tune
// back, varied).
struct Section {
    int bars;
    int progression;
    unsigned layers;
    float energy;
    int melody;
};

// The full description of one piece of music: key, mode, tempo, harmony, form and sound.
// The composer turns it into notes; the seed makes every random choice repeatable.
struct SongPlan {
    std::string path;              // inside the assets folder
    uint32_t seed = 1;
    int root = 40;                 // MIDI note of the tonic in the bass register
    std::array<int, 7> mode{};     // semitones of the seven scale steps above the tonic
    float bpm = 90.0f;
    std::vector<int> progressionA; // one chord per bar, as scale degrees (0 = tonic)
    std::vector<int> progressionB;
    std::vector<Section> sections;
    BassStyle bass = BassStyle::Long;
    DrumStyle drums = DrumStyle::Soft;
    ArpStyle arp = ArpStyle::Up8;
    Voice melodyVoice = Voice::Lead;
    Voice arpVoice = Voice::Pluck;
    int melodyOffset = 24;         // semitones from the root to the melody's home note
    float melodyDensity = 0.5f;    // 0 sparse .. 1 busy
    bool sevenths = false;         // pads and comping add the seventh
    float reverbRoom = 0.8f;
    float reverbMix = 0.3f;
    float delayMix = 0.25f;
};

namespace modes {
constexpr std::array<int, 7> ionian{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> dorian{0, 2, 3, 5, 7, 9, 10};
constexpr std::array<int, 7> phrygian{0, 1, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> lydian{0, 2, 4, 6, 7, 9, 11};
constexpr std::array<int, 7> mixolydian{0, 2, 4, 5, 7, 9, 10};
constexpr std::array<int, 7> aeolian{0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> harmonicMinor{0, 2, 3, 5, 7, 8, 11};
} // namespace modes
