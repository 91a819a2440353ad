// libFuzzer entry for the colour markup, the rich text it fills and the word wrap (built by
// the QV_FUZZ build, run by scripts/fuzz.sh). The font needs a display: fuzz.sh provides
// one, and without it the entry starts a private Xvfb.
//
// Input layout: byte 0 the wrap width, byte 1 the character size and the colour-tag switch,
// the rest the text.

#include "core/TextFunctions.hpp"
#include "fuzz/FuzzSupport.hpp"
#include "support/QuietUiHost.hpp"
#include "support/XDisplay.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/RichText.hpp"
#include "ui/TextManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::string withoutBreaks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\n' && c != ' ')
            out += c;
    return out;
}

std::size_t brokenCharacters(const std::string& text)
{
    std::size_t broken = 0;
    for (std::size_t i = 0; i < text.size();)
        broken += Utf8::next(text, i) == Utf8::replacement ? 1 : 0;
    return broken;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzFolder();
    ensureDisplay();
    static QuietUiHost host;
    if (!host.loaded())
        std::abort();
    UiHost::install(&host);
    if (size < 2)
        return 0;
    const int width = data[0];
    const int charSize = (data[1] & 0x7f) % 24 == 0 ? -1 : (data[1] & 0x7f) % 24;
    const bool tags = (data[1] & 0x80) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    try {
        std::size_t visible = 0;
        for (const MarkupPart& part : parseColorMarkup(text))
            visible += part.text.size();
        if (visible > text.size())
            std::abort();
        sfe::RichText rich(host.gameFont());
        rich.setCharacterSize(static_cast<unsigned>(charSize < 0 ? 8 : charSize));
        appendColorMarkup(rich, text, sf::Color::Green, data[1] % 3);
        if (rich.getLocalBounds().width < 0.f || rich.getLocalBounds().height < 0.f)
            std::abort();
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }

    const std::string wrapped = wrapText(text, width, charSize, tags);
    if (withoutBreaks(wrapped) != withoutBreaks(text) || wrapped.size() > text.size() + 1000)
        std::abort();
    if (brokenCharacters(wrapped) != brokenCharacters(text)) // a break inside a character
        std::abort();
    return 0;
}
