#pragma once

#include <SFML/System/Vector2.hpp>
#include <json/value.h>

#include <string>

// One cell of the sector map, 45 x 45 map pixels: perhaps a planet or station carrying a
// mission, perhaps an asteroid field that halves the ship's speed. A plain record; the sector
// generator fills it and the sector's view draws it. The mission is named by its file
// ("LoadedFilename"), never held by pointer, so the run's mission lists may be replaced (a
// loaded game) without leaving tiles pointing at missions that are gone.
struct SectorTile {
    static constexpr float size = 45.f;
    // The map's tiles start below the interface strip at its top.
    static constexpr float mapTop = 25.f;

    static SectorTile at(int gridX, int gridY);

    // Whether (x, y) lies on the tile: the left and top edges belong to the neighbours.
    bool contains(float x, float y) const;
    bool hasMission() const { return !missionFile.empty(); }

    // The tile's object in the "Tiles" array of the saved sector.
    Json::Value toJson() const;
    // Takes the picture name, the flags, the speed and the name text of a saved tile (the grid
    // position and the mission are the sector's business). False for a member of the wrong type.
    bool readJson(const Json::Value& entry);

    int gridX = 0;
    int gridY = 0;
    float left = 0.f, top = 0.f, right = 0.f, bottom = 0.f;
    sf::Vector2f centre;

    // The planet's picture, a file name under "mapscreen/planets/" ("barren.png").
    std::string textureName;
    bool isMission = false;
    // The sensors have found the planet: its name and base are shown.
    bool shouldDrawNameText = false;
    // The mission's file, or empty for a tile without one.
    std::string missionFile;
    // The planet's name label.
    std::string nameText;
    // 1 on asteroid tiles (half speed), else 0.
    int tileSpeed = 0;
    // Asteroid pictures shown (the coordinate tag carries an amber "S"); indices into the
    // sector's background and foreground asteroid pictures, -1 for none.
    bool asteroids = false;
    int asteroidBackground = -1;
    int asteroidForeground = -1;
};
