#include "creator/NameGenerator.hpp"

#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

TEST(NameGenerator, SyllableWordsAreShortCapitalisedAndHaveAVowel)
{
    std::mt19937 random(3);
    for (int i = 0; i < 2000; ++i) {
        const std::string word = NameGenerator::syllableWord(random);
        ASSERT_GE(word.size(), 2u);
        ASSERT_LE(word.size(), 6u) << word;
        ASSERT_TRUE(std::isupper(static_cast<unsigned char>(word[0]))) << word;
        ASSERT_TRUE(std::all_of(word.begin() + 1, word.end(),
                                [](char c) { return std::islower(static_cast<unsigned char>(c)); }))
            << word;
        ASSERT_NE(word.find_first_of("AEIOUaeiou"), std::string::npos) << word;
    }
}

TEST(NameGenerator, ListNamesFollowThePronounsAndAvoidTakenOrLongNames)
{
    NameGenerator names;
    names.firstMale = { "Bram", "Soren" };
    names.firstFemale = { "Wren", "Petra" };
    names.lastNames = { "Holloway", "Averyveryverylongname" };
    std::mt19937 random(5);
    auto taken = [](const std::string& name) { return name == "Soren Holloway"; };
    for (int i = 0; i < 200; ++i) {
        const NameGenerator::Name male = names.listName(random, 0, taken);
        EXPECT_EQ(male.first, "Bram");
        EXPECT_EQ(male.last, "Holloway");
        const NameGenerator::Name female = names.listName(random, 1, taken);
        EXPECT_TRUE(female.first == "Wren" || female.first == "Petra") << female.first;
        EXPECT_EQ(female.last, "Holloway");
    }
}

// Every combination taken, or no names at all: the list generator gives up and makes one up.
TEST(NameGenerator, ListGeneratorEndsWhenNothingCanBeTaken)
{
    NameGenerator names;
    names.firstMale = { "Bram" };
    names.firstFemale = { "Wren" };
    names.lastNames = { "Holloway" };
    std::mt19937 random(1);
    auto everyName = [](const std::string&) { return true; };
    for (int pronouns : { 0, 1, 2 }) {
        const NameGenerator::Name name = names.listName(random, pronouns, everyName);
        EXPECT_NE(name.first, "Bram");
        EXPECT_NE(name.first, "Wren");
        EXPECT_FALSE(name.first.empty());
    }
    NameGenerator empty;
    EXPECT_FALSE(empty.listName(random, 0, nullptr).last.empty());
}

TEST(NameGenerator, TheNamesFileIsReadAsFarAsItGoes)
{
    LogCapture log;
    const std::string good = log.home().root() + "/names.json";
    writeText(good, R"({"FirstMale": ["Bram"], "FirstFemale": ["Wren", 7, "Una"], "LastNames": ["Holloway"]})");
    NameGenerator names;
    names.loadFile(good);
    EXPECT_EQ(names.firstMale, std::vector<std::string>{ "Bram" });
    EXPECT_EQ(names.firstFemale, std::vector<std::string>{ "Wren" });
    EXPECT_TRUE(names.lastNames.empty());
    EXPECT_TRUE(log.contains("Failed to load randomNames file: " + good + "\n"));

    // Names the creator's field could not hold are left out, the rest of the list kept.
    const std::string blanks = log.home().root() + "/blanks.json";
    writeText(blanks, R"({"FirstMale": ["", "  ", "Bram", "Tab\tby"], "LastNames": ["Line\nbreak", "Holloway"]})");
    NameGenerator kept;
    kept.loadFile(blanks);
    EXPECT_EQ(kept.firstMale, std::vector<std::string>{ "Bram" });
    EXPECT_EQ(kept.lastNames, std::vector<std::string>{ "Holloway" });
    EXPECT_TRUE(log.contains("skipped a name that is blank or holds control characters"));

    const std::string broken = log.home().root() + "/broken.json";
    writeText(broken, "{ nope");
    NameGenerator none;
    none.loadFile(broken);
    EXPECT_TRUE(none.firstMale.empty());
    EXPECT_TRUE(log.contains("Could not parse character file " + broken + " it will not be loaded!\n"));
}
