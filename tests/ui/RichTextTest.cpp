#include "support/UiTestSupport.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/RichText.hpp"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

class RichTextTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        text.setFont(host.font);
        text.setCharacterSize(12);
    }
    float lineHeight() const { return std::floor(host.font.getLineSpacing(12)); }

    sfe::RichText text;
};

} // namespace

TEST_F(RichTextTest, NewlinesStartLinesAndLaterTextExtendsTheLastOne)
{
    text << "first\nsecond";
    ASSERT_EQ(text.getLines().size(), 2u);
    EXPECT_EQ(text.getLines()[1].getPosition().y, lineHeight());
    EXPECT_EQ(text.getLocalBounds().height, 2 * lineHeight());

    const float before = text.getLines()[1].getLocalBounds().width;
    text << sf::Color::Red << " more";
    ASSERT_EQ(text.getLines().size(), 2u);
    ASSERT_EQ(text.getLines()[1].getTexts().size(), 2u);
    EXPECT_GT(text.getLines()[1].getLocalBounds().width, before);
    EXPECT_EQ(text.getLines()[1].getTexts()[1].getPosition().x, before);
    EXPECT_EQ(text.getLines()[1].getTexts()[1].getFillColor(), sf::Color::Red);

    text << "\n";
    ASSERT_EQ(text.getLines().size(), 3u);
    EXPECT_EQ(text.getLines()[2].getTexts()[0].getString(), "");
    EXPECT_EQ(text.getLines()[2].getPosition().y, 2 * lineHeight());
    EXPECT_EQ(text.getLocalBounds().height, 3 * lineHeight());

    text << "";
    EXPECT_EQ(text.getLines().size(), 3u);
}

TEST_F(RichTextTest, SizeChangesLayTheBlockOutAgain)
{
    text << "one\ntwo words";
    const float narrow = text.getLocalBounds().width;
    text.setCharacterSize(24);
    EXPECT_GT(text.getLocalBounds().width, narrow * 1.5f);
    EXPECT_EQ(text.getLines()[1].getPosition().y, std::floor(host.font.getLineSpacing(24)));
    EXPECT_EQ(text.getLines()[1].getTexts()[0].getCharacterSize(), 24u);
}

TEST_F(RichTextTest, RecolouringAndContrastOutlinesTouchOnlyMatchingSegments)
{
    const sf::Color base(0, 255, 0);
    text << base << "plain " << sf::Color(10, 10, 10) << "dark " << sf::Color(250, 250, 250) << "bright";
    text.applyContrastOutline(base, sf::Color::White, 50, 2.f);
    const auto& segments = text.getLines()[0].getTexts();
    EXPECT_EQ(segments[0].getOutlineThickness(), 0.f);
    EXPECT_EQ(segments[1].getOutlineThickness(), 2.f);
    EXPECT_EQ(segments[1].getOutlineColor(), sf::Color::White);
    EXPECT_EQ(segments[2].getOutlineThickness(), 0.f);

    // A negative threshold outlines the bright ones instead: brightness > -50 + 255.
    text.applyContrastOutline(base, sf::Color::Black, -50, 1.f);
    EXPECT_EQ(segments[1].getOutlineThickness(), 0.f);
    EXPECT_EQ(segments[2].getOutlineThickness(), 1.f);

    text.replaceColor(base, sf::Color::Yellow);
    EXPECT_EQ(segments[0].getFillColor(), sf::Color::Yellow);
    EXPECT_EQ(segments[1].getFillColor(), sf::Color(10, 10, 10));
    EXPECT_EQ(text.getCurrentColor(), sf::Color::Yellow);
}

