#include "support/UiTestSupport.hpp"
#include "ui/Button.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <cmath>

namespace {

class ButtonTest : public UiTest {
protected:
    sf::Texture solid(unsigned w, unsigned h, sf::Color color)
    {
        sf::Image image;
        image.create(w, h, color);
        sf::Texture texture;
        texture.loadFromImage(image);
        return texture;
    }
    // The colour at (x, y) after drawing `button` over a grey background.
    sf::Color drawnAt(Button& button, unsigned x, unsigned y)
    {
        sf::RenderTexture target;
        target.create(80, 40);
        target.clear(sf::Color(100, 100, 100));
        button.draw(target);
        target.display();
        return target.getTexture().copyToImage().getPixel(x, y);
    }
};

} // namespace

TEST_F(ButtonTest, ContainsItsEdgesAndNothingWhenDisabled)
{
    const sf::Texture frame = solid(50, 24, sf::Color::White);
    Button button;
    button.setTexture(frame);
    button.setPosition(10.f, 10.f);
    const std::vector<std::pair<sf::Vector2f, bool>> points = {
        {{10.f, 10.f}, true},  {{60.f, 34.f}, true},  {{35.f, 20.f}, true},  {{60.5f, 20.f}, false},
        {{9.9f, 20.f}, false}, {{30.f, 34.1f}, false}, {{30.f, 9.99f}, false},
    };
    for (const auto& [point, inside] : points)
        EXPECT_EQ(button.contains(point.x, point.y), inside) << point.x << "," << point.y;
    button.enabled = false;
    for (const auto& [point, inside] : points)
        EXPECT_FALSE(button.contains(point.x, point.y));
}

TEST_F(ButtonTest, FocusDarkensWithoutAHighlightFrameAndBrightensWithOne)
{
    const sf::Texture frame = solid(20, 10, sf::Color(128, 128, 128));
    const sf::Texture highlight = solid(22, 12, sf::Color(60, 0, 0));
    Button button;
    button.setTexture(frame);
    button.setPosition(10.f, 10.f);
    EXPECT_EQ(drawnAt(button, 15, 15), sf::Color(128, 128, 128));

    button.setFocus(true);
    EXPECT_EQ(drawnAt(button, 15, 15), sf::Color(64, 64, 64)); // multiplied by itself

    button.setHighlightTexture(highlight);
    EXPECT_EQ(drawnAt(button, 15, 15), sf::Color(188, 128, 128));
    // The highlight frame starts 2 units left of the sprite, over the grey background.
    EXPECT_EQ(drawnAt(button, 8, 15), sf::Color(160, 100, 100));
    EXPECT_EQ(drawnAt(button, 7, 15), sf::Color(100, 100, 100));

    button.setFocus(false);
    button.attention = true;
    EXPECT_EQ(drawnAt(button, 15, 15), sf::Color(255, 255, 255)); // added to itself
}

TEST_F(ButtonTest, TextButtonsAreAsHighAsTheirLines)
{
    const float line = std::floor(host.font.getLineSpacing(7));
    struct Case {
        const char* label;
        float lines;
    };
    for (const Case& c : {Case{"one", 1.f}, Case{"one\ntwo", 2.f}, Case{"\nlater", 1.f}, Case{"a\nb\nc", 3.f}}) {
        Button button;
        button.setPosition(100.f, 50.f);
        button.setText(c.label);
        const sf::FloatRect bounds = button.getBounds();
        EXPECT_EQ(bounds.height, c.lines * line) << c.label;
        const float labelWidth = TextManager::get().getText(button.getLabelId()).getGlobalBounds().width;
        EXPECT_FLOAT_EQ(bounds.width, 7.5f + labelWidth) << c.label;
        EXPECT_TRUE(button.contains(100.f, 50.f));
        EXPECT_FALSE(button.isSpriteMode());
    }
}

TEST_F(ButtonTest, TheLabelLeavesWithTheButtonAndMovesWithIt)
{
    int label = -1;
    {
        Button first;
        first.setText("moved");
        label = first.getLabelId();
        Button second(std::move(first));
        EXPECT_EQ(second.getLabelId(), label);
        EXPECT_TRUE(TextManager::get().hasText(label));
    }
    EXPECT_FALSE(TextManager::get().hasText(label));
    EXPECT_EQ(logText().find("Not removing."), std::string::npos); // removed once, not twice
}

TEST(FocusList, ClearingDropsEveryHighlightAndSkipsEmptySlots)
{
    struct Item : FocusableUI {
        void setFocus(bool value) override { focused = value; }
        bool focused = true;
    } a, b;
    clearFocus({&a, nullptr, &b});
    EXPECT_FALSE(a.focused);
    EXPECT_FALSE(b.focused);
}

TEST_F(ButtonTest, TooltipsStayOnScreen)
{
    Tooltip tip;
    tip.margin = 5.f;
    tip.offsetY = -36.f;
    tip.setText("MMMMMMMMMM");
    const sf::Vector2f size = tip.getBox().getSize();
    ASSERT_GT(size.x, 20.f);
    struct Case {
        float x, y;
        float left, top;
    };
    const std::vector<Case> cases = {
        {320.f, 200.f, 320.f - size.x / 2.f, 200.f - size.y + 36.f},
        {5.f, 200.f, 5.f, 200.f - size.y + 36.f},             // would start left of 0
        {635.f, 200.f, 635.f - size.x, 200.f - size.y + 36.f}, // would end right of 640
    };
    for (const Case& c : cases) {
        tip.follow(c.x, c.y);
        EXPECT_TRUE(tip.isVisible());
        EXPECT_EQ(tip.getBox().getPosition(), sf::Vector2f(c.left, c.top)) << c.x;
    }
    tip.offsetY = 40.f;
    tip.follow(320.f, 10.f);
    EXPECT_EQ(tip.getBox().getPosition().y, 2.f); // would start above the screen
    tip.follow(-1.f, 10.f);
    EXPECT_FALSE(tip.isVisible());

    // Showing a text again, or a shorter one, never changes the box.
    tip.setText("MMMMMMMMMM");
    tip.setText("M");
    EXPECT_EQ(tip.getBox().getSize(), size);
}
