#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Base64 with the standard alphabet and "=" padding, for pictures embedded in saved JSON.
// The decoder is strict: ASCII whitespace (line breaks from other tools) is skipped, but
// any other character outside the alphabet, a length that is not a whole number of
// four-character groups after skipping whitespace, or padding anywhere but at the very end
// rejects the whole text. It never reads outside its input.
class Base64 {
public:
    static std::string encode(const std::vector<std::uint8_t>& bytes);
    static std::string encode(std::string_view bytes);
    // The decoded bytes, or nothing when the text is not valid Base64.
    static std::optional<std::vector<std::uint8_t>> decode(std::string_view text);
};
