#pragma once

#include "world/SectorView.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <optional>

namespace sf {
class RenderTarget;
}
class FogShader;
class Sector;
class ShipView;

// The sector map as the player sees it beneath the interface: space, asteroid fields and
// planets, the fog over them, then the bases of the planets found (and the name of the one
// under the pointer), the mission markers and the ship.
//
// Drawing all of that at the window's resolution every frame is mostly pixel fill, which a
// software renderer cannot afford. But what lies below the fog changes only with a new sector,
// a planet found or a base turned red, and the fog only around the ship. So both are kept in a
// picture at the map's own 640 x 360 pixels: the map below the fog is redrawn when it changes,
// the fog only where it changed, and each frame scales that picture to the window once. What
// moves (the ship, the markers) and what is lit by the ship (the bases) is drawn over it at the
// window's resolution.
//
// sync() follows the sector after each update; draw() refreshes the pictures it keeps and
// draws. Without render textures (a driver that offers none) it draws everything directly.
// Main thread only.
class MapCanvas {
public:
    static constexpr unsigned pixelWidth = 640;
    static constexpr unsigned pixelHeight = 360;

    MapCanvas(const Sector& sector, ShipView& shipView, SectorPictures pictures, const FogShader& fogShader);
    MapCanvas(const MapCanvas&) = delete;
    MapCanvas& operator=(const MapCanvas&) = delete;

    // After each update (and after a new or loaded sector).
    void sync();
    // Through the target's current view, which shows the 640 x 360 map. `planetCheat`: every
    // planet's base shows. `hoveredTile`: the tile whose planet's name shows (-1: none).
    void draw(sf::RenderTarget& target, bool planetCheat, int hoveredTile);

    // The picture kept of the map and the fog, once drawn (tests look at it).
    const sf::Texture* worldPicture() const { return ready_ ? &world_.getTexture() : nullptr; }

private:
    bool prepare();
    void markStale(const sf::FloatRect& area);
    void refresh();

    const Sector& sector_;
    ShipView& shipView_;
    const FogShader& fogShader_;
    SectorView sectorView_;

    bool tried_ = false;
    bool ready_ = false;
    // Space, asteroids and planets; and that with the fog drawn over it.
    sf::RenderTexture below_;
    sf::RenderTexture world_;
    bool belowStale_ = true;
    // The part of world_ to draw again, in map pixels.
    std::optional<sf::IntRect> worldStale_;
    unsigned seenBackground_ = 0;
    unsigned seenFog_ = 0;
};