// A segment starts where the one before it left the pen, not where its ink ends: the text
// after a coloured "fuel." (and after a trailing blank) sits exactly where one label of the
// whole line puts it.
TEST_F(RichTextTest, SegmentsStartWhereThePenOfTheOneBeforeStopped)
{
    for (unsigned size : {12u, 15u, 30u})
        for (const std::string& first : {std::string("fuel."), std::string("Name: ")}) {
            sfe::RichText line(host.font);
            line.setCharacterSize(size);
            line << sf::Color::Red << first << sf::Color::Green << ", the engineer";
            const sf::Text whole(first + ", the engineer", host.font, size);
            EXPECT_EQ(line.getLines()[0].getTexts()[1].getPosition().x, whole.findCharacterPos(first.size()).x)
                << first << " at " << size;
            EXPECT_GE(line.getLocalBounds().width, whole.getGlobalBounds().width - 1.f);
        }
}

// Outlines given after the text was laid out move what follows, so the outlined segment
// never overlaps its neighbour, and the bounds include them.
TEST_F(RichTextTest, OutlinesGivenLaterLayTheLineOutAgain)
{
    const sf::Color dark(20, 20, 20);
    const std::vector<std::function<void(sfe::RichText&)>> outline = {
        [&](sfe::RichText& t) { t.setOutlineForColor(2.f, dark, sf::Color::White); },
        [&](sfe::RichText& t) { t.applyContrastOutline(sf::Color::Green, sf::Color::White, 50, 2.f); },
    };
    for (const auto& give : outline) {
        sfe::RichText line(host.font);
        line.setCharacterSize(15);
        line << dark << "Vale" << sf::Color::Green << " nods";
        const float before = line.getLocalBounds().width;
        give(line);
        const auto& segments = line.getLines()[0].getTexts();
        ASSERT_EQ(segments[0].getOutlineThickness(), 2.f);
        const sf::FloatRect outlined = segments[0].getGlobalBounds();
        const sf::FloatRect next = segments[1].getGlobalBounds();
        EXPECT_GE(outlined.left, 0.f);
        EXPECT_LE(outlined.left + outlined.width, segments[1].getPosition().x);
        EXPECT_EQ(line.getLocalBounds().width, next.left + next.width);
        EXPECT_EQ(line.getLocalBounds().width, before + 4.f);
    }
}

// ---- colour markup ----

namespace {

struct MarkupCase {
    const char* input;
    std::vector<MarkupPart> parts;
};

std::string describe(const std::vector<MarkupPart>& parts)
{
    std::string out;
    for (const MarkupPart& part : parts) {
        out += "[" + part.text;
        if (part.colored)
            out += "|" + std::to_string(part.color.r) + "," + std::to_string(part.color.g) + ","
                   + std::to_string(part.color.b);
        out += "]";
    }
    return out;
}

MarkupPart plain(const char* text)
{
    return MarkupPart{text, false, sf::Color()};
}

MarkupPart span(const char* text, sf::Uint8 r, sf::Uint8 g, sf::Uint8 b)
{
    return MarkupPart{text, true, sf::Color(r, g, b)};
}

} // namespace

TEST(ColorMarkup, ParsesWellFormedAndMalformedMarkupIntoParts)
{
    const std::vector<MarkupCase> cases = {
        {"", {}},
        {"no markup at all", {plain("no markup at all")}},
        {"<c=255,0,0>Rhea</c> waits.", {span("Rhea", 255, 0, 0), plain(" waits.")}},
        {"Ask <c=1,2,3>A</c> and <c=4,5,6>B</c>", {plain("Ask "), span("A", 1, 2, 3), plain(" and "), span("B", 4, 5, 6)}},
        {"<c= 7 ,+8,9x>sp</c>", {span("sp", 7, 8, 9)}},        // read like stoi
        {"<c=300,-5,255>clamped</c>", {span("clamped", 255, 0, 255)}},
        {"<c=1,2,3></c>tail", {plain("tail")}},                 // empty span
        {"<c=1,2,3>unterminated", {plain("<c=1,2,3>unterminated")}},
        {"a <c=1,2>x</c> b", {plain("a <c=1,2>x</c> b")}},      // one comma short
        {"<c=1,2,3 no close</c>!", {plain("<c=1,2,3 no close</c>!")}},
        {"<c=1,2,3>x</c><c=", {span("x", 1, 2, 3), plain("<c=")}},
        {"<c=1,2,3>a<c=4,5,6>b</c>", {span("a<c=4,5,6>b", 1, 2, 3)}}, // no nesting
        {"</c> stray close", {plain("</c> stray close")}},
    };
    for (const MarkupCase& c : cases)
        EXPECT_EQ(describe(parseColorMarkup(c.input)), describe(c.parts)) << c.input;
}

