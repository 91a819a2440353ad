#include "support/UiTestSupport.hpp"
#include "ui/TextManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <functional>

using TextManagerTest = UiTest;

TEST_F(TextManagerTest, IdsInterleaveAndAreNeverReused)
{
    TextManager& texts = TextManager::get();
    EXPECT_EQ(texts.addText(0, 0, "a"), 0);
    EXPECT_EQ(texts.addRichText(-1.f, 0, 0), 1);
    texts.removeText(0);
    EXPECT_EQ(texts.addText(0, 0, "b"), 2);
    EXPECT_FALSE(texts.hasText(1));
    EXPECT_TRUE(texts.hasRichText(1));
}

TEST_F(TextManagerTest, PositionsAndSizesFollowTheScaleWithHalvesAwayFromZero)
{
    TextManager& texts = TextManager::get();
    texts.setScale(1.5f);
    const int id = texts.addText(-3, 7, "x");
    EXPECT_EQ(texts.getText(id).getPosition(), sf::Vector2f(-5.f, 11.f));
    EXPECT_EQ(texts.getText(id).getCharacterSize(), 11u); // 7.5 x 1.5 = 11.25

    host.textSize = 12.f;
    texts.setScale(1.25f);
    const int sized = texts.addText(0, 0, "y", -1.f);
    EXPECT_EQ(texts.getText(sized).getCharacterSize(), 15u);

    texts.setScale(1.f);
    const int rich = texts.addRichText(20.f, 4, 5);
    EXPECT_EQ(texts.getRichText(rich).getCharacterSize(), 20u);
    EXPECT_EQ(texts.getRichText(rich).getPosition(), sf::Vector2f(4.f, 5.f));

    // A new scale applies to everything after refreshAll, from the stored logical values.
    texts.setScale(2.f);
    texts.refreshAll();
    EXPECT_EQ(texts.getText(id).getPosition(), sf::Vector2f(-6.f, 14.f));
    EXPECT_EQ(texts.getText(sized).getCharacterSize(), 24u);
    EXPECT_EQ(texts.getRichText(rich).getCharacterSize(), 40u);
    EXPECT_EQ(texts.getRichText(rich).getPosition(), sf::Vector2f(8.f, 10.f));

    texts.setTextPosition(id, 3, -1);
    texts.setTextSize(id, 10.f);
    EXPECT_EQ(texts.getText(id).getPosition(), sf::Vector2f(6.f, -2.f));
    EXPECT_EQ(texts.getText(id).getCharacterSize(), 20u);
}

TEST_F(TextManagerTest, MissingIdsAreLoggedAndAnsweredHarmlessly)
{
    TextManager& texts = TextManager::get();
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(8, 8));
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { texts.setTextSize(41, 3.f); }, "Unable to find text with id 41. Not setting size."},
        {[&] { texts.setRichTextSize(42, 3.f); }, "Unable to find text with id 42. Not setting size."},
        {[&] { texts.setTextPosition(43, 1, 1); }, "Unable to find text with id 43. Not setting position."},
        {[&] { texts.setRichTextPosition(44, 1, 1); }, "Unable to find rich text with id 44. Not setting position."},
        {[&] { texts.removeText(45); }, "Unable to find text with id 45. Not removing."},
        {[&] { texts.removeRichText(46); }, "Unable to find rich text with id 46. Not removing."},
        {[&] { texts.getText(47).setString("scribble"); }, "Unable to find text with id 47. Returning empty Text object."},
        {[&] { texts.getRichText(48) << "scribble"; },
         "Unable to find rich text with id 48. Returning empty Rich Text object."},
        {[&] { texts.drawTexts({49}, target); }, "Unable to find text with id 49. Not drawing."},
        {[&] { texts.drawRichTexts({50}, target); }, "Unable to find text with id 50. Not drawing."},
    };
    for (const auto& [call, line] : cases) {
        call();
        EXPECT_NE(logText().find(line + "\n"), std::string::npos) << line;
    }
    // What was written into the shared empty objects does not stick.
    EXPECT_EQ(texts.getText(51).getString(), "");
    EXPECT_TRUE(texts.getRichText(52).getLines().empty());
}

TEST_F(TextManagerTest, RemovingTwiceLogsTheSecondTime)
{
    TextManager& texts = TextManager::get();
    const int id = texts.addText(0, 0, "x");
    texts.removeText(id);
    EXPECT_EQ(logText().find("Not removing."), std::string::npos);
    texts.removeText(id);
    EXPECT_NE(logText().find("Unable to find text with id 0. Not removing."), std::string::npos);
}

TEST_F(TextManagerTest, DrawsThroughTheInterfaceViewAndRestoresTheTargetsView)
{
    TextManager& texts = TextManager::get();
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 32));
    const sf::View own(sf::FloatRect(100.f, 100.f, 64.f, 32.f));
    target.setView(own);
    host.view = sf::View(sf::FloatRect(0.f, 0.f, 64.f, 32.f));
    const int id = texts.addText(2, 2, "MMMM", 20.f);
    texts.getText(id).setFillColor(sf::Color::White);
    target.clear(sf::Color::Black);
    texts.drawTexts({id}, target);
    target.display();
    EXPECT_EQ(target.getView().getCenter(), own.getCenter());
    const sf::Image shot = target.getTexture().copyToImage();
    unsigned lit = 0;
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 64; ++x)
            lit += shot.getPixel(x, y).r > 128;
    EXPECT_GT(lit, 20u);
}
