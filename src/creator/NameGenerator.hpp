#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

// Names for new crew members, two ways: made-up words of letters (the syllable generator)
// or a first and a last name drawn from the names file, "crew_creator/randomNames.json"
// (the list generator). The crew creator alternates the two. Every draw takes the next
// value of the random source it is given, so a seeded source gives the same names again.
//
// The list generator gives up after maxListAttempts draws (every combination taken, or
// names too long) and falls back to the syllable generator, as it does with empty lists.
class NameGenerator {
public:
    struct Name {
        std::string first;
        std::string last;
    };
    static constexpr int maxListAttempts = 500;
    // A first and a last name together have at most this many letters.
    static constexpr std::size_t maxLetters = 15;

    // Reads the three lists ("FirstMale", "FirstFemale", "LastNames"), appending to what is
    // there. A file that cannot be parsed or an entry that is not a text is logged with the
    // path; what was read before stays.
    void loadFile(const std::string& path);

    // One word: capital first letter, at most six letters, never more than three without a vowel.
    static std::string syllableWord(std::mt19937& random);
    static Name syllableName(std::mt19937& random);
    // `pronounPosition` 0 takes a male first name, 1 a female one, anything else draws which.
    // `taken` answers whether a full name ("First Last") is already a character's.
    Name listName(std::mt19937& random, int pronounPosition, const std::function<bool(const std::string&)>& taken);

    std::vector<std::string> firstMale;
    std::vector<std::string> firstFemale;
    std::vector<std::string> lastNames;
};
