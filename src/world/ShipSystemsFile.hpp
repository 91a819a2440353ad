#pragma once

#include <string>
#include <vector>

// The ship systems window's content, "ship_systems/systems.json" of the assets: an object
// whose "Systems" list names, in display order, each system's button (the frames
// "Sprite" + "_UP", "_HI" and "_DOWN") and its description ("Details").
//
// Reading is forgiving: a file that cannot be read or parsed, or whose root is not an object,
// gives no systems (logged with the path); an entry that is not an object or lacks either
// text is logged and left out whole, so buttons and descriptions always pair up.
class ShipSystemsFile {
public:
    struct System {
        std::string sprite;
        std::string details;
    };

    static std::vector<System> read(const std::string& path);
    // The same over the file's text (`path` names it in the log).
    static std::vector<System> parse(const std::string& text, const std::string& path);
};
