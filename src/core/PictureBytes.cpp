#include "core/PictureBytes.hpp"

#include "core/Base64.hpp"

#include <SFML/Graphics/Image.hpp>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::array<unsigned char, 8> pngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the first chunk: length, "IHDR", width, height.
constexpr std::size_t headerSize = 8 + 4 + 4 + 4 + 4;

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
