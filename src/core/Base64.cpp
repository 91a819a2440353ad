#include "core/Base64.hpp"

#include <array>

namespace {

const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::int8_t invalid = -1;
constexpr std::int8_t padding = -2;
constexpr std::int8_t whitespace = -3;

std::array<std::int8_t, 256> buildTable()
{
    std::array<std::int8_t, 256> table{};
    table.fill(invalid);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    table['='] = padding;
    for (unsigned char c : { ' ', '\t', '\n', '\r', '\f', '\v' })
        table[c] = whitespace;
    return table;
}

const std::array<std::int8_t, 256>& decodeTable()
{
    static const std::array<std::int8_t, 256> table = buildTable();
    return table;
}

std::string encodeBytes(const unsigned char* data, std::size_t size)
{
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        std::uint32_t group = (std::uint32_t(data[i]) << 16) | (std::uint32_t(data[i + 1]) << 8) | data[i + 2];
        text += alphabet[(group >> 18) & 63];
        text += alphabet[(group >> 12) & 63];
        text += alphabet[(group >> 6) & 63];
        text += alphabet[group & 63];
    }
    std::size_t rest = size - i;
    if (rest > 0) {
        std::uint32_t group = std::uint32_t(data[i]) << 16;
        if (rest == 2)
            group |= std::uint32_t(data[i + 1]) << 8;
        text += alphabet[(group >> 18) & 63];
        text += alphabet[(group >> 12) & 63];
        text += rest == 2 ? alphabet[(group >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

} // namespace

std::string Base64::encode(const std::vector<std::uint8_t>& bytes)
{
    return encodeBytes(bytes.data(), bytes.size());
}

std::string Base64::encode(std::string_view bytes)
{
    return encodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::optional<std::vector<std::uint8_t>> Base64::decode(std::string_view text)
{
    const auto& table = decodeTable();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);

    std::array<std::int8_t, 4> group{};
    std::size_t filled = 0;
    bool finished = false; // a padded group was read; only whitespace may follow
    for (char c : text) {
        std::int8_t value = table[static_cast<unsigned char>(c)];
        if (value == whitespace)
            continue;
        if (value == invalid || finished)
            return std::nullopt;
        group[filled++] = value;
        if (filled < 4)
            continue;
        filled = 0;
        // Padding may only fill the last one or two places of the last group.
        if (group[0] == padding || group[1] == padding)
            return std::nullopt;
        if (group[2] == padding && group[3] != padding)
            return std::nullopt;
        std::uint32_t bits = (std::uint32_t(group[0]) << 18) | (std::uint32_t(group[1]) << 12);
        bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
        if (group[2] == padding) {
            finished = true;
            continue;
        }
        bits |= std::uint32_t(group[2]) << 6;
        bytes.push_back(static_cast<std::uint8_t>((bits >> 8) & 0xFF));
        if (group[3] == padding) {
            finished = true;
            continue;
        }
        bits |= std::uint32_t(group[3]);
        bytes.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    }
    if (filled != 0)
        return std::nullopt;
    return bytes;
}
