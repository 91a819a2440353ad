#include "core/TextFunctions.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/BasicMessageWindowScreen.hpp"
#include "ui/Button.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/Tooltip.hpp"
#include "ui/Utf8.hpp"

#include <functional>

namespace {

std::u32string decoded(const std::string& text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();)
        out += Utf8::next(text, i);
    return out;
}

const std::string cafe = "Caf\xc3\xa9";
const std::u32string cafeDecoded = U"Caf\u00e9";

} // namespace

TEST(Utf8, DecodesWholeSequencesAndReadsBrokenBytesOneByOne)
{
    const char32_t bad = Utf8::replacement;
    struct Case {
        std::string bytes;
        std::u32string expected;
    };
    const std::vector<Case> cases = {
        {"plain", U"plain"},
        {cafe, cafeDecoded},
        {"\xe2\x80\x94 \xe2\x80\x9c\xe2\x80\xa6\xe2\x80\x9d", U"\u2014 \u201c\u2026\u201d"},
        {"\xf0\x9f\x9a\x80", U"\U0001F680"},
        {"\xc3", {bad}},                          // cut short at the end
        {"\xc3\n\xa9", {bad, U'\n', bad}},        // a line break inside: both halves broken, the break kept
        {"\xa9x", {bad, U'x'}},                   // a stray continuation byte
        {"\xc0\xaf", {bad, bad}},                 // an overlong '/'
        {"\xed\xa0\x80", {bad, bad, bad}},        // a surrogate
        {"\xf4\x90\x80\x80", {bad, bad, bad, bad}}, // past U+10FFFF
        {"\xff", {bad}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decoded(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(Utf8::fromLabel(Utf8::toLabel(cafe)), cafe);
}

using Utf8Labels = UiTest;

// Every place a label is made from a game string shows "Café", not two unknown characters.
TEST_F(Utf8Labels, EveryLabelShowsUtf8Text)
{
    writeImage(assets + "general/small_panel_3.png", 200, 80, sf::Color(40, 40, 90));
    TextManager& texts = TextManager::get();
    Button button;
    button.setText(cafe);
    Tooltip tooltip;
    tooltip.setText(cafe);
    BasicMessageWindowScreen window(cafe);
    const int rich = texts.addRichText(-1.f, 0, 0);
    appendColorMarkup(texts.getRichText(rich), "<c=255,0,0>" + cafe + "</c>", sf::Color::Green, 0);
    sfe::RichText streamed;
    streamed << cafe;

    const std::vector<std::pair<const char*, sf::String>> labels = {
        {"addText", texts.getText(texts.addText(0, 0, cafe)).getString()},
        {"button", texts.getText(button.getLabelId()).getString()},
        {"tooltip", texts.getText(tooltip.getTextId()).getString()},
        {"message window", texts.getRichText(window.getMessageTextId()).getLines()[0].getTexts()[0].getString()},
        {"colour markup", texts.getRichText(rich).getLines()[0].getTexts()[0].getString()},
        {"rich text", streamed.getLines()[0].getTexts()[0].getString()},
    };
    for (const auto& [where, label] : labels)
        EXPECT_EQ(label.toUtf32(), std::basic_string<sf::Uint32>(cafeDecoded.begin(), cafeDecoded.end())) << where;
}

// A wrap never puts its line break inside a character, whatever the width.
TEST_F(Utf8Labels, WrappingKeepsEveryCharacterWhole)
{
    const std::string text = "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xe2\x80\x94\xe2\x80\x94\xf0\x9f\x9a\x80\xc3\xa9\xc3\xa9 "
                             "\xe2\x80\x9cna\xc3\xafve caf\xc3\xa9\xe2\x80\x9d";
    for (int width : {1, 5, 9, 13, 30}) {
        const std::string wrapped = wrapText(text, width);
        ASSERT_NE(wrapped, text) << width;
        for (std::size_t i = 0; i < wrapped.size();)
            ASSERT_NE(Utf8::next(wrapped, i), Utf8::replacement) << width << ": " << wrapped;
    }
}
