#include "core/PictureBytes.hpp"

#include "core/Base64.hpp"
#include "support/TextFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>
#include <json/json.h>

#include <sstream>

namespace {

std::string embedded(const std::string& fixture, const char* key)
{
    Json::Value root;
    std::istringstream(readAll(std::string(QV_FIXTURES_DIR) + "/mementos/" + fixture)) >> root;
    return root[key].asString();
}

std::string decoded(const std::string& base64)
{
    auto bytes = Base64::decode(base64);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// The PNG with its header's width and height replaced.
std::string claiming(std::string png, std::uint32_t width, std::uint32_t height)
{
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    return png;
}

// The PNG with its header's bit depth and colour type replaced.
std::string withDepth(std::string png, unsigned depth, unsigned colourType)
{
    png[24] = static_cast<char>(depth);
    png[25] = static_cast<char>(colourType);
    return png;
}

} // namespace

// Bytes from a shared file are checked before they are decoded: a PNG header claiming more
// pixels than the game takes (the 31 KB picture of 16000 x 16000 that took 3 GB) is refused
// without decoding, and anything that is not a PNG is unreadable.
TEST(PictureBytes, OnlyPngsWithinTheSizeCapAreDecoded)
{
    using Result = PictureBytes::Result;
    const std::string small = decoded(embedded("keepsake.json", "mementoImageBinary"));
    const std::string huge = decoded(embedded("huge_picture.json", "mementoImageBinary"));
    // Found by fuzzing: a 6 x 4 picture whose broken data made the decoder take over 2 GB.
    const std::string runaway = decoded(embedded("runaway_picture.json", "mementoImageBinary"));
    ASSERT_FALSE(runaway.empty());
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(huge.empty());
    struct Case {
        const char* what;
        std::string bytes;
        Result expected;
    };
    const unsigned cap = PictureBytes::maxSide;
    const std::vector<Case> cases = {
        {"a small picture", small, Result::Decoded},
        {"16000 x 16000", huge, Result::Refused},
        {"one pixel too wide", claiming(small, cap + 1, 4), Result::Refused},
        {"one pixel too high", claiming(small, 6, cap + 1), Result::Refused},
        {"no pixels", claiming(small, 0, 4), Result::Refused},
        {"at the cap, but its data is for 6 x 4", claiming(small, cap, cap), Result::Unreadable},
        {"cut inside the header", small.substr(0, 20), Result::Unreadable},
        {"cut after the header", small.substr(0, 40), Result::Unreadable},
        {"a JPEG", std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb", 22),
         Result::Unreadable},
        {"no bytes", "", Result::Unreadable},
        // Found by fuzzing: the decoder asserts on a depth its colour type cannot have.
        {"4-bit RGB", withDepth(small, 4, 2), Result::Unreadable},
        {"data that runs away", runaway, Result::Unreadable},
        {"colour type 5", withDepth(small, 8, 5), Result::Unreadable},
        {"16-bit RGBA", withDepth(small, 16, 6), Result::Unreadable},
    };
    for (const Case& c : cases) {
        sf::Image image;
        image.create(2, 2, sf::Color::Red); // whatever was there before goes
        std::string why;
        EXPECT_EQ(PictureBytes::decode(c.bytes.data(), c.bytes.size(), image, why), c.expected) << c.what;
        if (c.expected == Result::Decoded) {
            EXPECT_EQ(image.getSize(), sf::Vector2u(6, 4));
            EXPECT_TRUE(why.empty());
        } else {
            EXPECT_EQ(image.getSize(), sf::Vector2u(0, 0)) << c.what;
            EXPECT_FALSE(why.empty()) << c.what;
        }
    }
}

TEST(PictureBytes, Base64IsMeasuredBeforeItIsDecoded)
{
    using Result = PictureBytes::Result;
    sf::Image image;
    std::string why;
    EXPECT_EQ(PictureBytes::decodeBase64(embedded("keepsake.json", "insetImageBinary"), image, why), Result::Decoded);
    EXPECT_EQ(image.getSize(), sf::Vector2u(3, 3));
    EXPECT_EQ(PictureBytes::decodeBase64(std::string(PictureBytes::maxBase64Length + 4, 'A'), image, why),
              Result::Refused);
    EXPECT_NE(why.find("characters"), std::string::npos) << why;
    EXPECT_EQ(PictureBytes::decodeBase64("not*base64", image, why), Result::Unreadable);
    EXPECT_EQ(image.getSize(), sf::Vector2u(0, 0));
}
