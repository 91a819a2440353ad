#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sf {
class Image;
}

// Pictures that arrive as bytes inside files players pass around: memento pictures, crew
// portraits in character files, pictures in session saves. Decoding a picture costs memory
// in proportion to the size its header claims, whatever the file's own size, so the header
// is checked before anything is decoded: only PNG is taken, at most maxSide pixels each
// way, and Base64 text longer than maxBase64Length is not decoded at all. Every picture the
// game makes from bytes goes through here (the texture registry's from-memory path and the
// memento loader do), so a hostile file costs a log line, not seconds and gigabytes.
class PictureBytes {
public:
    static constexpr unsigned maxSide = 4096;
    static constexpr std::size_t maxBase64Length = 8u * 1024u * 1024u;

    enum class Result {
        Decoded,
        // Beyond the caps (too many pixels, too long a text): not looked at any further.
        Refused,
        // Not Base64, not a PNG, or a PNG that does not decode.
        Unreadable,
    };

    // Decodes PNG bytes into `image`; on failure `image` is empty and `why` says what was wrong.
    static Result decode(const void* data, std::size_t size, sf::Image& image, std::string& why);
    // The same for a picture embedded in JSON as Base64.
    static Result decodeBase64(std::string_view text, sf::Image& image, std::string& why);
};
