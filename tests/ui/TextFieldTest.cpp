#include "core/TextFunctions.hpp"
#include "support/ShippedAssets.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/NumberField.hpp"
#include "ui/TextField.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/Text.hpp>

#include <algorithm>

namespace {

class TextFieldTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        frame("crew_creator/text_area_small.png", 60, 40);
    }

    void frame(const std::string& name, unsigned width, unsigned height)
    {
        writeImage(assets + name, width, height, sf::Color(20, 30, 40));
    }

    static void type(TextField& field, const std::string& keys)
    {
        for (char key : keys)
            field.handleTextEntered(static_cast<unsigned char>(key));
    }

    static sf::String clipboard(const std::u32string& text)
    {
        return sf::String::fromUtf32(text.begin(), text.end());
    }

    // The content as the frame measures it.
    sf::FloatRect measured(const std::string& text)
    {
        return sf::Text(Utf8::toLabel(text), host.font, 7).getLocalBounds();
    }
};

} // namespace

TEST_F(TextFieldTest, TypingTakesPrintableAsciiOnlyAndEnterOnlyInAMultilineField)
{
    struct Case {
        std::uint32_t code;
        bool multiline;
        std::string after; // typed after "ab"
    };
    const std::vector<Case> cases = {
        {'c', false, "abc"},   {' ', false, "ab "},  {'~', false, "ab~"}, {127, false, "ab"}, // Delete
        {9, false, "ab"},      {27, false, "ab"},    {233, false, "ab"},  {8364, false, "ab"},
        {0, false, "ab"},      {13, false, "ab"},    {13, true, "ab\n"},  {8, false, "a"},
    };
    for (const Case& c : cases) {
        TextField field;
        field.multiline = c.multiline;
        type(field, "ab");
        field.handleTextEntered(c.code);
        EXPECT_EQ(field.content(), c.after) << "code " << c.code;
        EXPECT_EQ(Utf8::fromLabel(TextManager::get().getText(field.getTextId()).getString()), c.after);
    }

    TextField empty;
    empty.handleTextEntered(8);
    EXPECT_EQ(empty.content(), "");
}

TEST_F(TextFieldTest, BackspaceTakesBackAWholeCharacter)
{
    TextField field;
    field.setText("Zo\xC3\xAB\xE2\x82\xAC"); // Zoë€
    field.handleTextEntered(8);
    EXPECT_EQ(field.content(), "Zo\xC3\xAB");
    field.handleTextEntered(8);
    EXPECT_EQ(field.content(), "Zo");
}

TEST_F(TextFieldTest, PastingTakesPrintableAsciiUpToALimit)
{
    TextField names;
    names.nameMode = true;
    names.paste(clipboard(U"a b"));
    EXPECT_EQ(names.content(), "a \nb"); // the pasted space stays, followed by a line break

    TextField plain;
    plain.paste(clipboard(std::u32string(U"x\ny\tz\u00e9\u20ac\x7f!\0?", 11)));
    EXPECT_EQ(plain.content(), "xyz!?"); // no line break, NUL, Delete or narrowed code point

    TextField huge;
    huge.paste(clipboard(std::u32string(100000, U'a')));
    EXPECT_EQ(huge.content().size(), TextField::maxPastedCharacters);
}

TEST_F(TextFieldTest, WrappingKeepsTheTextInsideTheFrame)
{
    TextField field;
    field.wrap = true;
    type(field, "one two three");
    EXPECT_EQ(field.content(), "one two\nthree"); // the last word moves down

    // Taking characters back never re-wraps.
    field.handleTextEntered(8);
    EXPECT_EQ(field.content(), "one two\nthre");

    // A word with no space before it breaks before the letter that overflows.
    TextField word;
    word.wrap = true;
    const std::string letters = "abcdefghijklmnop";
    type(word, letters);
    const std::size_t lineBreak = word.content().find('\n');
    ASSERT_NE(lineBreak, std::string::npos);
    std::string joined = word.content();
    joined.erase(lineBreak, 1);
    EXPECT_EQ(joined, letters);
    EXPECT_LT(measured(word.content().substr(0, lineBreak)).width, word.innerWidth());

    // Once the frame is full, further letters are taken back as they are typed.
    type(word, std::string(300, 'x'));
    const std::string full = word.content();
    EXPECT_LE(measured(full).height, word.innerHeight());
    word.handleTextEntered('y');
    EXPECT_EQ(word.content(), full);
}

TEST_F(TextFieldTest, AFrameTooSmallForOneLineHoldsNothing)
{
    frame("crew_creator/text_area_tiny.png", 4, 4);
    TextField field;
    field.setBackground(TextureManager::get().getTexture("crew_creator/text_area_tiny.png"));
    ASSERT_LT(field.innerHeight(), 0.f);
    field.wrap = true;
    field.handleTextEntered('a');
    EXPECT_EQ(field.content(), "");
}

