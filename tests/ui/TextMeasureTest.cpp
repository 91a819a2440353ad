#include "support/UiTestSupport.hpp"
#include "ui/TextMeasure.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/Text.hpp>

using TextMeasureTest = UiTest;

// The word wrap decides with TextMeasure what the screen will draw with sf::Text: the two must
// agree to the last bit, kerning, blanks and UTF-8 (broken sequences included) too.
TEST_F(TextMeasureTest, AgreesExactlyWithTheDrawnTextWidth)
{
    sf::Font proportional;
    ASSERT_TRUE(proportional.loadFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    const std::vector<std::string> samples = {
        "", " ", "a", "AVAV To Ty", "  leading", "trailing  ", "tab\there", "j,", "\xe9t\xe9 \xff\x80",
        "Caf\xc3\xa9 \xe2\x80\x94 \xe2\x80\x9cyes\xe2\x80\xa6\xe2\x80\x9d", "\xc3\n\xa9", "\xf0\x9f\x9a\x80",
        "The crew of the Vesperine wakes.", "W", "\r", "x\ry",
    };
    for (const sf::Font* font : {&host.font, &proportional})
        for (unsigned size : {0u, 7u, 8u, 11u, 15u, 30u})
            for (const std::string& sample : samples) {
                TextMeasure measure(*font, size);
                const sf::Text text(Utf8::toLabel(sample), *font, size);
                EXPECT_EQ(measure.measure(sample), text.getGlobalBounds().width) << "'" << sample << "' " << size;
            }
}
