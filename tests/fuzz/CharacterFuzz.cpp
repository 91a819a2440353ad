// libFuzzer entry for the character reader: a character file and the crew of a session
// save. Reading must never stop the program, and a character read whole must write the
// same object again after a second reading (what the session save relies on).
//
// Input: the file's text.

#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "crew/Character.hpp"
#include "crew/CharacterManager.hpp"

#include <SFML/System/Err.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

// An empty assets folder: no portraits to embed, no memento pictures, no colours file.
const std::string& assetsRoot()
{
    static const std::string root = [] {
        std::string folder = std::filesystem::temp_directory_path().string() + "/qv-character-fuzz/";
        std::filesystem::create_directories(folder + "char");
        return folder;
    }();
    return root;
}

// Kept until the process ends without being destroyed: its destructor writes to the log,
// whose per-thread stream is already gone when static objects are destroyed at exit.
CharacterManager& roster()
{
    static CharacterManager* instance =
        new CharacterManager({ assetsRoot(), assetsRoot() + "mods/", assetsRoot() + "charImages/" });
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reader reports every oddity; the fuzzer would spend its time writing them.
    static NullBuffer quiet;
    std::cout.rdbuf(&quiet);
    sf::err().rdbuf(&quiet);
    Logger::close();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Json::Value root;
    std::string errors;
    if (!parseJsonText(text, root, errors))
        return 0;

    Character first(assetsRoot());
    bool whole = true;
    try {
        first.fromJson(root);
    } catch (const Character::ReadError&) {
        whole = false;
    }
    if (whole && first.hasProperty("name")) {
        const Json::Value saved = first.toJson();
        Character second(assetsRoot());
        second.fromJson(saved);
        if (second.toJson() != saved)
            std::abort();
    }

    Json::Value crew(Json::objectValue);
    crew["Alive"].append(root);
    crew["Dead"] = root;
    roster().fromJson(crew);
    roster().toJson();
    return 0;
}
