// libFuzzer entry for the colour-markup parser and the word wrap. Not part of the normal
// build (the unit tests run a bounded random version of the same checks). To fuzz, from the
// project folder, with clang installed and an X display for the font (xvfb-run):
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc -Itests \
//       tests/fuzz/TextFuzz.cpp src/core/TextFunctions.cpp src/ui/ColorMarkup.cpp \
//       src/ui/RichText.cpp src/ui/TextManager.cpp src/ui/TextMeasure.cpp src/ui/UiHost.cpp \
//       src/core/Logger.cpp src/core/FileUtils.cpp \
//       -lsfml-graphics -lsfml-window -lsfml-system -o build/text_fuzz
//   XDG_DATA_HOME=/tmp/qv-fuzz ASAN_OPTIONS=detect_leaks=0 xvfb-run -a build/text_fuzz -max_len=512
//
// (Leak checking is off because the OpenGL driver behind the font keeps its allocations.)
//
// Input layout: byte 0 the wrap width, byte 1 the character size and the colour-tag switch,
// the rest the text.

#include "core/TextFunctions.hpp"
#include "support/QuietUiHost.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/TextManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/Font.hpp>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
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
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }

    const std::string wrapped = wrapText(text, width, charSize, tags);
    if (withoutBreaks(wrapped) != withoutBreaks(text) || wrapped.size() > text.size() + 1000)
        std::abort();
    return 0;
}
