#pragma once

#include "core/Stopwatch.hpp"

#include <SFML/Config.hpp>

// The ending picture's light: a 1.5 s fade in from black; once the player goes on (a click,
// Enter or Escape, taken once) the picture stays half a second, fades to black over 1.5 s,
// and then the credits are due. Headless: the game colours its sprite with grey() and asks
// done() at every step.
class EndingFade {
public:
    explicit EndingFade(const TimeSource& time = systemTime());

    void start();
    // The player goes on; false (and nothing changes) when already leaving.
    bool leave();
    bool leaving() const { return leaving_; }
    // The grey level to draw the picture with (0 black, 255 as it is).
    sf::Uint8 grey() const;
    bool done() const;

private:
    Stopwatch clock_;
    bool leaving_ = false;
};
