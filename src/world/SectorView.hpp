#pragma once

#include "world/SectorLayout.hpp"
#include "world/SectorPictures.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <array>
#include <vector>

namespace sf {
class RenderTarget;
class Shader;
}
class Sector;

// The sector map as drawn: fifteen cells of the space picture, then for every tile its
// asteroids behind, its planet or station, the asteroids in front and, once the sensors have
// found it, the planet's base; over the fog the bases again (lit by the ship's marker shader)
// and the name of the planet under the pointer. The map screen draws the fog, the ship and its
// interface in between (see the architecture notes for the order).
//
// sync() rebuilds the sprites and labels when the sector has changed and turns the bases of
// finished missions red; the draw calls only draw. Main thread only.
class SectorView {
public:
    SectorView(const Sector& sector, SectorPictures pictures);
    ~SectorView();
    SectorView(const SectorView&) = delete;
    SectorView& operator=(const SectorView&) = delete;

    void sync();

    void drawBackground(sf::RenderTarget& target) const;
    // The bases of detected planets (every planet with the planet cheat) through `baseShader`
    // (nullptr: plain), and the name of the tile `hoveredTile` (-1: none) if it is such a planet.
    void drawBasesAndNames(sf::RenderTarget& target, bool planetCheat, const sf::Shader* baseShader,
                           int hoveredTile) const;
    // The tiles' coordinate tags ("5,1"; asteroid fields with an amber "S").
    void drawTags(sf::RenderTarget& target) const;

    // Grows whenever what drawBackground shows changes (a new sector, a planet found, a base
    // turned red), so a picture kept of it knows when to redraw.
    unsigned backgroundRevision() const { return backgroundRevision_; }

private:
    struct TileSprites {
        sf::Sprite asteroidBackground;
        sf::Sprite asteroidForeground;
        sf::Sprite planet;
        sf::Sprite base;
        bool hasAsteroidBackground = false;
        bool hasAsteroidForeground = false;
        bool hasPlanet = false;
        // As last shown: the planet found by the sensors, its mission finished.
        bool detected = false;
        bool visited = false;
        int nameLabelId = -1;
        int tagId = -1;
    };

    void rebuild();
    void removeLabels();

    const Sector& sector_;
    SectorPictures pictures_;
    std::array<sf::Sprite, SectorLayout::backgroundSprites> background_;
    std::vector<TileSprites> tiles_;
    unsigned builtRevision_ = 0;
    bool built_ = false;
    unsigned backgroundRevision_ = 0;
};
