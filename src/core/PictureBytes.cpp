#include "core/PictureBytes.hpp"

#include "core/Base64.hpp"

#include <SFML/Graphics/Image.hpp>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::array<unsigned char, 8> pngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the first chunk: length, "IHDR", width, height.
constexpr std::size_t headerSize = 8 + 4 + 4 + 4 + 4 + 5;

// The bit depths a PNG colour type allows. The decoder behind sf::Image trusts the header and
// asserts (ends the game) on a depth its colour type cannot have.
bool depthFitsColourType(unsigned depth, unsigned colourType)
{
    switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

std::uint32_t bigEndian(const unsigned char* bytes)
{
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8)
        | std::uint32_t(bytes[3]);
}

PictureBytes::Result fail(PictureBytes::Result result, sf::Image& image, std::string& why, std::string reason)
{
    image = sf::Image();
    why = std::move(reason);
    return result;
}

// The bytes of the filtered scan lines a PNG of this header holds (Adam7: its seven passes).
std::uint64_t scanLineBytes(std::uint32_t width, std::uint32_t height, unsigned depth, unsigned colourType,
                            bool interlaced)
{
    const unsigned channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const std::uint64_t bitsPerPixel = std::uint64_t(channels) * depth;
    const auto pass = [&](std::uint64_t w, std::uint64_t h) -> std::uint64_t {
        return w == 0 || h == 0 ? 0 : h * (1 + (w * bitsPerPixel + 7) / 8);
    };
    if (!interlaced)
        return pass(width, height);
    static constexpr int start[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static constexpr int step[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    std::uint64_t total = 0;
    for (int p = 0; p < 7; ++p)
        total += pass((width + step[p][0] - 1 - start[p][0]) / step[p][0],
                      (height + step[p][1] - 1 - start[p][1]) / step[p][1]);
    return total;
}

// Whether the picture's compressed data inflates to exactly the scan lines its header
// promises. The decoder behind sf::Image grows its buffer without bound on some broken streams
// (a 120-byte picture took more than 2 GB); zlib, counting as it goes, stops at the first byte
// too many.
bool dataFitsHeader(const unsigned char* bytes, std::size_t size, std::uint64_t expected)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    std::array<unsigned char, 16384> scratch;
    int status = Z_OK;
    std::size_t at = 8;
    while (status == Z_OK && at + 12 <= size) {
        const std::uint32_t length = std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16
                                     | std::uint32_t(bytes[at + 2]) << 8 | std::uint32_t(bytes[at + 3]);
        if (length > size - at - 12)
            break;
        const unsigned char* type = bytes + at + 4;
        if (std::memcmp(type, "IEND", 4) == 0)
            break;
        if (std::memcmp(type, "IDAT", 4) == 0) {
            stream.next_in = const_cast<unsigned char*>(bytes + at + 8);
            stream.avail_in = length;
            while (status == Z_OK && stream.avail_in > 0) {
                stream.next_out = scratch.data();
                stream.avail_out = scratch.size();
                status = inflate(&stream, Z_NO_FLUSH);
                if (status == Z_BUF_ERROR)
                    status = Z_OK; // needs the next chunk
                if (stream.total_out > expected)
                    status = Z_DATA_ERROR;
            }
        }
        at += 12 + length;
    }
    const bool whole = status == Z_STREAM_END && stream.total_out == expected;
    inflateEnd(&stream);
    return whole;
}

} // namespace

PictureBytes::Result PictureBytes::decode(const void* data, std::size_t size, sf::Image& image, std::string& why)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!bytes || size < headerSize || std::memcmp(bytes, pngSignature.data(), pngSignature.size()) != 0)
        return fail(Result::Unreadable, image, why, "not a PNG picture");
    if (bigEndian(bytes + 8) != 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return fail(Result::Unreadable, image, why, "a PNG picture without its header");
    const std::uint32_t width = bigEndian(bytes + 16);
    const std::uint32_t height = bigEndian(bytes + 20);
    if (width == 0 || height == 0 || width > maxSide || height > maxSide)
        return fail(Result::Refused, image, why,
                    "a picture of " + std::to_string(width) + " x " + std::to_string(height)
                        + " pixels, larger than the " + std::to_string(maxSide) + " x " + std::to_string(maxSide)
                        + " the game takes");
    const unsigned depth = bytes[24], colourType = bytes[25];
    const unsigned compression = bytes[26], filter = bytes[27], interlace = bytes[28];
    if (!depthFitsColourType(depth, colourType) || compression != 0 || filter != 0 || interlace > 1)
        return fail(Result::Unreadable, image, why,
                    "a PNG picture whose header is impossible (bit depth " + std::to_string(depth)
                        + ", colour type " + std::to_string(colourType) + ")");
    if (!dataFitsHeader(bytes, size, scanLineBytes(width, height, depth, colourType, interlace == 1)))
        return fail(Result::Unreadable, image, why, "a PNG picture whose data does not match its size");
    if (!image.loadFromMemory(data, size))
        return fail(Result::Unreadable, image, why, "a PNG picture that does not decode");
    why.clear();
    return Result::Decoded;
}

PictureBytes::Result PictureBytes::decodeBase64(std::string_view text, sf::Image& image, std::string& why)
{
    if (text.size() > maxBase64Length)
        return fail(Result::Refused, image, why,
                    "an embedded picture of " + std::to_string(text.size()) + " characters, more than the "
                        + std::to_string(maxBase64Length) + " the game takes");
    const auto bytes = Base64::decode(text);
    if (!bytes)
        return fail(Result::Unreadable, image, why, "an embedded picture that is not Base64");
    return decode(bytes->data(), bytes->size(), image, why);
}
