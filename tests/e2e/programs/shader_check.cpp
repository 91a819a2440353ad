// Compiles the game's shaders on this machine's OpenGL and draws one sector-map frame with them
// (space cells, asteroids, planets, the ship, the fog of war and the destination marker), then
// checks that the fog hides what lies far from the ship and shows what lies near it.
// Usage: shader_check <assets folder> [picture to write [reveal radius, for looking at more map]]
// Exit codes: 0 pass, 1 failure, 77 no shader support here (the caller reports a skip).
#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool load(sf::Texture& texture, const std::string& path)
{
    if (!texture.loadFromFile(path)) {
        std::fprintf(stderr, "shader_check: cannot load %s\n", path.c_str());
        return false;
    }
    return true;
}

// The fog grid as the map builds it: 15 x 10 squares of 45 pixels, 6 x 6 cells each, four
// vertices per cell, red carrying the fog amount; then one reveal around the ship.
sf::VertexArray fogGrid(sf::Vector2f ship, float radius)
{
    sf::VertexArray grid(sf::Quads);
    const float cell = 7.5f;
    for (int sx = 0; sx < 15; ++sx)
        for (int sy = 0; sy < 10; ++sy)
            for (int cx = 0; cx < 6; ++cx)
                for (int cy = 0; cy < 6; ++cy) {
                    float x = 45.f * static_cast<float>(sx) + cell * static_cast<float>(cx);
                    float y = 45.f * static_cast<float>(sy) + cell * static_cast<float>(cy);
                    const sf::Vector2f corners[4] = {{x, y}, {x + cell, y}, {x + cell, y + cell}, {x, y + cell}};
                    const sf::Vector2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
                    for (int k = 0; k < 4; ++k)
                        grid.append(sf::Vertex(corners[k], sf::Color(255, 0, 0, 0), uv[k]));
                }
    for (std::size_t i = 0; i < grid.getVertexCount(); ++i) {
        sf::Vector2f d = grid[i].position - ship;
        float t = std::min(1.f, std::sqrt(d.x * d.x + d.y * d.y) / radius);
        if (t < 1.f) {
            auto value = static_cast<sf::Uint8>(std::lround(255.f * (1.f - (0.8f + 0.2f * t))));
            if (value < grid[i].color.r)
                grid[i].color = sf::Color(value, 0, 0, 0);
        }
    }
    return grid;
}

