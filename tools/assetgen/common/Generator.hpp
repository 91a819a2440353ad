#pragma once

#include "common/Canvas.hpp"

#include <string>

namespace gen {

// Where a generator reads its sources and writes its pictures, and a tally for its summary line.
struct Context {
    std::string sourceDir; // assets-src/
    std::string assetsDir; // the assets folder beside the game
    int written = 0;

    // Saves `canvas` as assetsDir + relativePath and counts it.
    void save(const Canvas& canvas, const std::string& relativePath);
};

} // namespace gen
