#include "core/TextFunctions.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/TextManager.hpp"

#include <SFML/Graphics/Text.hpp>

#include <limits>

namespace {

class TextFunctionsTest : public UiTest {
protected:
    // Width in pixels of `line` as drawn (markup stripped), at `size` logical units.
    float drawnWidth(const std::string& line, float size = 7.5f)
    {
        std::string visible;
        for (const MarkupPart& part : parseColorMarkup(line))
            visible += part.text;
        sf::Text text(sf::String(visible), host.font,
                      static_cast<unsigned>(size * TextManager::get().getScale() + 0.5f));
        return text.getGlobalBounds().width;
    }
    static std::vector<std::string> lines(const std::string& text) { return splitLines(text); }
    static std::vector<std::string> splitLines(const std::string& text)
    {
        std::vector<std::string> out(1);
        for (char c : text) {
            if (c == '\n')
                out.emplace_back();
            else
                out.back() += c;
        }
        return out;
    }
    // The wrapped text differs from the input only by spaces turned into, and newlines added.
    static std::string withoutBreaks(const std::string& text)
    {
        std::string out;
        for (char c : text)
            if (c != '\n' && c != ' ')
                out += c;
        return out;
    }
};

} // namespace

TEST_F(TextFunctionsTest, WrapTextKeepsEveryLineNarrowerThanTheLimit)
{
    const std::string green = "<c=0,255,0>Okonkwo</c>";
    struct Case {
        std::string text;
        int width;
        float scale;
        std::vector<std::string> expected; // empty: only check the widths
    };
    const std::vector<Case> cases = {
        {"short", 200, 1.f, {"short"}},
        {"", 50, 1.f, {""}},
        {"one two three four five six seven", 60, 1.f, {}},
        {"Supercalifragilisticexpialidocious", 40, 1.f, {}},
        {"keep\nthese lines\n\nas they are", 400, 1.f, {"keep", "these lines", "", "as they are"}},
        {"the crew of " + green + " and " + green + " and " + green + " wait", 90, 1.f, {}},
        {"a very long line of words at a larger interface scale than usual", 120, 2.25f, {}},
        {" leading space and  double  spaces here", 50, 1.f, {}},
    };
    for (const Case& c : cases) {
        TextManager::get().setScale(c.scale);
        const std::string wrapped = wrapText(c.text, c.width);
        EXPECT_EQ(withoutBreaks(wrapped), withoutBreaks(c.text)) << c.text;
        if (!c.expected.empty()) {
            EXPECT_EQ(lines(wrapped), c.expected) << c.text;
        }
        const float limit = static_cast<float>(static_cast<int>(c.width * c.scale + 0.5f));
        for (const std::string& line : lines(wrapped)) {
            if (line.size() <= 1)
                continue; // a single character always stands alone
            EXPECT_LT(drawnWidth(line), limit) << "line '" << line << "' of '" << c.text << "'";
        }
    }
}

TEST_F(TextFunctionsTest, AWordWiderThanTheLineIsCutBeforeTheCharacterThatOverflowed)
{
    const std::string word = "abcdefghijklmnopqrstuvwxyz";
    const std::vector<std::string> pieces = lines(wrapText(word, 40));
    ASSERT_GT(pieces.size(), 1u);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        // Each piece is as long as fits: one more character would reach the limit.
        const std::string longer = pieces[i] + pieces[i + 1].front();
        EXPECT_GE(drawnWidth(longer), 40.f) << pieces[i];
        EXPECT_LT(drawnWidth(pieces[i]), 40.f) << pieces[i];
    }
}

TEST_F(TextFunctionsTest, ColouredNamesAreMeasuredByTheirVisibleTextAndBreakAfterThem)
{
    const std::string name = "<c=200,40,40>Ada</c>";
    // The markup is four times wider than the name; measured as a name it fits.
    EXPECT_EQ(wrapText(name + " went", 60), name + " went");
    // Without colour tags the markup itself is measured and cut.
    EXPECT_NE(wrapText(name + " went", 60, -1, false).find('\n'), std::string::npos);

    // A coloured name at the end of a line: the space right after it is where the line breaks.
    const std::string text = "x " + name + " y " + name + " zzzzzzzzzz";
    const int width = static_cast<int>(drawnWidth("x Ada y Ada")) + 1;
    ASSERT_GE(drawnWidth("x Ada y Ada "), static_cast<float>(width));
    const std::string wrapped = wrapText(text, width);
    for (const std::string& line : lines(wrapped)) {
        EXPECT_EQ(line.find("<c=200,40,40>Ada</c>\n"), std::string::npos);
        // spans are never cut
        EXPECT_EQ(std::count(line.begin(), line.end(), '<'), std::count(line.begin(), line.end(), '>')) << line;
    }
    EXPECT_EQ(lines(wrapped).front(), "x " + name + " y " + name) << wrapped;
}

