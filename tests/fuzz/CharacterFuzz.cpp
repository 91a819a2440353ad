// libFuzzer entry for the character reader: a character file, and the same object as the
// crew of a session save. Reading must never stop the program nor decode a portrait beyond
// the size cap, and a character read whole, saved and read again, saves the same (what the
// session save relies on).

#include "core/JsonRead.hpp"
#include "crew/Character.hpp"
#include "crew/CharacterManager.hpp"
#include "fuzz/FuzzSupport.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// An empty assets folder: no portraits to embed, no memento pictures, no colours file.
const std::string& assetsRoot()
{
    static const std::string root = [] {
        const std::string folder = fuzzFolder() + "/assets/";
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
        new CharacterManager({ assetsRoot(), fuzzFolder() + "/mods/", fuzzFolder() + "/charImages/" });
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Json::Value root;
    std::string errors;
    if (!parseJsonText(std::string(reinterpret_cast<const char*>(data), size), root, errors))
        return 0;

    Character first(assetsRoot());
    bool whole = true;
    try {
        first.fromJson(root);
    } catch (const Character::ReadError&) {
        whole = false;
    }
    const sf::Vector2u portrait = first.card.portraitImage().getSize();
    if (portrait.x > 4096 || portrait.y > 4096)
        std::abort();
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
