#include "ui/ColorMarkup.hpp"

#include "ui/Utf8.hpp"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

const std::string openTag = "<c=";
const std::string closeTag = "</c>";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

sf::Uint8 clampComponent(int value)
{
    return static_cast<sf::Uint8>(std::clamp(value, 0, 255));
}

int brightness(const sf::Color& color)
{
    return (2 * color.r + 3 * color.g + color.b) / 6;
}

void addPart(std::vector<MarkupPart>& parts, std::string text, bool colored, sf::Color color)
{
    if (text.empty())
        return;
    if (!colored && !parts.empty() && !parts.back().colored)
        parts.back().text += text; // malformed markup joins the plain text around it
    else
        parts.push_back(MarkupPart{std::move(text), colored, color});
}

} // namespace

int parseMarkupNumber(const std::string& digits)
{
    std::size_t i = 0;
    while (i < digits.size() && isBlank(digits[i]))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    const std::size_t first = i;
    std::int64_t value = 0;
    bool tooLarge = false;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (!tooLarge) {
            value = value * 10 + (digits[i] - '0');
            if (value > std::int64_t{1} << 32)
                tooLarge = true; // keep consuming digits, the verdict is settled
        }
    }
    if (i == first)
        throw std::invalid_argument("invalid stoi argument");
    if (negative)
        value = -value;
    if (tooLarge || value > INT32_MAX || value < INT32_MIN)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<int>(value);
}

std::vector<MarkupPart> parseColorMarkup(const std::string& text)
{
    std::vector<MarkupPart> parts;
    std::size_t cur = 0;
    while (cur < text.size()) {
        const std::size_t open = text.find(openTag, cur);
        const std::size_t close = open == std::string::npos ? std::string::npos : text.find(closeTag, open + openTag.size());
        if (close == std::string::npos) {
            addPart(parts, text.substr(cur), false, sf::Color());
            break;
        }
        const std::size_t end = close + closeTag.size();
        const std::size_t inside = open + openTag.size();
        const std::size_t tagEnd = text.find('>', inside);
        const std::size_t comma1 = text.find(',', inside);
        const std::size_t comma2 = comma1 == std::string::npos ? std::string::npos : text.find(',', comma1 + 1);
        if (tagEnd > close || comma1 > tagEnd || comma2 > tagEnd) {
            addPart(parts, text.substr(cur, end - cur), false, sf::Color());
            cur = end;
            continue;
        }
        const int r = parseMarkupNumber(text.substr(inside, comma1 - inside));
        const int g = parseMarkupNumber(text.substr(comma1 + 1, comma2 - comma1 - 1));
        const int b = parseMarkupNumber(text.substr(comma2 + 1, tagEnd - comma2 - 1));
        addPart(parts, text.substr(cur, open - cur), false, sf::Color());
        addPart(parts, text.substr(tagEnd + 1, close - tagEnd - 1), true,
                sf::Color(clampComponent(r), clampComponent(g), clampComponent(b)));
        cur = end;
    }
    return parts;
}

std::string appendColorMarkup(sfe::RichText& richText, const std::string& text, const sf::Color& defaultColor,
                              int textMode)
{
    const std::vector<MarkupPart> parts = parseColorMarkup(text);
    std::string plain;
    for (const MarkupPart& part : parts) {
        richText << (part.colored ? part.color : defaultColor) << Utf8::toLabel(part.text);
        plain += part.text;
    }
    richText << defaultColor;
    for (const MarkupPart& part : parts) {
        if (!part.colored || part.color == defaultColor)
            continue;
        const int light = brightness(part.color);
        if (textMode == 2 && light > 205)
            richText.setOutlineForColor(1.f, part.color, sf::Color(12, 12, 12));
        else if (textMode != 2 && light < 50)
            richText.setOutlineForColor(1.f, part.color, sf::Color(200, 200, 200, 255));
    }
    return plain;
}
