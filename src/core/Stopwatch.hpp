#pragma once

#include "core/TimeSource.hpp"

// A restartable clock on a TimeSource: the loop's frame, phase and audio clocks, and the
// clock of each delayed action. It only reads its source, so copies are independent.
class Stopwatch {
public:
    explicit Stopwatch(const TimeSource& source = systemTime());

    sf::Time elapsed() const;
    // Starts again from zero and returns the time shown before.
    sf::Time restart();

private:
    const TimeSource* source_;
    sf::Time start_;
};
