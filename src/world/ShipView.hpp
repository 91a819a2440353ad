#pragma once

#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}
class Ship;

// The ship on the sector map: its animated picture, the destination marker, the name label
// ("Ruri") shown while the pointer is over the ship, and the icons and labels of the mission
// markers. The destination marker (and the bases of detected planets, which the map draws with
// the same shader) fade with the distance from the ship through "mapscreen/destShader.frag";
// without shaders, or with "--no-shader", they are plain sprites.
//
// sync() follows the ship after its update; the draw calls only draw. Main thread only: it
// owns TextManager labels and TextureManager lookups.
class ShipView {
public:
    // `allowShader` is false for "--no-shader".
    ShipView(const Ship& ship, const std::string& assetsRoot, bool allowShader);
    ~ShipView();
    ShipView(const ShipView&) = delete;
    ShipView& operator=(const ShipView&) = delete;

    void sync();

    // The ship's picture and the marker icons, drawn by the map at their places in its order.
    void drawShip(sf::RenderTarget& target) const;
    void drawMarkerIcons(sf::RenderTarget& target) const;
    // The destination marker, then the labels of hovered markers and the ship's name.
    void draw(sf::RenderTarget& target);
    // The marker shader aimed at the ship as `target` shows it, or nullptr without shader.
    const sf::Shader* destinationShader(const sf::RenderTarget& target);
    bool usingShader() const { return usingShader_; }

private:
    struct Marker {
        std::string name;
        sf::Sprite icon;
        int labelId = -1;
        bool showLabel = false;
    };

    void syncMarkers();
    void removeMarkers();

    const Ship& ship_;
    sf::Shader shader_;
    bool usingShader_ = false;
    sf::Sprite shipSprite_;
    sf::Sprite destinationSprite_;
    int nameLabelId_ = -1;
    bool showNameLabel_ = false;
    std::vector<Marker> markers_;
};
