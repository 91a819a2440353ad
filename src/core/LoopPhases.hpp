#pragma once

// The work of one frame that the FrameLoop orders and times; the Game implements it with
// its window and screens, tests with recorders.
class LoopPhases {
public:
    virtual ~LoopPhases() = default;
    virtual void updateAudio(float dtSeconds) = 0;
    virtual void enterState() = 0;
    virtual void fixedStep() = 0;
    virtual void handleInput() = 0;
    virtual void draw() = 0;
    // The short rest at the end of every frame.
    virtual void rest() = 0;
};
