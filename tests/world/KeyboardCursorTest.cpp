#include "world/KeyboardCursor.hpp"
#include "support/ManualTimeSource.hpp"

#include <gtest/gtest.h>

namespace {

using Keys = KeyboardCursor::Keys;

TEST(KeyboardCursor, OppositeKeysCancelAndThePointerStaysOnTheScreen)
{
    ManualTimeSource time;
    KeyboardCursor cursor(time);
    const sf::Vector2f start(100.f, 100.f);
    EXPECT_EQ(cursor.step(Keys {false, false, true, true}, start), start);
    EXPECT_FALSE(cursor.isMoving());
    EXPECT_EQ(cursor.step(Keys {true, false, true, true}, start), sf::Vector2f(100.f, 98.f));
    EXPECT_EQ(cursor.step(Keys {false, true, false, true}, {639.f, 358.f}), sf::Vector2f(639.f, 359.f));
    cursor.enabled = false;
    EXPECT_EQ(cursor.step(Keys {true, false, false, false}, start), start);
}

TEST(KeyboardCursor, StartsAtTwoUnitsAStepAndSpeedsUpWhileAKeyIsHeld)
{
    ManualTimeSource time;
    KeyboardCursor cursor(time);
    const Keys right {false, false, false, true};
    sf::Vector2f at(0.f, 50.f);
    at = cursor.step(right, at);
    EXPECT_EQ(at.x, 2.f);
    time.advance(sf::milliseconds(100));
    at = cursor.step(right, at);
    EXPECT_FLOAT_EQ(cursor.speed(), 2.5f);
    EXPECT_FLOAT_EQ(at.x, 4.5f);
    time.advance(sf::seconds(5));
    cursor.step(right, at);
    EXPECT_EQ(cursor.speed(), cursor.maxSpeed);
    cursor.step(Keys {}, at);
    EXPECT_EQ(cursor.speed(), KeyboardCursor::startSpeed);
}

} // namespace
