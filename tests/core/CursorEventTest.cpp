#include "core/CursorEvent.hpp"
#include "core/WindowGeometry.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {

class CursorEventTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        writeButtonSheet(assets + "menu_popup/button_resume.png", 64, 18, sf::Color::Blue, sf::Color::Cyan,
                         sf::Color::White);
        TextureManager::resetForTests(assets, true);
    }
};

} // namespace

// The close button of a message window spans (288, 248) to (352, 266) in the game view. A click
// forwarded by the game loop must land where the cursor sprite is, whatever the window's size
// and letterbox, because the window maps the event's pixel position through the game view.
TEST_F(CursorEventTest, AClickAtTheCursorReachesTheControlUnderItAtAnyWindowSize)
{
    struct Case {
        unsigned width, height;
        sf::Vector2f cursor;
        bool hits;
    };
    const std::vector<Case> cases = {
        {640, 360, {300.f, 255.f}, true},   {1280, 720, {300.f, 255.f}, true}, {1280, 1024, {300.f, 255.f}, true},
        {1000, 400, {350.f, 264.f}, true},  {1280, 720, {280.f, 255.f}, false}, {1280, 1024, {300.f, 240.f}, false},
    };
    for (const Case& c : cases) {
        sf::RenderTexture window;
        ASSERT_TRUE(window.create(c.width, c.height));
        sf::View gameView(sf::FloatRect(0.f, 0.f, 640.f, 360.f));
        gameView.setViewport(letterboxViewport(c.width, c.height));

        WindowManager& windows = WindowManager::get();
        windows.showMessage("Saved", true);
        sf::Event click;
        click.type = sf::Event::MouseButtonPressed;
        click.mouseButton.button = sf::Mouse::Left;
        click.mouseButton.x = 0;
        click.mouseButton.y = 0;
        pointEventAtCursor(click, window, gameView, c.cursor);
        windows.handleEvent(click, window, gameView);
        EXPECT_EQ(windows.current()->closed, c.hits) << c.width << "x" << c.height << " at " << c.cursor.x << ","
                                                     << c.cursor.y;
    }
}

TEST_F(CursorEventTest, OnlyEventsWithAPointerPositionAreMoved)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1280, 720));
    const sf::View gameView(sf::FloatRect(0.f, 0.f, 640.f, 360.f));

    sf::Event wheel;
    wheel.type = sf::Event::MouseWheelScrolled;
    wheel.mouseWheelScroll.delta = 1.f;
    wheel.mouseWheelScroll.x = 0;
    wheel.mouseWheelScroll.y = 0;
    pointEventAtCursor(wheel, window, gameView, {100.f, 50.f});
    EXPECT_EQ(sf::Vector2i(wheel.mouseWheelScroll.x, wheel.mouseWheelScroll.y), sf::Vector2i(200, 100));
    EXPECT_EQ(wheel.mouseWheelScroll.delta, 1.f);

    sf::Event key;
    key.type = sf::Event::KeyPressed;
    key.key.code = sf::Keyboard::Enter;
    key.key.alt = true;
    pointEventAtCursor(key, window, gameView, {100.f, 50.f});
    EXPECT_EQ(key.key.code, sf::Keyboard::Enter);
    EXPECT_TRUE(key.key.alt);
}
