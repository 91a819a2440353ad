#include "support/FakeShipContext.hpp"
#include "world/DayClock.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

namespace {

TEST(DayClock, ADayPassesEveryEightHundredStepsAndTheDigitsTurnWithEachTick)
{
    FakeShipContext context;
    Ship ship(context);
    DayClock clock;
    int ticks = 0;
    for (int step = 0; step < 800; ++step)
        ticks += clock.step(ship) ? 1 : 0;
    EXPECT_EQ(ticks, 100);
    EXPECT_NEAR(ship.getJumpDays(), 1.f, 1e-4f);
    EXPECT_EQ(clock.fastFrame(), 100 % 16);
    EXPECT_EQ(clock.slowFrame(), 100 / 16);
}

TEST(DayClock, TheJumpFlashMakesTheDaysRace)
{
    for (int level : {1, 3, 7}) {
        FakeShipContext context;
        Ship ship(context);
        DayClock clock;
        for (int i = 0; i < level; ++i)
            clock.raiseFlash();
        ASSERT_TRUE(clock.step(ship)) << level;
        for (int step = 1; step < 8 - level; ++step)
            EXPECT_FALSE(clock.step(ship)) << level << " step " << step;
        EXPECT_TRUE(clock.step(ship)) << level;
        const float tick = 0.01f + 0.01f * static_cast<float>(level * level);
        EXPECT_NEAR(ship.getJumpDays(), 2.f * tick, 1e-5f) << level;
    }
    DayClock clock;
    for (int i = 0; i < 20; ++i)
        clock.raiseFlash();
    EXPECT_EQ(clock.flashLevel(), DayClock::flashMax - 1);
    clock.reset();
    EXPECT_EQ(clock.flashLevel(), 0);
}

} // namespace
