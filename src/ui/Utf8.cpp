#include "ui/Utf8.hpp"

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

char32_t Utf8::next(std::string_view text, std::size_t& index)
{
    const unsigned char lead = static_cast<unsigned char>(text[index]);
    ++index;
    if (lead < 0x80)
        return lead;

    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return replacement; // a continuation byte, or a lead byte no sequence has
    }
    if (text.size() - index < length)
        return replacement;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[index + i]);
        if (!isContinuation(byte))
            return replacement;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return replacement;
    index += length;
    return value;
}

sf::String Utf8::toLabel(std::string_view text)
{
    std::u32string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        decoded.push_back(next(text, i));
    return sf::String::fromUtf32(decoded.begin(), decoded.end());
}

std::string Utf8::fromLabel(const sf::String& label)
{
    const std::basic_string<sf::Uint8> bytes = label.toUtf8();
    return std::string(bytes.begin(), bytes.end());
}
