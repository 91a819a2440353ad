#include "core/WindowGeometry.hpp"

#include <gtest/gtest.h>

TEST(WindowGeometry, LetterboxKeepsSixteenByNineWithBarsOnTheLongSide)
{
    struct Case {
        unsigned w, h;
        sf::FloatRect viewport;
    };
    for (const Case& c : {
             Case{1280, 720, {0.f, 0.f, 1.f, 1.f}},
             Case{1280, 1024, {0.f, 0.1484375f, 1.f, 0.703125f}},
             Case{1920, 800, {(1.f - 0.7407407f) / 2.f, 0.f, 0.7407407f, 1.f}},
             Case{640, 360, {0.f, 0.f, 1.f, 1.f}},
         }) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        sf::FloatRect v = letterboxViewport(c.w, c.h);
        EXPECT_NEAR(v.left, c.viewport.left, 1e-5f);
        EXPECT_NEAR(v.top, c.viewport.top, 1e-5f);
        EXPECT_NEAR(v.width, c.viewport.width, 1e-5f);
        EXPECT_NEAR(v.height, c.viewport.height, 1e-5f);
    }
}

TEST(WindowGeometry, ResizingBelowTheLogicalSizeSnapsBackTo640By360)
{
    EXPECT_EQ(windowSizeAfterResize(800, 300), sf::Vector2u(640, 360));
    EXPECT_EQ(windowSizeAfterResize(639, 1000), sf::Vector2u(640, 360));
    EXPECT_EQ(windowSizeAfterResize(640, 360), sf::Vector2u(640, 360));
    EXPECT_EQ(windowSizeAfterResize(1280, 1024), sf::Vector2u(1280, 1024));
}

// A window as large as the screen, placed below its top (a screen without a window manager),
// is moved up until it lies wholly on the screen; one that fits stays where it is.
TEST(WindowGeometry, AWindowIsKeptWhollyOnTheScreen)
{
    const sf::Vector2u desktop(1280, 1024);
    struct Case {
        sf::Vector2i position;
        sf::Vector2u size;
        sf::Vector2i expected;
    };
    const Case cases[] = {
        {{0, 280}, {1280, 1024}, {0, 0}},
        {{0, 128}, {1280, 1024}, {0, 0}},
        {{320, 152}, {640, 720}, {320, 152}},
        {{900, 500}, {640, 720}, {640, 304}},
        {{-40, -10}, {640, 360}, {0, 0}},
        {{100, 100}, {1600, 1200}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windowPositionOnScreen(c.position, c.size, desktop), c.expected)
            << c.position.x << "," << c.position.y << " " << c.size.x << "x" << c.size.y;
}
