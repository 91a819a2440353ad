#include "world/SectorLayout.hpp"

#include "core/NumberConversions.hpp"
#include "missions/Mission.hpp"
#include "world/ImprovedNoise.hpp"

#include <algorithm>

SectorLayout::SectorLayout(std::size_t asteroidBackgrounds, std::size_t asteroidForegrounds)
    : asteroidBackgrounds_(asteroidBackgrounds)
    , asteroidForegrounds_(asteroidForegrounds)
{
}

void SectorLayout::reseed(std::uint32_t seed)
{
    seed_ = seed;
    rng_.seed(seed);
}

std::uint32_t SectorLayout::draw()
{
    return static_cast<std::uint32_t>(rng_());
}

void SectorLayout::generate(std::uint32_t seed, bool loading, SectorMissionLists& lists)
{
    reseed(seed);
    tiles_.clear();
    for (int& cell : backgroundCells_)
        cell = static_cast<int>(draw() % spaceCells);
    buildGrid();
    if (!loading) {
        placeMissions(lists);
        placeAsteroids();
    }
    realignEventCursor(lists.events);
    touch();
}

void SectorLayout::buildGrid()
{
    tiles_.reserve(columns * rows);
    for (int gridX = 0; gridX < columns; ++gridX)
        for (int gridY = 0; gridY < rows; ++gridY)
            tiles_.push_back(SectorTile::at(gridX, gridY));
}

SectorTile* SectorLayout::tileAt(int gridX, int gridY)
{
    if (gridX < 0 || gridX >= columns || gridY < 0 || gridY >= rows || tiles_.empty())
        return nullptr;
    return &tiles_[static_cast<std::size_t>(gridX * rows + gridY)];
}

const SectorTile* SectorLayout::tileAt(int gridX, int gridY) const
{
    return const_cast<SectorLayout*>(this)->tileAt(gridX, gridY);
}

int SectorLayout::tileIndexAt(float x, float y) const
{
    for (std::size_t i = 0; i < tiles_.size(); ++i)
        if (tiles_[i].contains(x, y))
            return static_cast<int>(i);
    return -1;
}

void SectorLayout::placeMissions(SectorMissionLists& lists)
{
    const int count = drawPlanetCount();
    Candidates open = candidates(lists);
    bool storyPlaced = false;
    for (int planet = 0; planet < count; ++planet) {
        // With nothing left that could be placed (every list empty, or only side missions
        // after a story mission), drawing would never end: the sector gets fewer planets.
        if (!anyMissionPossible(open, lists.events, storyPlaced))
            break;
        SectorTile& tile = tiles_[drawFreeTile()];
        placePlanet(tile, drawMission(open, lists.events, storyPlaced));
    }
}

// One planet, or two — the longer the run of one-planet sectors, the likelier two become. The
// draw is read as a signed number, so a negative one always gives a single planet.
int SectorLayout::drawPlanetCount()
{
    const std::int64_t range = static_cast<std::int64_t>(maxPlanets) + std::max(jumpsSinceLastMultiplanetSector, 1);
    const std::int64_t remainder = static_cast<std::int32_t>(draw()) % range;
    const int count = remainder < minPlanets ? minPlanets : static_cast<int>(std::min<std::int64_t>(remainder, maxPlanets));
    if (count < 2)
        jumpsSinceLastMultiplanetSector = saturatingAdd(jumpsSinceLastMultiplanetSector, 1);
    else
        jumpsSinceLastMultiplanetSector = 0;
    return count;
}

SectorLayout::Candidates SectorLayout::candidates(SectorMissionLists& lists) const
{
    Candidates open;
    for (const Mission& mission : lists.story)
        if (!mission.isCompleted && mission.storyOrder == lists.nextStoryOrder)
            open.story.push_back(&mission);
    if (lists.side.empty())
        lists.side = lists.sideCatalogue;
    for (const Mission& mission : lists.side)
        if (!mission.isCompleted)
            open.side.push_back(&mission);
    // Events come back in every sector.
    for (Mission& event : lists.events)
        event.isCompleted = false;
    return open;
}

bool SectorLayout::anyMissionPossible(const Candidates& open, const std::vector<Mission>& events, bool storyPlaced) const
{
    return !open.story.empty() || (!open.side.empty() && !storyPlaced) || !events.empty();
}

