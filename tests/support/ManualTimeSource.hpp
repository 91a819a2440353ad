#pragma once

#include "core/TimeSource.hpp"

// A clock that only moves when told to, for stepping the loop's timing by hand.
class ManualTimeSource : public TimeSource {
public:
    sf::Time now() const override { return now_; }
    void advance(sf::Time by) { now_ += by; }

private:
    sf::Time now_ = sf::seconds(1000);
};
