#include "creator/NameGenerator.hpp"

#include "core/JsonRead.hpp"
#include "core/Logger.hpp"

#include <algorithm>
#include <cctype>

namespace {

const std::string vowels = "AEIOU";
const std::string letterPool = "AEIOU" "BCDFGHJKLMNPQRSTVWXYZ" "AEIOU";

bool containsVowel(const std::string& word)
{
    for (char c : word)
        if (vowels.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) != std::string::npos)
            return true;
    return false;
}

// A drawn name goes straight into the creator's name field, which could neither show nor
// edit an empty name or one with control characters in it.
bool usableName(const std::string& name)
{
    bool printable = false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            return false;
        printable = printable || byte != ' ';
    }
    return printable;
}

std::uint32_t next(std::mt19937& random)
{
    return static_cast<std::uint32_t>(random());
}

} // namespace

void NameGenerator::loadFile(const std::string& path)
{
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(path, root, errors)) {
        QV_LOG << errors << "Could not parse character file " << path << " it will not be loaded!\n" << std::flush;
        root = Json::Value(Json::objectValue);
    }
    const std::pair<const char*, std::vector<std::string>*> lists[] = {
        { "FirstMale", &firstMale }, { "FirstFemale", &firstFemale }, { "LastNames", &lastNames } };
    for (const auto& [key, list] : lists) {
        const Json::Value& entries = root.isObject() ? root[key] : Json::Value::nullSingleton();
        if (entries.isNull())
            continue;
        if (!entries.isArray()) {
            QV_LOG << "Failed to load randomNames file: " << path << std::endl;
            return;
        }
        for (const Json::Value& entry : entries) {
            if (!entry.isString()) {
                QV_LOG << "Failed to load randomNames file: " << path << std::endl;
                return;
            }
            const std::string name = entry.asString();
            if (!usableName(name)) {
                QV_LOG << "Warning: randomNames file " << path << ", \"" << key
                       << "\": skipped a name that is blank or holds control characters" << std::endl;
                continue;
            }
            list->push_back(name);
        }
    }
}

std::string NameGenerator::syllableWord(std::mt19937& random)
{
    std::string word;
    int n = 0;
    bool stop = false;
    while (!stop) {
        char c = letterPool[next(random) % letterPool.size()];
        if (n > 2 && !containsVowel(word))
            c = vowels[next(random) % vowels.size()];
        word += n == 0 ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        ++n;
        // The chance grows to 1 in 1 at the sixth letter (a vowel is certain by the fourth).
        if (containsVowel(word) && n > 1)
            stop = next(random) % static_cast<std::uint32_t>(std::max(1, 7 - n)) == 0;
    }
    return word;
}

NameGenerator::Name NameGenerator::syllableName(std::mt19937& random)
{
    Name name;
    name.first = syllableWord(random);
    name.last = syllableWord(random);
    return name;
}

NameGenerator::Name NameGenerator::listName(std::mt19937& random, int pronounPosition,
                                            const std::function<bool(const std::string&)>& taken)
{
    for (int attempt = 0; attempt < maxListAttempts; ++attempt) {
        const std::vector<std::string>* firsts = &firstMale;
        if (pronounPosition == 1)
            firsts = &firstFemale;
        else if (pronounPosition != 0)
            firsts = next(random) % 2 == 1 ? &firstFemale : &firstMale;
        if (firsts->empty() || lastNames.empty())
            break;
        Name name;
        name.first = (*firsts)[next(random) % firsts->size()];
        name.last = lastNames[next(random) % lastNames.size()];
        if (name.first.size() + name.last.size() <= maxLetters && !(taken && taken(name.first + " " + name.last)))
            return name;
    }
    return syllableName(random);
}