std::size_t SectorLayout::drawFreeTile()
{
    for (;;) {
        const std::size_t index = draw() % tiles_.size();
        if (canHoldPlanet(tiles_[index]))
            return index;
    }
}

// Not on another planet or next to one (diagonals included), and not under the map's
// interface panels: the left column, the top row below the status panel and the top-right
// buttons, and the bottom-right corner.
bool SectorLayout::canHoldPlanet(const SectorTile& tile) const
{
    const int x = tile.gridX, y = tile.gridY;
    if (tile.hasMission() || x == 0 || (x == 12 && y == 6))
        return false;
    if (y == 0 && ((x >= 5 && x <= 9) || x == 13))
        return false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const SectorTile* neighbour = tileAt(x + dx, y + dy);
            if (neighbour && neighbour->hasMission())
                return false;
        }
    return true;
}

// Three in ten draws offer the story, five in ten a side mission (never beside a story mission
// of the same sector), two in ten the next event; a draw whose list is empty is drawn again.
const Mission& SectorLayout::drawMission(Candidates& open, const std::vector<Mission>& events, bool& storyPlaced)
{
    for (;;) {
        const std::uint32_t d = draw() % 10;
        if (d < 3 && !open.story.empty()) {
            const std::size_t index = draw() % open.story.size();
            const Mission* mission = open.story[index];
            open.story.erase(open.story.begin() + static_cast<std::ptrdiff_t>(index));
            storyPlaced = true;
            return *mission;
        }
        if (d >= 3 && d < 8 && !open.side.empty() && !storyPlaced) {
            const std::size_t index = draw() % open.side.size();
            const Mission* mission = open.side[index];
            open.side.erase(open.side.begin() + static_cast<std::ptrdiff_t>(index));
            return *mission;
        }
        if (d >= 8 && !events.empty()) {
            // The list may have shrunk since the cursor was set (a loaded game).
            ++eventCursor;
            if (eventCursor < 0 || static_cast<std::size_t>(eventCursor) >= events.size())
                eventCursor = 0;
            return events[static_cast<std::size_t>(eventCursor)];
        }
    }
}

void SectorLayout::placePlanet(SectorTile& tile, const Mission& mission)
{
    tile.textureName = mission.getItem("Image file");
    tile.isMission = true;
    tile.missionFile = mission.loadedFilename;
    tile.nameText = mission.getItem("Name");
}

// Thirteen layouts, one per seed % 13: the noise field is read at an offset that shifts with
// the seed.
void SectorLayout::placeAsteroids()
{
    const unsigned offset = seed_ % asteroidLayouts;
    for (SectorTile& tile : tiles_) {
        const double n = improvedNoise((offset + tile.gridX) / 6.5, (offset + tile.gridY) / 6.5, 0.0);
        if (n > asteroidThreshold)
            addAsteroids(tile);
    }
    // The ship's way in from the left edge stays at full speed, whatever the pictures show.
    for (int gridY : {2, 3})
        if (SectorTile* tile = tileAt(0, gridY))
            tile->tileSpeed = 0;
}

void SectorLayout::addAsteroids(SectorTile& tile)
{
    tile.asteroids = true;
    tile.tileSpeed = 1;
    if (asteroidBackgrounds_ > 0)
        tile.asteroidBackground = static_cast<int>(draw() % asteroidBackgrounds_);
    // Nothing in front of a planet.
    if (!tile.hasMission() && asteroidForegrounds_ > 0)
        tile.asteroidForeground = static_cast<int>(draw() % asteroidForegrounds_);
}

void SectorLayout::realignEventCursor(const std::vector<Mission>& events)
{
    if (events.empty())
        return;
    const std::size_t count = events.size();
    std::size_t next = eventCursor < 0 || static_cast<std::size_t>(eventCursor) + 1 >= count
                           ? 0
                           : static_cast<std::size_t>(eventCursor) + 1;
    // Twice over the map, so two events placed in list order are both stepped over.
    for (int pass = 0; pass < 2; ++pass)
        for (const SectorTile& tile : tiles_)
            if (tile.hasMission() && tile.nameText == events[next].getItem("Name"))
                next = (next + 1) % count;
    eventCursor = next == 0 ? static_cast<int>(count) - 1 : static_cast<int>(next) - 1;
}
