#pragma once

#include "common/Canvas.hpp"

#include <string>
#include <vector>

namespace gen {

// Where a generator reads its sources and writes its pictures, and a tally for its summary line.
struct Context {
    std::string sourceDir; // assets-src/
    std::string assetsDir; // the assets folder beside the game
    int written = 0;

    struct Picture {
        std::string path; // relative to assetsDir
        unsigned width = 0;
        unsigned height = 0;
    };
    std::vector<Picture> pictures; // every picture saved, in order

    // Saves `canvas` as assetsDir + relativePath and counts it.
    void save(const Canvas& canvas, const std::string& relativePath);
};

// Compares the saved pictures with the manifests assets-src/pictures*.txt (lines of
// "path width height ..." or "path WIDTHxHEIGHT ..."). Returns one message per listed picture that was not drawn or
// has another size; pictures drawn but listed nowhere are added to `unlisted`.
std::vector<std::string> checkManifests(const Context& context, std::vector<std::string>& unlisted);

} // namespace gen
