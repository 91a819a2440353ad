#include "screens/EndingFade.hpp"
#include "support/ManualTimeSource.hpp"

#include <gtest/gtest.h>

namespace {

TEST(EndingFade, FadesInThenOutOnceThePlayerGoesOn)
{
    ManualTimeSource time;
    EndingFade fade(time);
    fade.start();
    EXPECT_EQ(fade.grey(), 0);
    time.advance(sf::seconds(0.75f));
    EXPECT_EQ(fade.grey(), 127);
    time.advance(sf::seconds(1.f));
    EXPECT_EQ(fade.grey(), 255);
    EXPECT_FALSE(fade.done());

    EXPECT_TRUE(fade.leave());
    time.advance(sf::seconds(0.4f));
    EXPECT_EQ(fade.grey(), 255);
    EXPECT_FALSE(fade.leave()) << "a second press does not start the fade again";
    time.advance(sf::seconds(0.85f));
    EXPECT_EQ(fade.grey(), 127);
    EXPECT_FALSE(fade.done());
    time.advance(sf::seconds(0.76f));
    EXPECT_TRUE(fade.done());
    EXPECT_EQ(fade.grey(), 0);
}

} // namespace
