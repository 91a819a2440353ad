#include "screens/FrontScreensFixture.hpp"
#include "screens/IntroSequence.hpp"

namespace {

TEST(IntroWrap, LongLinesBreakAtTheLastSpaceBefore125Characters)
{
    int rows = 0;
    EXPECT_EQ(IntroSequence::wrap("Short line.", rows), "Short line.");
    EXPECT_EQ(rows, 1);

    const std::string first(120, 'a');
    const std::string text = first + " bbbbbbbbbb cc";
    EXPECT_EQ(IntroSequence::wrap(text, rows), first + "\nbbbbbbbbbb cc");
    EXPECT_EQ(rows, 2);

    const std::string solid(130, 'x');
    EXPECT_EQ(IntroSequence::wrap(solid, rows), std::string(124, 'x') + "\n" + std::string(6, 'x'));
    EXPECT_EQ(rows, 2);

    // The paragraphs of the intro each fit their rows.
    for (const std::string& line : IntroSequence::script()) {
        const std::string wrapped = IntroSequence::wrap(line, rows);
        std::size_t start = 0;
        for (int row = 0; row < rows; ++row) {
            const std::size_t end = std::min(wrapped.find('\n', start), wrapped.size());
            EXPECT_LE(end - start, IntroSequence::wrapColumn) << line;
            start = end + 1;
        }
    }
}

class IntroTest : public FrontScreensTest {
protected:
    void click()
    {
        sf::Event release;
        release.type = sf::Event::MouseButtonReleased;
        intro.handleEvent(release);
        for (int i = 0; i < 4; ++i)
            intro.update(50000);
    }
    IntroSequence intro;
};

TEST_F(IntroTest, EachClickShowsTheNextLineWithTheBlankBeforeIt)
{
    intro.start(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
    EXPECT_EQ(intro.shownLines(), 1u);
    click(); // the blank line and the first boot line
    EXPECT_EQ(intro.shownLines(), 3u);
    click();
    EXPECT_EQ(intro.shownLines(), 4u);
    click();
    EXPECT_EQ(intro.shownLines(), 5u);
    click(); // blank, first paragraph
    EXPECT_EQ(intro.shownLines(), 7u);
    EXPECT_FALSE(intro.finished());
    for (int i = 0; i < 7; ++i)
        click();
    EXPECT_EQ(intro.shownLines(), intro.lineCount());
    EXPECT_TRUE(intro.finished());

    // Started again, it is new.
    intro.start(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
    EXPECT_FALSE(intro.finished());
    EXPECT_EQ(intro.shownLines(), 1u);
    EXPECT_EQ(intro.shipPosition(), sf::Vector2f(30.f, 87.f));
    intro.update(1000000);
    EXPECT_GT(intro.shipPosition().x, 60.f);
    EXPECT_GT(intro.shipPosition().y, 87.f);
}

} // namespace
