#include "world/KeyboardCursor.hpp"

#include <algorithm>

namespace {

// -1, 0 or +1 along one axis.
float axis(bool negative, bool positive)
{
    if (negative == positive)
        return 0.f;
    return negative ? -1.f : 1.f;
}

} // namespace

KeyboardCursor::KeyboardCursor(const TimeSource& time)
    : clock_(time)
{
}

sf::Vector2f KeyboardCursor::step(Keys held, sf::Vector2f position)
{
    const sf::Vector2f direction =
        enabled ? sf::Vector2f(axis(held.left, held.right), axis(held.up, held.down)) : sf::Vector2f();
    if (direction == sf::Vector2f()) {
        speed_ = startSpeed;
        moving_ = false;
        return position;
    }
    if (!moving_) {
        moving_ = true;
        clock_.restart();
    }
    if (speed_ < maxSpeed)
        speed_ = std::min(maxSpeed, speed_ + static_cast<float>(clock_.elapsed().asMilliseconds()) * 0.005f);
    position += direction * speed_;
    return {std::clamp(position.x, 0.f, 639.f), std::clamp(position.y, 0.f, 359.f)};
}
