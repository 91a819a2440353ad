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
//
// A frame is drawn only when its picture can differ from the last one: screens change in
// fixed steps and events only, so a frame with neither is skipped (and rests for the frame's
// length instead), as are the steps of a still screen once its last event is half a second
// old. Something is drawn at least every quarter second anyway, for a window system that
// lost the picture.
class FrameLoop {
public:
    static constexpr float holdSeconds = 0.25f;
    // The window's frame limit; a skipped frame rests this long instead.
    static constexpr unsigned int framesPerSecond = 30;
    static constexpr sf::Int32 frameMilliseconds = 1000 / framesPerSecond;
    static constexpr sf::Int32 refreshMilliseconds = 250;
    static constexpr sf::Int32 afterInputMilliseconds = 500;

    FrameLoop(LoopPhases& phases, const TimeSource& time = systemTime());

    // Restarts the frame and audio clocks; call right before the first frame.
    void start();
    void frame();

    sf::Time fixedStepLength() const { return fixedStepLength_; }
    sf::Time accumulator() const { return accumulator_; }
    SavingIndicator& savingIndicator() { return savingIndicator_; }

private:
    void logIfSlow(const char* what);
    bool shouldDraw(bool stepped, bool handledInput, bool switched) const;

    LoopPhases& phases_;
    const TimeSource& time_;
    Stopwatch frameClock_;
    Stopwatch phaseClock_;
    Stopwatch audioClock_;
    Stopwatch frameWork_;
    Stopwatch sinceDraw_;
    Stopwatch sinceInput_;
    sf::Time fixedStepLength_ = sf::milliseconds(50);
    sf::Time accumulator_;
    SavingIndicator savingIndicator_;
};
