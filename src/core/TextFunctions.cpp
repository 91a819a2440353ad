#include "core/TextFunctions.hpp"

#include "core/Base64.hpp"
#include "core/Logger.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextMeasure.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <cmath>
#include <cstdint>
#include <iostream>

const sf::Color amberColor(185, 128, 0, 255);

namespace {

constexpr std::size_t closeTagLength = 4; // "</c>"
constexpr std::size_t noBreak = std::string::npos;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

sf::Uint8 hexPart(const std::string& text, std::size_t from)
{
    unsigned value = 0;
    for (std::size_t i = from; i < from + 2 && i < text.size() && isHexDigit(text[i]); ++i) {
        const char c = text[i];
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return static_cast<sf::Uint8>(value);
}

} // namespace

// Resume point after a colour span: directly after its "</c>", so that the character after
// a coloured name is examined like any other and a space there can break the line. The
// span counts with its visible characters; a span is recognised only when its '>' lies
// less than 16 characters after "<c=" and before its "</c>".
std::string wrapText(const std::string& input, int maxWidth, int charSize, bool colourTags)
{
    const float scale = TextManager::get().getScale();
    const float size = charSize == -1 ? UiHost::get().defaultTextSize() : static_cast<float>(charSize);
    const float pixelSize = size * scale + 0.5f;
    // Truncated in floating point: a width such as INT_MAX (no wrapping wanted) must not
    // overflow an int and turn into a negative limit that breaks after every character.
    const float limit = std::trunc(static_cast<float>(maxWidth) * scale + 0.5f);

    TextMeasure measure(UiHost::get().gameFont(), pixelSize > 0.f ? static_cast<unsigned>(pixelSize) : 0u);

    std::string text = input;
    std::size_t lineStart = 0;
    std::size_t breakPoint = noBreak;
    std::size_t counter = 0;
    std::size_t counterAtBreak = 0;
    // The current line, tags left out, is measured incrementally: `measured` is the index
    // after the last character fed to `measure`.
    std::size_t measured = 0;
    auto startLine = [&](std::size_t at) {
        lineStart = at;
        measured = at;
        measure.reset();
    };

    std::size_t u = 0;
    while (u < text.size()) {
        const char c = text[u];
        if (c == '\n') {
            startLine(u + 1);
            counter = 0;
            breakPoint = noBreak;
            ++u;
            continue;
        }
        if (c == ' ' && u > 0 && counter != 0) {
            breakPoint = u;
            counterAtBreak = counter;
        }

        // One character, however many bytes it takes: a break is never put inside one.
        std::size_t next = u;
        Utf8::next(text, next);
        std::size_t counted = 1;
        bool span = false;
        if (colourTags && c == '<' && u + 2 < text.size() && text[u + 1] == 'c' && text[u + 2] == '=') {
            const std::size_t tagEnd = text.find('>', u);
            const std::size_t close = text.find("</c>", u);
            if (tagEnd != std::string::npos && close != std::string::npos && tagEnd - u < 16 && tagEnd < close) {
                span = true;
                counted = close - tagEnd - 1;
                measure.append(text, measured, u - measured);
                measure.append(text, tagEnd + 1, counted);
                next = close + closeTagLength;
                measured = next;
            }
        }
        if (!span) {
            measure.append(text, measured, next - measured);
            measured = next;
        }

        const float width = u == lineStart ? 0.f : measure.width();
        if (width >= limit) {
            if (breakPoint != noBreak) {
                text[breakPoint] = '\n';
                counter -= counterAtBreak;
                startLine(breakPoint + 1);
                breakPoint = noBreak;
                u = lineStart;
            } else {
                text.insert(u, 1, '\n');
                counter = 0;
                startLine(u + 1);
                u = lineStart;
            }
        } else {
            counter += counted;
            u = next;
        }

        if (text.size() > input.size() + 1000) {
            std::cout << "Something has probably gone wrong" << std::endl;
            return input;
        }
    }
    return text;
}

sf::Color parseHexColor(const std::string& text)
{
    if (text.size() < 4) {
        QV_LOG << "Failed to parse hex string: " << text << std::endl;
        return sf::Color(255, 0, 0, 255);
    }
    return sf::Color(hexPart(text, 0), hexPart(text, 2), hexPart(text, 4), 255);
}

sf::Color fallbackColor(const std::string& name, const std::vector<sf::Color>& colourList)
{
    if (colourList.empty()) {
        QV_LOG << "Using fallback getColoredName " << std::endl;
        std::uint32_t h = 2166136261u;
        for (unsigned char byte : name) {
            h ^= byte;
            h *= 16777619u;
        }
        return sf::Color(static_cast<sf::Uint8>(h % 256), static_cast<sf::Uint8>((h >> 6) % 256),
                         static_cast<sf::Uint8>((h >> 12) % 256), 255);
    }
    const std::string encoded = Base64::encode(std::string_view(name));
    long sum = 0;
    for (std::size_t i = 0; i < encoded.size() && i < 32; ++i)
        sum += static_cast<signed char>(encoded[i]);
    const long n = static_cast<long>(colourList.size());
    return colourList[static_cast<std::size_t>(((sum % n) + n) % n)];
}

void setContrastOutline(int textId, const sf::Color& colour)
{
    sf::Text& text = TextManager::get().getText(textId);
    const int brightness = (2 * colour.r + 3 * colour.g + colour.b) / 6;
    if (brightness >= 50) {
        text.setOutlineColor(sf::Color::Transparent);
    } else {
        text.setOutlineColor(sf::Color(200, 200, 200, 255));
        text.setOutlineThickness(1.f);
    }
}
