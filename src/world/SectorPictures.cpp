#include "world/SectorPictures.hpp"

#include "core/FileUtils.hpp"

#include <algorithm>

SectorPictures SectorPictures::fromAssets(const std::string& assetsRoot)
{
    SectorPictures pictures;
    const std::string environment = "mapscreen/environment/";
    std::vector<std::string> names = listRegularFiles(assetsRoot + environment);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (name.find("asteroids_bg") != std::string::npos)
            pictures.asteroidBackgrounds.push_back(environment + name);
        if (name.find("asteroids_fg") != std::string::npos)
            pictures.asteroidForegrounds.push_back(environment + name);
    }
    pictures.planets = listRegularFiles(assetsRoot + "mapscreen/planets/");
    std::sort(pictures.planets.begin(), pictures.planets.end());
    return pictures;
}
