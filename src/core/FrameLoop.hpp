#pragma once

#include "core/LoopPhases.hpp"
#include "core/SavingIndicator.hpp"
#include "core/Stopwatch.hpp"

// One pass of the main loop: the order of its phases and every timing decision in it.
// Audio is fed the time since its last update, a requested state switch is applied
// (optionally after holding the old picture for a quarter second), simulation time is paid
// out in fixed steps of 0.05 s however long the frame took, and a phase slower than 100 ms
// is logged. The window and the screens stay behind LoopPhases, so a hand-stepped clock can
// drive all of this headless.
class FrameLoop {
public:
    static constexpr float holdSeconds = 0.25f;

    FrameLoop(LoopPhases& phases, const TimeSource& time = systemTime());

    // Restarts the frame and audio clocks; call right before the first frame.
    void start();
    void frame();

    sf::Time fixedStepLength() const { return fixedStepLength_; }
    sf::Time accumulator() const { return accumulator_; }
    SavingIndicator& savingIndicator() { return savingIndicator_; }

private:
    void logIfSlow(const char* what);

    LoopPhases& phases_;
    const TimeSource& time_;
    Stopwatch frameClock_;
    Stopwatch phaseClock_;
    Stopwatch audioClock_;
    sf::Time fixedStepLength_ = sf::milliseconds(50);
    sf::Time accumulator_;
    SavingIndicator savingIndicator_;
};
