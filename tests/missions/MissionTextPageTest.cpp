#include "missions/MissionTextPage.hpp"

#include "missions/MissionManager.hpp"
#include "support/UiTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

class TextPage : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        missions = std::make_unique<MissionManager>(nullptr, assets);
        missions->resetForMission();
    }
    void TearDown() override
    {
        page.reset();
        UiTest::TearDown();
    }

    const sf::Text& label(std::size_t set, std::size_t choice)
    {
        return TextManager::get().getText(page.choiceSets().at(set).buttons.at(choice).getLabelId());
    }
    // The outline of the segment that shows `word` in message `index`.
    sf::Color outlineOf(std::size_t index, const std::string& word)
    {
        for (const auto& line : TextManager::get().getRichText(page.messages().at(index).richTextId).getLines())
            for (const sf::Text& segment : line.getTexts())
                if (segment.getString().toAnsiString() == word)
                    return segment.getOutlineThickness() > 0 ? segment.getOutlineColor() : sf::Color::Transparent;
        ADD_FAILURE() << "no segment " << word;
        return sf::Color::Transparent;
    }

    std::unique_ptr<MissionManager> missions;
    MissionTextPage page;
};

} // namespace

TEST_F(TextPage, LaysOutInTheScriptsOrderWhateverFrameThingsArriveIn)
{
    {
        auto held = missions->holdMessageLock();
        missions->addMessage("Static on every channel.");
    }
    missions->buildChoice("Answer");
    missions->buildLockedChoice("Jam the signal");
    missions->finalizeChoice();
    missions->takeQueued(); // the set arrives, the message before it still waits
    page.update(*missions);
    EXPECT_TRUE(page.choiceSets().empty()) << "the set waits for the message before it";

    missions->addMessage("After.");
    missions->takeQueued();
    page.update(*missions);
    ASSERT_EQ(page.messages().size(), 2u);
    ASSERT_EQ(page.choiceSets().size(), 1u);
    auto& buttons = page.choiceSets()[0].buttons;
    const float firstTop = static_cast<float>(MissionTextPage::firstLineY + page.messages()[0].height);
    EXPECT_FLOAT_EQ(buttons[0].getBounds().top, firstTop);
    EXPECT_GT(buttons[1].getBounds().top, buttons[0].getBounds().top);
    EXPECT_EQ(TextManager::get().getRichText(page.messages()[1].richTextId).getPosition().y,
              buttons[1].getBounds().top + buttons[1].getBounds().height);
    EXPECT_TRUE(buttons[0].enabled);
    EXPECT_FALSE(buttons[1].enabled);
    EXPECT_EQ(label(0, 0).getFillColor(), sf::Color(16, 101, 192));
    EXPECT_EQ(label(0, 1).getFillColor(), sf::Color(8, 50, 96)) << "a locked choice at half colour";
    EXPECT_EQ(page.messages()[0].wordCount, 3);

    page.markAnswered(0, 0);
    EXPECT_EQ(label(0, 0).getFillColor(), sf::Color::White);
    EXPECT_EQ(label(0, 1).getFillColor(), sf::Color(4, 25, 48));

    const int id = page.messages()[0].richTextId;
    page.reset();
    EXPECT_FALSE(TextManager::get().hasRichText(id));
    EXPECT_EQ(page.cursorY(), MissionTextPage::firstLineY);
}

TEST_F(TextPage, HardToReadMarkedWordsGetAnOutlineForTheTextMode)
{
    missions->addMessage("a <c=250,250,0>sun</c> and <c=10,10,10>void</c>");
    missions->takeQueued();
    page.update(*missions);
    EXPECT_EQ(outlineOf(0, "void"), sf::Color(200, 200, 200)) << "dark mode: a very dark word gets a light outline";
    EXPECT_EQ(outlineOf(0, "sun"), sf::Color::Transparent);

    page.applyTextMode(2);
    missions->addMessage("a <c=250,250,0>sun</c>");
    missions->takeQueued();
    page.update(*missions);
    EXPECT_EQ(outlineOf(1, "sun"), sf::Color(12, 12, 12)) << "light mode: a bright word gets a dark outline";
    EXPECT_EQ(outlineOf(0, "sun"), sf::Color(12, 12, 12)) << "earlier text follows the mode";
    EXPECT_EQ(outlineOf(0, "void"), sf::Color::Transparent);
}

TEST_F(TextPage, ALongMessageWrapsAndItsLineBreaksAreNotWords)
{
    std::string longText;
    for (int i = 0; i < 60; ++i)
        longText += "word ";
    missions->addMessage(longText);
    missions->addMessage("next");
    missions->takeQueued();
    page.update(*missions);
    const auto& rich = TextManager::get().getRichText(page.messages()[0].richTextId);
    EXPECT_GT(rich.getLines().size(), 1u);
    EXPECT_LE(rich.getGlobalBounds().width / TextManager::get().getScale(), MissionTextPage::textWidth);
    EXPECT_EQ(page.messages()[0].wordCount + static_cast<int>(rich.getLines().size()) - 1, 60);
    EXPECT_EQ(page.cursorY(), MissionTextPage::firstLineY + page.messages()[0].height + page.messages()[1].height);
}
