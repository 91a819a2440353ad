#include "core/Base64.hpp"

#include <gtest/gtest.h>

#include <random>

namespace {
std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return { text.begin(), text.end() };
}
} // namespace

TEST(Base64, EncodesTheStandardTestVectors)
{
    const std::pair<const char*, const char*> vectors[] = {
        { "", "" }, { "f", "Zg==" }, { "fo", "Zm8=" }, { "foo", "Zm9v" },
        { "foob", "Zm9vYg==" }, { "fooba", "Zm9vYmE=" }, { "foobar", "Zm9vYmFy" },
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64::encode(std::string(plain)), encoded);
        auto decoded = Base64::decode(encoded);
        ASSERT_TRUE(decoded) << encoded;
        EXPECT_EQ(*decoded, bytesOf(plain)) << encoded;
    }
}

TEST(Base64, RoundTripsEveryByteValueAndEveryTailLength)
{
    std::mt19937 random(7);
    for (std::size_t size = 0; size < 70; ++size) {
        std::vector<std::uint8_t> bytes(size);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        auto decoded = Base64::decode(Base64::encode(bytes));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, bytes);
    }
    std::vector<std::uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(*Base64::decode(Base64::encode(all)), all);
}

TEST(Base64, SkipsLineBreaksFromOtherEncoders)
{
    auto decoded = Base64::decode("Zm9v\r\nYmFy\n");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, bytesOf("foobar"));
}

TEST(Base64, RejectsMalformedText)
{
    const char* malformed[] = {
        "Zg",        // unfinished group
        "Zm9vY",     // unfinished last group
        "Zg=",       // padding cut short
        "Z===",      // too much padding
        "====",
        "Zg==Zm9v",  // data after padding
        "Zg==\nZg==",
        "Zm=v",      // padding inside a group
        "Zm9v!A==",  // outside the alphabet
        "Zm9-",      // URL-safe alphabet is not this one
        "Zm9\xff",
        "Zm9v\0AAA", // embedded NUL
    };
    for (const char* text : malformed) {
        std::string_view view(text, text == malformed[11] ? 8 : std::char_traits<char>::length(text));
        EXPECT_FALSE(Base64::decode(view)) << text;
    }
}

TEST(Base64, RandomGarbageNeverCrashes)
{
    std::mt19937 random(11);
    const std::string pool = "ABCxyz019+/=\n \x80\xff-_";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 13, 'A');
        for (char& c : text)
            c = pool[random() % pool.size()];
        auto decoded = Base64::decode(text);
        if (decoded) {
            EXPECT_LE(decoded->size(), text.size() / 4 * 3);
        }
    }
}
