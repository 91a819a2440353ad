#include "world/Sector.hpp"

#include "core/Logger.hpp"
#include "core/TimeSource.hpp"
#include "missions/MissionManager.hpp"
#include "world/Ship.hpp"

Sector::Sector(MissionManager& missions, Ship& ship, std::size_t asteroidBackgrounds,
               std::size_t asteroidForegrounds, FogOfWar::Mode fogMode)
    : missions_(missions)
    , ship_(ship)
    , layout_(asteroidBackgrounds, asteroidForegrounds)
    , fog_(fogMode)
{
    const std::uint32_t seed = clockSeed();
    layout_.reseed(seed);
    QV_LOG << "Realigning space dust [" << seed << "]" << std::endl;
}

SectorMissionLists Sector::runLists() const
{
    return {missions_.storyMissions, missions_.sideMissions, missions_.getSideCatalogue(), missions_.eventMissions,
            missions_.nextStoryOrder()};
}

void Sector::generateSector(std::uint32_t seed, bool loading)
{
    SectorMissionLists lists = runLists();
    layout_.generate(seed, loading, lists);
    ship_.hideDestinationMarker();
    missionGraceSeconds = 2.f;
    fog_.reset();
    sectorClock.restart();
    if (!loading) {
        ship_.clearMissionMarkers();
        ship_.setPosition(entryX, entryY);
        ship_.advanceJumpCount();
    }
}

void Sector::update(std::int64_t microseconds)
{
    ship_.update(microseconds);
    const sf::Vector2f at = ship_.getSpritePosition();
    fog_.reveal(at, ship_.getSensors());
    const int tile = layout_.tileIndexAt(at.x, at.y);
    if (tile >= 0)
        ship_.setSpeedMultiplier(layout_.tiles()[static_cast<std::size_t>(tile)].tileSpeed == 1 ? 0.5f : 1.f);
}

Mission* Sector::missionOnTile(const SectorTile& tile) const
{
    return tile.hasMission() ? findMission(tile.missionFile) : nullptr;
}

Mission* Sector::findMission(const std::string& file) const
{
    if (file.empty())
        return nullptr;
    for (std::vector<Mission>* list : {&missions_.storyMissions, &missions_.sideMissions, &missions_.eventMissions})
        for (Mission& mission : *list)
            if (mission.loadedFilename == file)
                return &mission;
    return nullptr;
}

Json::Value Sector::toJson(const std::string& fogPath) const
{
    Json::Value root(Json::objectValue);
    root["Seed"] = static_cast<Json::UInt>(layout_.seed());
    Json::Value& tiles = root["Tiles"];
    tiles = Json::Value(Json::arrayValue);
    for (const SectorTile& tile : layout_.tiles())
        if (tile.isMission || tile.tileSpeed != 0)
            tiles.append(tile.toJson());
    root["JumpLog"] = jumpText;
    fog_.saveFog(fogPath);
    root["JumpsSinceLastMultiplanetSector"] = layout_.jumpsSinceLastMultiplanetSector;
    return root;
}

bool Sector::fromJson(const Json::Value& root, const std::string& fogPath)
{
    try {
        return readJson(root, fogPath);
    } catch (const Json::Exception&) {
        return false;
    }
}

bool Sector::readJson(const Json::Value& root, const std::string& fogPath)
{
    // A save without a report must not show the previous run's.
    jumpText = root.isMember("JumpLog") ? root["JumpLog"].asString() : std::string();
    generateSector(root["Seed"].asUInt(), true);

    for (const Json::Value& entry : root["Tiles"]) {
        const Json::Value& grid = entry["GridPosition"];
        SectorTile* tile = layout_.tileAt(grid[0].asInt(), grid[1].asInt());
        if (!tile)
            continue;
        if (!tile->readJson(entry))
            return false;
        if (const Mission* mission = findMission(entry["Mission"].asString()))
            layout_.placePlanet(*tile, *mission);
        // The saved field keeps its speed; its pictures are drawn afresh.
        if (tile->tileSpeed == 1)
            layout_.addAsteroids(*tile);
    }
    layout_.touch();

    if (!fog_.loadFog(fogPath)) {
        QV_LOG << "Failed to load saved fog of war." << std::endl;
        return false;
    }
    layout_.jumpsSinceLastMultiplanetSector =
        root.isMember("JumpsSinceLastMultiplanetSector") ? root["JumpsSinceLastMultiplanetSector"].asInt() : 0;
    return true;
}