TEST(ColorMarkup, BadNumbersAreCatchableErrorsWithTheConversionTexts)
{
    struct Bad {
        const char* input;
        bool outOfRange;
    };
    const std::vector<Bad> cases = {
        {"<c=red,0,0>x</c>", false}, {"<c=,,>x</c>", false},           {"<c=1,2,>x</c>", false},
        {"<c=1,-,3>x</c>", false},   {"<c=99999999999,0,0>x</c>", true}, {"<c=0,0,2147483648>x</c>", true},
        {"<c=0,-2147483649,0>x</c>", true},
        {"<c=0,0,123456789012345678901234567890123456789>x</c>", true},
    };
    for (const Bad& c : cases) {
        try {
            parseColorMarkup(c.input);
            ADD_FAILURE() << "no error for " << c.input;
        } catch (const std::out_of_range& error) {
            EXPECT_TRUE(c.outOfRange) << c.input;
            EXPECT_STREQ(error.what(), "stoi argument out of range");
        } catch (const std::invalid_argument& error) {
            EXPECT_FALSE(c.outOfRange) << c.input;
            EXPECT_STREQ(error.what(), "invalid stoi argument");
        }
    }
    EXPECT_EQ(parseMarkupNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseMarkupNumber("2147483647"), INT32_MAX);
}

TEST_F(RichTextTest, MarkupBecomesColouredSegmentsAndPlainText)
{
    const sf::Color green(0, 255, 0);
    EXPECT_EQ(appendColorMarkup(text, "<c=255,0,0>Rhea</c> stays behind", green, 0), "Rhea stays behind");
    const auto& segments = text.getLines()[0].getTexts();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].getString(), "Rhea");
    EXPECT_EQ(segments[0].getFillColor(), sf::Color(255, 0, 0));
    EXPECT_EQ(segments[1].getFillColor(), green);

    // A failing number leaves the rich text as it was.
    EXPECT_THROW(appendColorMarkup(text, "more <c=x,0,0>y</c>", green, 0), std::invalid_argument);
    EXPECT_EQ(text.getLines()[0].getTexts().size(), 2u);
}

TEST_F(RichTextTest, SpansGetTheReadabilityOutlineOfTheTextMode)
{
    struct Case {
        int mode;
        sf::Color color;
        bool outlined;
    };
    const std::vector<Case> cases = {
        {2, sf::Color(250, 250, 250), true},  {2, sf::Color(206, 206, 206), true},
        {2, sf::Color(205, 205, 205), false}, {2, sf::Color(100, 100, 100), false},
        {2, sf::Color(10, 10, 10), false},    {0, sf::Color(10, 10, 10), true},
        {1, sf::Color(10, 10, 10), true},     {0, sf::Color(60, 40, 40), true}, // brightness 46
        {0, sf::Color(50, 50, 50), false},    {0, sf::Color(250, 250, 250), false},
    };
    for (const Case& c : cases) {
        sfe::RichText block(host.font);
        const std::string markup = "a <c=" + std::to_string(c.color.r) + "," + std::to_string(c.color.g) + ","
                                   + std::to_string(c.color.b) + ">name</c> b";
        appendColorMarkup(block, markup, sf::Color(0, 255, 0), c.mode);
        const sf::Text& name = block.getLines()[0].getTexts()[1];
        EXPECT_EQ(name.getOutlineThickness() == 1.f, c.outlined) << markup << " mode " << c.mode;
        if (c.outlined) {
            EXPECT_EQ(name.getOutlineColor(), c.mode == 2 ? sf::Color(12, 12, 12) : sf::Color(200, 200, 200));
        }
        EXPECT_EQ(block.getLines()[0].getTexts()[0].getOutlineThickness(), 0.f);
    }
}
