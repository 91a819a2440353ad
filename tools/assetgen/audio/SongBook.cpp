#include "audio/SongBook.hpp"

namespace {

constexpr unsigned kAmbient = LayerPad | LayerBells;

// Title music: wistful and spacious. F# minor with the major sixth and third (i VI III VII),
// slow, an electric piano carrying the tune over pads and distant bells.
SongPlan mainMenu()
{
    SongPlan p;
    p.path = "sounds/music/MainMenu.ogg";
    p.seed = 1101;
    p.root = 42;
    p.mode = modes::aeolian;
    p.bpm = 72.0f;
    p.progressionA = {0, 5, 2, 6};
    p.progressionB = {3, 5, 0, 6};
    p.bass = BassStyle::Long;
    p.arp = ArpStyle::Sparse;
    p.arpVoice = Voice::Bell;
    p.melodyVoice = Voice::Keys;
    p.melodyOffset = 24;
    p.melodyDensity = 0.3f;
    p.sevenths = true;
    p.reverbRoom = 0.9f;
    p.reverbMix = 0.38f;
    p.sections = {
        {4, 0, kAmbient, 0.2f, -1},
        {8, 0, LayerPad | LayerBass | LayerMelody, 0.4f, 0},
        {8, 1, LayerPad | LayerBass | LayerArp | LayerMelody, 0.55f, 1},
        {8, 0, LayerPad | LayerBass | LayerBells | LayerMelody, 0.65f, 0},
        {4, 1, LayerPad | LayerArp, 0.4f, -1},
        {4, 0, kAmbient, 0.2f, -1},
    };
    return p;
}

// Exploration, curious: C lydian's raised fourth, a rippling pluck arpeggio, light drums and a
// flute that wanders and comes back.
SongPlan cartography()
{
    SongPlan p;
    p.path = "sounds/music/Cartography.ogg";
    p.seed = 2202;
    p.root = 36;
    p.mode = modes::lydian;
    p.bpm = 96.0f;
    p.progressionA = {0, 1, 5, 4};
    p.progressionB = {5, 1, 0, 4};
    p.bass = BassStyle::Halves;
    p.drums = DrumStyle::Soft;
    p.arp = ArpStyle::UpDown16;
    p.arpVoice = Voice::Pluck;
    p.melodyVoice = Voice::Flute;
    p.melodyOffset = 24;
    p.melodyDensity = 0.55f;
    p.reverbMix = 0.28f;
    p.sections = {
        {4, 0, LayerPad | LayerArp, 0.3f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass, 0.45f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums | LayerMelody, 0.6f, 0},
        {8, 1, LayerPad | LayerBass | LayerDrums | LayerMelody | LayerBells, 0.6f, 1},
        {8, 1, LayerPad | LayerBells | LayerDrone, 0.35f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums | LayerMelody | LayerSwell, 0.8f, 0},
        {4, 0, LayerPad | LayerArp, 0.3f, -1},
    };
    return p;
}

// Exploration, calm: E-flat major, warm keys comping, a soft saw lead, no drums, long bass.
SongPlan drift()
{
    SongPlan p;
    p.path = "sounds/music/Drift.ogg";
    p.seed = 3303;
    p.root = 39;
    p.mode = modes::ionian;
    p.bpm = 80.0f;
    p.progressionA = {0, 4, 5, 3};
    p.progressionB = {5, 3, 0, 4};
    p.bass = BassStyle::Long;
    p.arp = ArpStyle::Broken8;
    p.arpVoice = Voice::Bell;
    p.melodyVoice = Voice::Lead;
    p.melodyOffset = 24;
    p.melodyDensity = 0.4f;
    p.sevenths = true;
    p.reverbMix = 0.32f;
    p.sections = {
        {4, 0, kAmbient, 0.25f, -1},
        {8, 0, LayerPad | LayerBass | LayerComp, 0.4f, -1},
        {8, 0, LayerPad | LayerBass | LayerComp | LayerMelody, 0.5f, 0},
        {8, 1, LayerPad | LayerBass | LayerArp | LayerMelody, 0.55f, 1},
        {8, 1, LayerPad | LayerBells | LayerDrone, 0.3f, -1},
        {8, 0, LayerPad | LayerBass | LayerComp | LayerArp | LayerMelody, 0.75f, 0},
        {4, 0, kAmbient, 0.25f, -1},
    };
    return p;
}

// Exploration, lonely: B minor, very slow, a drone under the pads, a sparse flute and bells.
SongPlan longNight()
{
    SongPlan p;
    p.path = "sounds/music/LongNight.ogg";
    p.seed = 4404;
    p.root = 35;
    p.mode = modes::aeolian;
    p.bpm = 66.0f;
    p.progressionA = {0, 5, 3, 4};
    p.progressionB = {2, 6, 5, 4};
    p.bass = BassStyle::Long;
    p.arp = ArpStyle::Sparse;
    p.arpVoice = Voice::Keys;
    p.melodyVoice = Voice::Flute;
    p.melodyOffset = 24;
    p.melodyDensity = 0.2f;
    p.reverbRoom = 0.92f;
    p.reverbMix = 0.4f;
    p.sections = {
        {4, 0, LayerPad | LayerDrone, 0.2f, -1},
        {8, 0, LayerPad | LayerDrone | LayerMelody, 0.35f, 0},
        {8, 1, LayerPad | LayerBass | LayerBells | LayerArp, 0.4f, -1},
        {8, 0, LayerPad | LayerBass | LayerMelody | LayerBells, 0.5f, 0},
        {4, 1, LayerPad | LayerDrone, 0.25f, -1},
        {4, 0, LayerPad | LayerBells, 0.2f, -1},
    };
    return p;
}

// Mission, tense: E phrygian's flat second, a sixteenth-note bass pulse, ticking hats, toms and
// a drone; the lead only speaks in short phrases.
SongPlan breach()
{
    SongPlan p;
    p.path = "sounds/missionMusic/Breach.ogg";
    p.seed = 5505;
    p.root = 40;
    p.mode = modes::phrygian;
    p.bpm = 120.0f;
    p.progressionA = {0, 1, 0, 6};
    p.progressionB = {5, 1, 3, 0};
    p.bass = BassStyle::Pulse16;
    p.drums = DrumStyle::Tense;
    p.arp = ArpStyle::Sparse;
    p.arpVoice = Voice::Pluck;
    p.melodyVoice = Voice::Lead;
    p.melodyOffset = 24;
    p.melodyDensity = 0.3f;
    p.reverbMix = 0.25f;
    p.delayMix = 0.3f;
    p.sections = {
        {4, 0, LayerDrone | LayerBass, 0.4f, -1},
        {8, 0, LayerDrone | LayerBass | LayerDrums | LayerPad, 0.6f, -1},
        {8, 0, LayerBass | LayerDrums | LayerPad | LayerMelody | LayerSwell, 0.75f, 0},
        {8, 1, LayerDrone | LayerBass | LayerArp | LayerPad, 0.55f, -1},
        {8, 1, LayerBass | LayerDrums | LayerArp | LayerPad | LayerMelody | LayerSwell, 0.85f, 1},
        {8, 0, LayerDrone | LayerBass | LayerDrums | LayerPad | LayerMelody, 0.9f, 0},
        {4, 0, LayerDrone | LayerPad, 0.3f, -1},
    };
    return p;
}

// Mission, pressing: C harmonic minor with its major dominant, a running pluck arpeggio over
// the pulse, half-time drums and a bell line.
SongPlan signalLost()
{
    SongPlan p;
    p.path = "sounds/missionMusic/SignalLost.ogg";
    p.seed = 6606;
    p.root = 36;
    p.mode = modes::harmonicMinor;
    p.bpm = 108.0f;
    p.progressionA = {0, 5, 3, 4};
    p.progressionB = {0, 3, 5, 4};
    p.bass = BassStyle::Pulse16;
    p.drums = DrumStyle::Tense;
    p.arp = ArpStyle::UpDown16;
    p.arpVoice = Voice::Pluck;
    p.melodyVoice = Voice::Bell;
    p.melodyOffset = 24;
    p.melodyDensity = 0.35f;
    p.reverbMix = 0.25f;
    p.sections = {
        {4, 0, LayerPad | LayerArp, 0.35f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass, 0.55f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums | LayerMelody, 0.7f, 0},
        {8, 1, LayerPad | LayerBass | LayerDrums | LayerDrone | LayerSwell, 0.65f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums | LayerMelody, 0.9f, 0},
        {8, 1, LayerPad | LayerArp | LayerBass | LayerDrums | LayerDrone, 0.8f, -1},
        {4, 0, LayerPad | LayerDrone, 0.3f, -1},
    };
    return p;
}

// Credits: G major, uplifting, building to its fullest between 55 s and 95 s (the game starts
// it 70 s in), with driving drums, eighth-note bass, comping keys and the lead doubled high.
SongPlan credits()
{
    SongPlan p;
    p.path = "sounds/music/VEZIREZAVIDUDA.ogg";
    p.seed = 7707;
    p.root = 43;
    p.mode = modes::ionian;
    p.bpm = 104.0f;
    p.progressionA = {0, 4, 5, 3};
    p.progressionB = {3, 4, 2, 5};
    p.bass = BassStyle::Eighths;
    p.drums = DrumStyle::Driving;
    p.arp = ArpStyle::Up8;
    p.arpVoice = Voice::Pluck;
    p.melodyVoice = Voice::Lead;
    p.melodyOffset = 12;
    p.melodyDensity = 0.6f;
    p.reverbMix = 0.28f;
    p.sections = {
        {4, 0, LayerPad | LayerArp, 0.35f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums, 0.55f, -1},
        {8, 1, LayerPad | LayerBass | LayerDrums | LayerMelody | LayerComp, 0.65f, 1},
        {4, 0, LayerPad | LayerBells | LayerSwell, 0.4f, -1},
        {8, 0, LayerPad | LayerArp | LayerBass | LayerDrums | LayerComp | LayerMelody, 0.9f, 0},
        {8, 1, LayerPad | LayerArp | LayerBass | LayerDrums | LayerComp | LayerMelody | LayerBells, 1.0f, 1},
        {6, 0, LayerPad | LayerBells | LayerComp, 0.35f, -1},
    };
    return p;
}

} // namespace

std::vector<SongPlan> SongBook::all()
{
    return {mainMenu(), cartography(), drift(), longNight(), breach(), signalLost(), credits()};
}
