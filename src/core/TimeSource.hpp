#pragma once

#include <SFML/System/Time.hpp>

#include <cstdint>

// A monotonic time line the loop's timing decisions read. The game runs on the steady
// clock of systemTime(); tests and benchmarks substitute a clock they step by hand, so
// fixed steps, fades and delays can be checked without waiting.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    // Time since an arbitrary fixed origin; never goes backwards.
    virtual sf::Time now() const = 0;
};

// The process-wide steady clock.
TimeSource& systemTime();

// The low 32 bits of the steady clock's count in nanoseconds: the seed of whatever is random
// without needing to repeat (a new sector, the mission generator).
std::uint32_t clockSeed();
