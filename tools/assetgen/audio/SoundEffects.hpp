#pragma once

#include "audio/StereoBuffer.hpp"

#include <string>
#include <vector>

// The game's sound effects and loops, each synthesized from scratch: interface clicks, card
// lift and drop, death, quit, deploy whooshes, the thruster rumble, the light-jump charge and
// burst, and the space ambience (the last three loop without a seam where the game loops them).
class SoundEffects {
public:
    struct Effect {
        std::string path; // inside the assets folder
        StereoBuffer (*make)();
    };
    static std::vector<Effect> all();

    static StereoBuffer buttonClick();
    static StereoBuffer buttonClickTimeControls();
    static StereoBuffer characterInteract1();
    static StereoBuffer characterInteract3();
    static StereoBuffer death();
    static StereoBuffer deployLeave1();
    static StereoBuffer deployLeave2();
    static StereoBuffer quit();
    static StereoBuffer thrusters();
    static StereoBuffer thrustersJump();
    static StereoBuffer space();
};