float brightness(sf::Color c)
{
    return (static_cast<float>(c.r) + static_cast<float>(c.g) + static_cast<float>(c.b)) / 3.f;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: shader_check <assets folder> [picture]\n");
        return 1;
    }
    const std::string assets = std::string(argv[1]) + "/";
    if (!sf::Shader::isAvailable()) {
        std::printf("shader_check: shaders are not available here\n");
        return 77;
    }
    sf::Shader fog, dest;
    if (!fog.loadFromFile(assets + "FOW/fowShader.vert", assets + "FOW/fowShader.frag")) {
        std::fprintf(stderr, "shader_check: the fog shader does not compile\n");
        return 1;
    }
    if (!dest.loadFromFile(assets + "mapscreen/destShader.frag", sf::Shader::Fragment)) {
        std::fprintf(stderr, "shader_check: the destination shader does not compile\n");
        return 1;
    }

    sf::Texture tiles, edgeMask, unexplored, asteroidsBack, asteroidsFront, ship, marker;
    sf::Texture planets[3];
    if (!load(tiles, assets + "mapscreen/space_tiles.png") || !load(edgeMask, assets + "FOW/EdgeMask.png")
        || !load(unexplored, assets + "FOW/Unexplored.png") || !load(asteroidsBack, assets + "mapscreen/environment/asteroids_bg1.png")
        || !load(asteroidsFront, assets + "mapscreen/environment/asteroids_fg2.png") || !load(ship, assets + "mapscreen/ship_moving1.png")
        || !load(marker, assets + "mapscreen/travel_location1.png") || !load(planets[0], assets + "mapscreen/planets/ringed.png")
        || !load(planets[1], assets + "mapscreen/planets/spacestation.png") || !load(planets[2], assets + "mapscreen/planets/terran.png"))
        return 1;
    edgeMask.setRepeated(true);
    unexplored.setRepeated(true);
    fog.setUniform("EdgeMask", edgeMask);
    fog.setUniform("Unexplored", unexplored);

    sf::RenderTexture frame;
    if (!frame.create(640, 360)) {
        std::fprintf(stderr, "shader_check: no render texture\n");
        return 1;
    }
    frame.clear();
    // Background cells in a fixed order, as the intro lays them out.
    for (int i = 0; i < 15; ++i) {
        int index = (i * 7 + 3) % 16;
        sf::Sprite cell(tiles, sf::IntRect(128 * (index / 4), 128 * (index % 4), 128, 128));
        cell.setPosition(static_cast<float>(128 * (i % 5)), static_cast<float>(128 * (i / 5)));
        frame.draw(cell);
    }
    // Asteroid tiles along one row; planets at (8, 2), (3, 4) and (11, 5) with the map's origins.
    for (int gx = 4; gx < 9; ++gx) {
        sf::Sprite back(asteroidsBack), front(asteroidsFront);
        for (sf::Sprite* s : {&back, &front}) {
            s->setOrigin(8, 8);
            s->setPosition(45.f * static_cast<float>(gx), 45.f * 5.f + 25.f);
        }
        frame.draw(back);
        frame.draw(front);
    }
    const int planetTiles[3][2] = {{8, 2}, {3, 4}, {11, 5}};
    for (int i = 0; i < 3; ++i) {
        sf::Sprite planet(planets[i]);
        planet.setOrigin(i == 1 ? sf::Vector2f(8, 0) : sf::Vector2f(8, 8));
        planet.setPosition(45.f * static_cast<float>(planetTiles[i][0]) + 4, 45.f * static_cast<float>(planetTiles[i][1]) + 29);
        frame.draw(planet);
    }
    const sf::Vector2f shipPosition(315, 160);
    sf::Sprite shipSprite(ship);
    shipSprite.setOrigin(22, 20);
    shipSprite.setPosition(shipPosition);
    shipSprite.setRotation(-160.712f);
    const float revealRadius = argc > 3 ? std::stof(argv[3]) : 4.f * 12.f + 25.f;
    frame.draw(fogGrid(shipPosition, revealRadius), &fog);
    sf::Sprite markerSprite(marker);
    markerSprite.setOrigin(10, 10);
    markerSprite.setPosition(360, 190);
    dest.setUniform("shipPos", sf::Glsl::Vec2(shipPosition.x, 360.f - shipPosition.y));
    frame.draw(markerSprite, &dest);
    frame.draw(shipSprite);
    frame.display();
    sf::Image picture = frame.getTexture().copyToImage();
    if (argc > 2)
        picture.saveToFile(argv[2]);

    if (argc > 3)
        return 0;
    // Far from the ship the fog is opaque and dark; the planet there is hidden.
    for (auto [x, y] : {std::pair{600u, 330u}, {30u, 30u}, {11u * 45u + 20u, 5u * 45u + 45u}}) {
        sf::Color c = picture.getPixel(x, y);
        if (brightness(c) > 70.f) {
            std::fprintf(stderr, "shader_check: the fog does not cover (%u, %u): %d,%d,%d\n", x, y, c.r, c.g, c.b);
            return 1;
        }
    }
    // Near the ship the map shows through: the marker is drawn in green.
    bool markerSeen = false;
    for (unsigned y = 180; y < 200; ++y)
        for (unsigned x = 350; x < 370; ++x) {
            sf::Color c = picture.getPixel(x, y);
            markerSeen = markerSeen || (c.g > 120 && c.g > c.r * 2);
        }
    if (!markerSeen) {
        std::fprintf(stderr, "shader_check: the destination marker is not visible near the ship\n");
        return 1;
    }
    // The revealed circle is not one flat colour: the background's stars and clouds show.
    float lo = 255, hi = 0;
    for (unsigned y = 130; y < 190; ++y)
        for (unsigned x = 250; x < 290; ++x) {
            float b = brightness(picture.getPixel(x, y));
            lo = std::min(lo, b);
            hi = std::max(hi, b);
        }
    if (hi - lo < 20.f) {
        std::fprintf(stderr, "shader_check: the revealed area shows no map (%.0f..%.0f)\n", lo, hi);
        return 1;
    }
    std::printf("shader_check: fog and destination shaders compile and draw\n");
    return 0;
}
