#pragma once

#include <string>
#include <vector>

// The pictures a sector is drawn with, as found in the assets: the asteroid pictures behind
// and in front of a tile (paths under the assets folder) and the planet pictures (bare file
// names, which missions use in their "Image file"). Names are sorted, so an index drawn by the
// sector generator means the same picture on every machine. A missing folder gives no names.
struct SectorPictures {
    static SectorPictures fromAssets(const std::string& assetsRoot);

    std::vector<std::string> asteroidBackgrounds;
    std::vector<std::string> asteroidForegrounds;
    std::vector<std::string> planets;
};
