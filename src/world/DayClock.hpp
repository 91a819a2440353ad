#pragma once

class Ship;

// The sector time shown on the map. Every eighth fixed step it ticks, adding a hundredth of a
// day to the ship's days in the sector (a day per 40 s of flight), and each tick turns the
// clock's two digit animations, the fast one through its sixteen frames and the slow one a
// frame for every round of the fast one. While a light jump builds up its flash, the ticks
// come more often and grow with the square of the flash level, so the days race by.
// Headless; the map screen shows it.
class DayClock {
public:
    static constexpr int flashMax = 8;
    static constexpr int frameCount = 16;

    // One fixed step; true when the clock ticked.
    bool step(Ship& ship);
    // One more step of the light jump's flash, up to flashMax - 1.
    void raiseFlash();
    // A new sector: the step count, the flash and the fast digit start again.
    void reset();

    int flashLevel() const { return flashLevel_; }
    int fastFrame() const { return fastFrame_; }
    int slowFrame() const { return slowFrame_; }

private:
    int stepCounter_ = 0;
    int flashLevel_ = 0;
    int fastFrame_ = 0;
    int slowFrame_ = 0;
};