TEST_F(TextFieldTest, NameModeSplitsFirstAndLastNameAndShowsTheNamesColour)
{
    TextField field;
    field.nameMode = true;
    field.wrap = true;
    type(field, "Ann Lee");
    EXPECT_EQ(field.content(), "Ann\nLee");
    const sf::Color expected = fallbackColor("Ann Lee", {});
    EXPECT_EQ(field.textColour(), expected);
    const sf::Text& label = TextManager::get().getText(field.getTextId());
    EXPECT_EQ(label.getFillColor(), expected);

    // A dark name gets a light outline (the same rule as every name label).
    TextField dark;
    dark.nameMode = true;
    sf::Color darkest = sf::Color::White;
    std::string darkName;
    for (char c = 'a'; c <= 'z'; ++c)
        for (char d = 'a'; d <= 'z'; ++d) {
            const sf::Color colour = fallbackColor(std::string{c, d}, {});
            if (2 * colour.r + 3 * colour.g + colour.b < 2 * darkest.r + 3 * darkest.g + darkest.b) {
                darkest = colour;
                darkName = std::string{c, d};
            }
        }
    ASSERT_LT((2 * darkest.r + 3 * darkest.g + darkest.b) / 6, 50);
    type(dark, darkName);
    EXPECT_EQ(TextManager::get().getText(dark.getTextId()).getOutlineColor(), sf::Color(200, 200, 200));
}

TEST_F(TextFieldTest, NameModeNeverBreaksInsideAWord)
{
    TextField field;
    field.nameMode = true;
    field.wrap = true;
    const std::string longName = "Alexanderwilliamsonhargreaves";
    type(field, longName);
    EXPECT_EQ(field.content().find('\n'), std::string::npos);
    EXPECT_LT(field.content().size(), longName.size()); // the letters that did not fit are dropped
    EXPECT_EQ(longName.rfind(field.content(), 0), 0u);

    // A name given whole keeps its words whole too.
    TextField given;
    given.nameMode = true;
    given.wrap = true;
    given.setText(longName);
    EXPECT_EQ(given.content(), longName);
}

// The name box of the crew creator holds a first and a last name in every font the player can
// pick; a box one line high would take the typed space back at once.
TEST_F(TextFieldTest, TheNameBoxHoldsTwoLinesInEveryShippedFont)
{
    const auto size = manifestSizes().at("crew_creator/text_area_small.png");
    frame("crew_creator/text_area_small.png", size.first, size.second);
    std::ifstream list(sourceAssets() / "fonts.txt");
    std::string line;
    int fonts = 0;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string name, source;
        if (line.empty() || line[0] == '#' || !(fields >> name >> source))
            continue;
        ++fonts;
        ASSERT_TRUE(host.font.loadFromFile(source)) << source;
        TextManager::destroy();
        TextureManager::resetForTests(assets, false);
        TextField field;
        field.nameMode = true;
        field.wrap = true;
        type(field, "Ann ");
        EXPECT_EQ(field.content(), "Ann\n") << name;
        type(field, "Lee");
        EXPECT_EQ(field.content(), "Ann\nLee") << name;
        // Descenders on both lines fit as well.
        field.setText("");
        type(field, "Agy Jgy");
        EXPECT_EQ(field.content(), "Agy\nJgy") << name;
    }
    EXPECT_GE(fonts, 2);
}

TEST_F(TextFieldTest, NumberFieldsTakeDigitsWithinTheirLimits)
{
    struct Case {
        std::string keys;
        std::string content;
        std::optional<int> value;
    };
    const std::vector<Case> cases = {
        {"10", "10", 10}, {"11", "1", 1},   {"05", "05", 5},   {"123", "1", 1},
        {"7a-", "7", 7},  {"9\b", "", {}},  {"\b\b3", "3", 3},
    };
    for (const Case& c : cases) {
        NumberField field;
        field.maxDigits = 2;
        field.maxValue = 10;
        type(field, c.keys);
        EXPECT_EQ(field.content(), c.content) << c.keys;
        EXPECT_EQ(field.getValue(), c.value) << c.keys;
    }

    NumberField unlimited;
    type(unlimited, "123456789012345678901234567890");
    EXPECT_EQ(unlimited.content().size(), 30u);
    EXPECT_EQ(unlimited.getValue(), std::nullopt); // beyond int: no value, no stop

    NumberField capped;
    capped.maxValue = 500;
    type(capped, "99999999999999");
    EXPECT_EQ(capped.content(), "99");
}
