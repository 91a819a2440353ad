#pragma once

#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/WorldFixtures.hpp"
#include "world/FogShader.hpp"
#include "world/Sector.hpp"
#include "world/SectorView.hpp"
#include "world/Ship.hpp"
#include "world/ShipView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cstdint>
#include <string>

// A sector map put together the way the map screen will: the test missions, the ship, the
// sector with its fog, and their views, drawn in the map's order (space and planets, fog,
// bases and names, markers, ship, destination marker and labels). For the demo and the
// benchmark; the text and texture managers must be set up first.
class MapScene {
public:
    MapScene(const std::string& assets, bool allowShaders, std::uint32_t seed)
        : missions(nullptr, assets)
        , pictures(SectorPictures::fromAssets(assets))
        , fogShader(assets, allowShaders)
        , sector(missions, ship, pictures.asteroidBackgrounds.size(), pictures.asteroidForegrounds.size(),
                 fogShader.fogMode())
        , sectorView(sector, pictures)
        , shipView(ship, assets, allowShaders)
    {
        FixtureRunLists::full().copyInto(missions);
        sector.generateSector(seed, false);
    }

    // `hoveredTile`: the tile whose planet name shows (-1: none).
    void draw(sf::RenderTarget& target, int hoveredTile = -1)
    {
        sectorView.sync();
        shipView.sync();
        sectorView.drawBackground(target);
        sector.fog().draw(target, fogShader.shader());
        sectorView.drawBasesAndNames(target, false, shipView.destinationShader(target), hoveredTile);
        shipView.drawMarkerIcons(target);
        shipView.drawShip(target);
        shipView.draw(target);
    }

    MissionManager missions;
    FakeShipContext context;
    Ship ship { context };
    SectorPictures pictures;
    FogShader fogShader;
    Sector sector;
    SectorView sectorView;
    ShipView shipView;
};
