#pragma once

#include <SFML/System/Time.hpp>

// The work of one frame that the FrameLoop orders and times; the Game implements it with
// its window and screens, tests with recorders.
class LoopPhases {
public:
    virtual ~LoopPhases() = default;
    virtual void updateAudio(float dtSeconds) = 0;
    virtual void enterState() = 0;
    virtual void fixedStep() = 0;
    // True when it handled any event.
    virtual bool handleInput() = 0;
    // True while the screen shows a picture that only an event changes (the title, the
    // options): its fixed steps alone then need no new frame.
    virtual bool pictureIsStill() const { return false; }
    virtual void draw() = 0;
    // The rest at the end of every frame: `idle` is what is left of the frame's length when
    // it was not drawn (a drawn frame was paced by the window's frame limit), else zero.
    virtual void rest(sf::Time idle) = 0;
};
