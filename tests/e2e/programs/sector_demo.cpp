// Draws a generated sector the way the map shows it — space, asteroid fields, planets, the fog
// of war, a detected planet's base and name, a mission marker, the ship and its destination —
// after a short flight that opened the fog along the way, and saves the window's picture.
// Usage: sector_demo <assets folder> <screenshot.png> [--no-shader]
// The sector is seed 2 over the test missions: planets at tiles (5, 1) and (12, 3). The ship
// starts at (315, 160), flies to (230, 110), then turns toward (420, 210) and is caught on
// the way; prints where it ended.

#include "support/DemoStage.hpp"
#include "support/MapScene.hpp"

#include <SFML/Graphics.hpp>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: sector_demo <assets folder> <screenshot.png> [--no-shader]\n");
        return 2;
    }
    const std::string assets = std::string(argv[1]) + "/";
    const bool allowShaders = !(argc > 3 && std::strcmp(argv[3], "--no-shader") == 0);

    DemoStage stage("sector demo", assets);
    {
        MapScene scene(assets, allowShaders, 2);
        Ship& ship = scene.ship;
        Sector& sector = scene.sector;

        // A flight to the planet at (5, 1), a marker dropped there, then off toward the middle.
        ship.travelTo(230.f, 110.f);
        for (int frame = 0; frame < 600 && (ship.isMoving() || ship.isTurning()); ++frame)
            sector.update(33333);
        ship.addMissionMarker("Beacon");
        ship.setMarkerLabelShown(0, true);
        ship.travelTo(420.f, 210.f);
        for (int frame = 0; frame < 90; ++frame)
            sector.update(33333);
        ship.setNameLabelShown(true);
        sector.layout().tiles()[5 * 7 + 1].shouldDrawNameText = true;

        const sf::Image shot = stage.capture([&](sf::RenderWindow& window) { scene.draw(window, 5 * 7 + 1); });
        std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path());
        shot.saveToFile(argv[2]);
        const sf::Vector2f at = ship.getSpritePosition();
        std::printf("ship %.0f %.0f shader %d\n", at.x, at.y, scene.fogShader.ready() ? 1 : 0);
    } // the scene's textures and labels go before the stage
    return 0;
}
