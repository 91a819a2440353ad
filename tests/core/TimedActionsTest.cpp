#include "core/TimedActionGroup.hpp"
#include "core/TimedActions.hpp"

#include "support/ManualTimeSource.hpp"

#include <gtest/gtest.h>

#include <vector>

TEST(TimedActions, EachActionFiresOnceAfterItsDelayInTheOrderAdded)
{
    ManualTimeSource time;
    TimedActions actions(time);
    std::vector<int> fired;
    actions.add([&] { fired.push_back(1); }, sf::milliseconds(100));
    actions.add([&] { fired.push_back(2); }, sf::milliseconds(50));
    actions.add([&] { fired.push_back(3); }, sf::milliseconds(50));

    time.advance(sf::milliseconds(50));
    actions.fire();
    EXPECT_TRUE(fired.empty()); // due only once the delay is exceeded
    time.advance(sf::milliseconds(1));
    actions.fire();
    EXPECT_EQ(fired, (std::vector<int>{2, 3}));
    EXPECT_EQ(actions.size(), 1u);

    time.advance(sf::milliseconds(100));
    actions.fire();
    actions.fire();
    EXPECT_EQ(fired, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(actions.size(), 0u);
}

TEST(TimedActions, RemovingByIdClearsTheCallersIdAndUnknownIdsAreRefused)
{
    ManualTimeSource time;
    TimedActions actions(time);
    std::uint16_t none = 5;
    EXPECT_FALSE(actions.remove(none)); // empty list
    bool ran = false;
    std::uint16_t id = actions.add([&] { ran = true; }, sf::Time::Zero);
    std::uint16_t other = static_cast<std::uint16_t>(id + 1);
    EXPECT_FALSE(actions.remove(other));
    EXPECT_TRUE(actions.remove(id));
    EXPECT_EQ(id, 0);
    EXPECT_FALSE(actions.remove(id));
    time.advance(sf::seconds(1));
    actions.fire();
    EXPECT_FALSE(ran);
}

TEST(TimedActions, IdsWrapPastZeroAndSkipThoseStillHeld)
{
    ManualTimeSource time;
    TimedActions actions(time);
    std::vector<int> fired;
    // Action 1 waits a long time while 65534 others come and go.
    EXPECT_EQ(actions.add([&] { fired.push_back(1); }, sf::seconds(10)), 1);
    for (int i = 2; i <= 65535; ++i) {
        std::uint16_t id = actions.add([] {}, sf::Time::Zero);
        ASSERT_EQ(id, i);
        actions.remove(id);
    }
    // After 65535 the counter wraps; 0 means "no action" and 1 is still held.
    std::uint16_t next = actions.add([&] { fired.push_back(2); }, sf::Time::Zero);
    EXPECT_EQ(next, 2);
    // Each id names its own action: firing and cancelling reach the right one.
    time.advance(sf::milliseconds(1));
    actions.fire();
    EXPECT_EQ(fired, std::vector<int>{2});
    std::uint16_t first = 1;
    EXPECT_TRUE(actions.remove(first));
    time.advance(sf::seconds(20));
    actions.fire();
    EXPECT_EQ(fired, std::vector<int>{2});
    EXPECT_EQ(actions.size(), 0u);
}

TEST(TimedActions, ActionsMayChangeTheListWhileFiring)
{
    ManualTimeSource time;
    TimedActions actions(time);
    std::vector<int> fired;
    std::uint16_t victim = 0;
    actions.add(
        [&] {
            fired.push_back(1);
            actions.remove(victim);
            for (int i = 0; i < 50; ++i) // enough to move the list's storage
                actions.add([&] { fired.push_back(9); }, sf::Time::Zero);
        },
        sf::Time::Zero);
    victim = actions.add([&] { fired.push_back(2); }, sf::Time::Zero);
    time.advance(sf::milliseconds(1));
    actions.fire();
    EXPECT_EQ(fired, std::vector<int>{1});
    EXPECT_EQ(actions.size(), 50u);
    time.advance(sf::milliseconds(1));
    actions.fire();
    EXPECT_EQ(fired.size(), 51u);
}

TEST(TimedActionGroup, ActionsOfAGroupNeverRunOnceItIsGone)
{
    ManualTimeSource time;
    TimedActions::install(std::make_unique<TimedActions>(time));
    std::vector<int> fired;
    {
        TimedActionGroup group;
        group.add([&] { fired.push_back(1); }, sf::milliseconds(100));
        group.add([&] { fired.push_back(2); }, sf::milliseconds(500));
        time.advance(sf::milliseconds(200));
        TimedActions::get().fire();
        EXPECT_EQ(fired, std::vector<int>{1});
        EXPECT_EQ(group.pending(), 1u); // the one that ran left the group
    }
    EXPECT_EQ(TimedActions::get().size(), 0u);
    time.advance(sf::seconds(1));
    TimedActions::get().fire();
    EXPECT_EQ(fired, std::vector<int>{1});

    // A group outliving the list (shutdown) goes quietly.
    auto late = std::make_unique<TimedActionGroup>();
    late->add([&] { fired.push_back(3); }, sf::milliseconds(1));
    TimedActions::destroy();
    late.reset();
    EXPECT_FALSE(TimedActions::exists());
}
