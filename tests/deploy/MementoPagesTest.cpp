#include "deploy/MementoPages.hpp"

#include <gtest/gtest.h>

TEST(MementoPages, TheRightArrowStopsAtThePageOfTheLastMemento)
{
    struct Case {
        std::int32_t count;
        std::int32_t from;
        std::int32_t next;
        bool rightAfter;
    };
    const Case cases[] = {
        { 25, 0, 1, false }, // page 0 -> 1 -> stays 1
        { 25, 1, 1, false },
        { 20, 0, 0, false }, // exactly one full page: no empty second page
        { 40, 0, 1, false },
        { 41, 1, 2, false },
        { 0, 0, 0, false },
        { 21, 0, 1, false },
        { 60, 0, 1, true },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MementoPages::next(c.from, c.count), c.next) << c.count << " from " << c.from;
        EXPECT_EQ(MementoPages::rightEnabled(MementoPages::next(c.from, c.count), c.count), c.rightAfter) << c.count;
    }
    EXPECT_EQ(MementoPages::previous(0), 0);
    EXPECT_EQ(MementoPages::previous(2), 1);
    EXPECT_FALSE(MementoPages::leftEnabled(0));
}
