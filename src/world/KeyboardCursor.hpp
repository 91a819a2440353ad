#pragma once

#include "core/Stopwatch.hpp"

#include <SFML/System/Vector2.hpp>

// Steering the pointer with the keys on the map (W A S D or the arrows), for players without
// a mouse at hand. Opposite keys held together cancel out; the pointer starts at 2 units per
// fixed step and speeds up the longer a key is held, up to maxSpeed, and stays on the 640 x 360
// screen. Headless: the game reads the keys and moves the pointer where this says.
class KeyboardCursor {
public:
    struct Keys {
        bool up = false;
        bool down = false;
        bool left = false;
        bool right = false;
        bool any() const { return up || down || left || right; }
    };
    static constexpr float startSpeed = 2.f;

    explicit KeyboardCursor(const TimeSource& time = systemTime());

    // One fixed step with `held` keys down: where the pointer at `position` goes.
    sf::Vector2f step(Keys held, sf::Vector2f position);

    // Keyboard steering is on (with it off the keys only drop the buttons' highlight).
    bool enabled = true;
    float maxSpeed = 8.f;

    float speed() const { return speed_; }
    bool isMoving() const { return moving_; }

private:
    Stopwatch clock_;
    float speed_ = startSpeed;
    bool moving_ = false;
};