TEST_F(TextFunctionsTest, OpeningTagsOfSixteenOrMoreCharactersAreOrdinaryText)
{
    // "<c=100,100,100 >" puts its '>' 15 characters after '<': markup. One more blank: text.
    const std::string markup = "<c=100,100,100 >Ada</c>";
    const std::string plain = "<c=100,100,100  >Ada</c>";
    EXPECT_EQ(wrapText(markup, 40), markup);
    EXPECT_NE(wrapText(plain, 40).find('\n'), std::string::npos);
}

TEST_F(TextFunctionsTest, RunawayWrappingStopsAndReturnsTheTextUnchanged)
{
    const std::string text(1200, 'w');
    testing::internal::CaptureStdout();
    const std::string result = wrapText(text, 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, text);
    EXPECT_NE(out.find("Something has probably gone wrong"), std::string::npos);

    // A limit of one pixel still gives every line its first character.
    EXPECT_EQ(wrapText("abc", 1), "a\nb\nc");

    // The widest limit there is means no wrapping, at any scale, not an overflowed limit.
    for (float scale : {1.f, 2.5f}) {
        TextManager::get().setScale(scale);
        testing::internal::CaptureStdout();
        EXPECT_EQ(wrapText("nothing to wrap here", std::numeric_limits<int>::max()), "nothing to wrap here");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }
}

TEST_F(TextFunctionsTest, ParseHexColorReadsPairsAndRejectsShortTexts)
{
    const std::vector<std::pair<std::string, sf::Color>> cases = {
        {"00FF00", sf::Color(0, 255, 0)},   {"ff8000", sf::Color(255, 128, 0)}, {"FFFF", sf::Color(255, 255, 0)},
        {"12345", sf::Color(0x12, 0x34, 5)}, {"#00FF00", sf::Color(0, 0x0F, 0xF0)}, {"zz10q1", sf::Color(0, 0x10, 0)},
        {"1G2H3I", sf::Color(1, 2, 3)},     {"FFF", sf::Color(255, 0, 0)},      {"", sf::Color(255, 0, 0)},
    };
    for (const auto& [text, color] : cases)
        EXPECT_EQ(parseHexColor(text), color) << text;
    EXPECT_NE(logText().find("Failed to parse hex string: FFF\n"), std::string::npos);
    EXPECT_EQ(logText().find("Failed to parse hex string: FFFF"), std::string::npos);
}

TEST_F(TextFunctionsTest, FallbackColorIsStablePerName)
{
    EXPECT_EQ(fallbackColor("", {}), sf::Color(197, 119, 201)); // the FNV offset basis
    EXPECT_EQ(fallbackColor("Ada", {}), sf::Color(91, 149, 58));
    EXPECT_NE(logText().find("Using fallback getColoredName \n"), std::string::npos);

    const std::vector<sf::Color> list = {sf::Color::Black, sf::Color::White, sf::Color::Red, sf::Color::Green,
                                         sf::Color::Blue};
    EXPECT_EQ(fallbackColor("Ada", list), list[354 % 5]);              // "QWRh"
    EXPECT_EQ(fallbackColor("Rhea Okonkwo", list), list[1411 % 5]);    // "UmhlYSBPa29ua3dv"
    EXPECT_EQ(fallbackColor("", list), list[0]);
}

TEST_F(TextFunctionsTest, ContrastOutlineLightensOnlyDarkLabels)
{
    const int id = TextManager::get().addText(0, 0, "label");
    setContrastOutline(id, sf::Color(30, 30, 30));
    EXPECT_EQ(TextManager::get().getText(id).getOutlineColor(), sf::Color(200, 200, 200, 255));
    EXPECT_EQ(TextManager::get().getText(id).getOutlineThickness(), 1.f);
    setContrastOutline(id, sf::Color(120, 120, 120));
    EXPECT_EQ(TextManager::get().getText(id).getOutlineColor(), sf::Color::Transparent);
    EXPECT_EQ(TextManager::get().getText(id).getOutlineThickness(), 1.f); // thickness stays
    EXPECT_EQ(amberColor, sf::Color(185, 128, 0, 255));
}
