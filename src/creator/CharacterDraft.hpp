#pragma once

#include <SFML/Graphics/Color.hpp>

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sf {
class Image;
}

// A character as the crew creator has it on screen, ready to be written as a character file
// into the user's mods folder, where the roster finds it as a mod character. The file is one
// line of compact JSON with its keys in order, followed by a line break.
//
// Where it goes: "characters/<stem>/<stem>.json" in the mods folder. The stem is the
// workshop id when the draft keeps one, else the name with every character other than an
// ASCII letter or digit turned into "_". A stem already used by another folder gets "_2",
// "_3", ... so that a new or copied character never replaces another one; only the file the
// draft was loaded from (an edit) is replaced.
class CharacterDraft {
public:
    struct Outcome {
        bool saved = false;
        // The file written (or that would have been).
        std::string path;
        // For the player: what went wrong, or "Saved".
        std::string message;
    };

    // The stem for a name or a workshop id (0: none).
    static std::string stemFor(const std::string& name, std::uint32_t workshopId);
    // The picture as PNG bytes, made in a private temporary folder that is removed again.
    // Empty when it cannot be made.
    static std::string pngBytes(const sf::Image& image);

    Json::Value toJson() const;
    // Writes the file (atomically, creating the folders). `ownFile` is the file an edited
    // character came from, the one file this draft may replace ("" for a new or copied one).
    // A draft without a name is refused.
    Outcome save(const std::string& modsFolder, const std::string& ownFile) const;

    // Line breaks are written as spaces.
    std::string name;
    std::string pronouns;
    std::int32_t mental = 0;
    std::int32_t physical = 0;
    std::int32_t social = 0;
    // The species, then the four trait slots.
    std::vector<std::string> traits;
    std::string history;
    sf::Color colour;
    // The portrait as PNG bytes ("" writes an empty "imageBinary").
    std::string portraitPng;
    // Only an edited character keeps its workshop id.
    std::uint32_t workshopId = 0;
};
