#include "world/DayClock.hpp"

#include "world/Ship.hpp"

bool DayClock::step(Ship& ship)
{
    bool ticked = false;
    if (stepCounter_ % (flashMax - flashLevel_) == 0) {
        const float level = static_cast<float>(flashLevel_);
        ship.setJumpDays(ship.getJumpDays() + 0.01f + 0.01f * level * level);
        if (++fastFrame_ == frameCount) {
            fastFrame_ = 0;
            slowFrame_ = (slowFrame_ + 1) % frameCount;
        }
        stepCounter_ = 0;
        ticked = true;
    }
    ++stepCounter_;
    return ticked;
}

void DayClock::raiseFlash()
{
    if (flashLevel_ < flashMax - 1)
        ++flashLevel_;
}

void DayClock::reset()
{
    stepCounter_ = 0;
    flashLevel_ = 0;
    fastFrame_ = 0;
}
