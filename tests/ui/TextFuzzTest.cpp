#include "core/TextFunctions.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/TextMeasure.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cstdlib>
#include <random>
#include <stdexcept>

// Bounded random inputs for the markup parser and the word wrap: deterministic (fixed seeds),
// built from the pieces malformed markup is made of. Sanitizer builds run a fraction of the
// inputs; QV_FUZZ_DIVISOR divides the counts further (or, below 1, is ignored).

namespace {

std::size_t scaled(std::size_t count)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    count /= 20;
#endif
    if (const char* divisor = std::getenv("QV_FUZZ_DIVISOR")) {
        const long d = std::atol(divisor);
        if (d > 1)
            count /= static_cast<std::size_t>(d);
    }
    return count;
}

// Random text from markup fragments, numbers of every size, blanks and words.
class MarkupSource {
public:
    explicit MarkupSource(unsigned seed) : random_(seed) {}

    std::string next(std::size_t maxPieces)
    {
        static const char* pieces[] = {"<c=", "</c>", ",", ">", "<", "c", "=", "/", " ", " ", "\n", "Ada", "the crew",
                                       "255", "0", "-1", "+7", "99999999999", "2147483648", "x", "  ", "<c=1,2,3>",
                                       "<c=255,255,255>", "</", "c>", "\t", "\xc3\xa9", "Supercalifragilistic"};
        std::string text;
        const std::size_t count = std::uniform_int_distribution<std::size_t>(0, maxPieces)(random_);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, std::size(pieces))(random_);
            if (pick == std::size(pieces))
                text += static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random_)); // any byte
            else
                text += pieces[pick];
        }
        return text;
    }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

private:
    std::mt19937 random_;
};

std::string withoutBreaks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\n' && c != ' ')
            out += c;
    return out;
}

// Characters that do not decode: a line break put inside a UTF-8 sequence adds some.
std::size_t brokenCharacters(const std::string& text)
{
    std::size_t broken = 0;
    for (std::size_t i = 0; i < text.size();)
        broken += Utf8::next(text, i) == Utf8::replacement ? 1 : 0;
    return broken;
}

} // namespace

TEST(TextFuzz, MarkupParsingEndsAndFailsOnlyWithTheConversionErrors)
{
    MarkupSource source(20240501);
    const std::size_t inputs = scaled(3'000'000);
    std::size_t failures = 0;
    for (std::size_t i = 0; i < inputs; ++i) {
        const std::string text = source.next(24);
        try {
            std::size_t visible = 0;
            for (const MarkupPart& part : parseColorMarkup(text)) {
                ASSERT_FALSE(part.text.empty()) << text;
                visible += part.text.size();
            }
            ASSERT_LE(visible, text.size()) << text;
        } catch (const std::invalid_argument& error) {
            ASSERT_STREQ(error.what(), "invalid stoi argument") << text;
            ++failures;
        } catch (const std::out_of_range& error) {
            ASSERT_STREQ(error.what(), "stoi argument out of range") << text;
            ++failures;
        }
    }
    EXPECT_GT(failures, 0u); // the generator does reach the error paths
    EXPECT_LT(failures, inputs);
}

using TextFuzzWrap = UiTest;

TEST_F(TextFuzzWrap, WrappingOnlyBreaksLinesAndAlwaysEnds)
{
    MarkupSource source(777);
    const std::size_t inputs = scaled(600'000);
    const float scales[] = {1.f, 1.5f, 2.f, 3.f};
    for (std::size_t i = 0; i < inputs; ++i) {
        const std::string text = source.next(12);
        TextManager::get().setScale(scales[source.below(4)]);
        const int width = source.below(4) == 0 ? source.below(8) : source.below(300);
        const int size = source.below(3) == 0 ? -1 : 4 + source.below(12);
        const std::string wrapped = wrapText(text, width, size, source.below(4) != 0);
        ASSERT_EQ(withoutBreaks(wrapped), withoutBreaks(text)) << text << " / " << width;
        ASSERT_EQ(brokenCharacters(wrapped), brokenCharacters(text)) << text << " / " << width;
        ASSERT_LE(wrapped.size(), text.size() + 1000);
        if (i % 64 == 0) {
            // The fast measure and the drawn text agree on random text too.
            const unsigned pixels = static_cast<unsigned>(4 + source.below(20));
            TextMeasure measure(host.font, pixels);
            EXPECT_EQ(measure.measure(text), sf::Text(Utf8::toLabel(text), host.font, pixels).getGlobalBounds().width)
                << text;
        }
    }
}
