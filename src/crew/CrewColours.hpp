#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>
#include <vector>

// The colours a crew member's name gets when the character file gives none: the colours
// file of the assets ("general/character_related/character_colors.json", an array of
// "RRGGBB" texts), read once per process. An unreadable file leaves the list as far as it
// was read, possibly empty, in which case names are hashed to a colour instead.
// Read on the main thread at start-up; afterwards only read.
class CrewColours {
public:
    static CrewColours& get();
    static void destroy();

    // The first call reads the file at `path`; later calls do nothing.
    void load(const std::string& path);
    const std::vector<sf::Color>& list() const { return colours_; }
    // The stable colour for a name (fallbackColor over this list).
    sf::Color forName(const std::string& name) const;

private:
    bool loaded_ = false;
    std::vector<sf::Color> colours_;
};
