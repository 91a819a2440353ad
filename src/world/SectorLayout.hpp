#pragma once

#include "world/SectorTile.hpp"

#include <array>
#include <cstdint>
#include <random>
#include <vector>

class Mission;

// The run's mission lists a sector draws its planets from: in the game the MissionManager's
// run lists, its side catalogue (the side list is refilled from it when used up) and its
// next story position.
struct SectorMissionLists {
    std::vector<Mission>& story;
    std::vector<Mission>& side;
    const std::vector<Mission>& sideCatalogue;
    std::vector<Mission>& events;
    std::int32_t nextStoryOrder;
};

// What a sector is made of, worked out from a 32-bit seed: the background cells, the grid of
// 98 tiles (column by column), one or two planets carrying missions, the asteroid fields, and
// the cursor into the event missions. Pure and headless: the same seed, the same run lists and
// the same numbers of asteroid pictures give the same sector on every machine, because every
// choice is the raw output of the standard mt19937 reduced with % in a fixed order. That is
// what lets a saved game store only the seed and the tiles that differ from it.
class SectorLayout {
public:
    static constexpr int columns = 14;
    static constexpr int rows = 7;
    static constexpr int backgroundSprites = 15;
    static constexpr int spaceCells = 16;
    static constexpr int minPlanets = 1;
    static constexpr int maxPlanets = 2;
    static constexpr int asteroidLayouts = 13;
    static constexpr double asteroidThreshold = 0.2;

    // The numbers of asteroid pictures the view has (their indices are drawn from the rng).
    SectorLayout(std::size_t asteroidBackgrounds, std::size_t asteroidForegrounds);

    // Seeds the generator without building anything (start-up).
    void reseed(std::uint32_t seed);
    // Builds the sector for `seed`. A new sector (`loading` false) also gets its planets from
    // `lists` and its asteroid fields; a sector being restored from a save gets only the grid,
    // and its saved tiles are laid over it afterwards. Either way the event cursor is
    // realigned with the events now on the map.
    void generate(std::uint32_t seed, bool loading, SectorMissionLists& lists);

    // Puts `mission`'s planet on the tile (picture, name, mission file).
    void placePlanet(SectorTile& tile, const Mission& mission);
    // Makes the tile an asteroid field with pictures drawn from the generator.
    void addAsteroids(SectorTile& tile);
    // Moves the event cursor to the entry before the first event not already on the map, so
    // the next event placed is a different one.
    void realignEventCursor(const std::vector<Mission>& events);

    std::uint32_t seed() const { return seed_; }
    const std::vector<SectorTile>& tiles() const { return tiles_; }
    std::vector<SectorTile>& tiles() { return tiles_; }
    // The tile at a grid position, or nullptr outside the grid.
    SectorTile* tileAt(int gridX, int gridY);
    const SectorTile* tileAt(int gridX, int gridY) const;
    // The index of the tile holding the map point (x, y), or -1.
    int tileIndexAt(float x, float y) const;
    // The cell (0..15 of the space picture) shown by each of the 15 background sprites.
    const std::array<int, backgroundSprites>& backgroundCells() const { return backgroundCells_; }
    // Grows with every generation and restored tile, so a view knows when to rebuild.
    unsigned revision() const { return revision_; }
    void touch() { ++revision_; }

    int eventCursor = 0;
    // Single-planet sectors in a row; each one makes a second planet more likely.
    int jumpsSinceLastMultiplanetSector = 0;

private:
    struct Candidates {
        std::vector<const Mission*> story;
        std::vector<const Mission*> side;
    };

    std::uint32_t draw();
    void buildGrid();
    void placeMissions(SectorMissionLists& lists);
    int drawPlanetCount();
    Candidates candidates(SectorMissionLists& lists) const;
    bool anyMissionPossible(const Candidates& candidates, const std::vector<Mission>& events, bool storyPlaced) const;
    std::size_t drawFreeTile();
    bool canHoldPlanet(const SectorTile& tile) const;
    const Mission& drawMission(Candidates& candidates, const std::vector<Mission>& events, bool& storyPlaced);
    void placeAsteroids();

    std::mt19937 rng_;
    std::uint32_t seed_ = 0;
    std::size_t asteroidBackgrounds_;
    std::size_t asteroidForegrounds_;
    std::vector<SectorTile> tiles_;
    std::array<int, backgroundSprites> backgroundCells_ {};
    unsigned revision_ = 0;
};
