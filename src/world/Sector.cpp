#include "world/Sector.hpp"

#include "core/Logger.hpp"
#include "core/TimeSource.hpp"
#include "core/NumberConversions.hpp"
#include "missions/MissionManager.hpp"
#include "world/SectorSummary.hpp"
#include "world/Ship.hpp"

#include <cmath>
#include <cstdlib>

Sector::Sector(MissionManager& missions, Ship& ship, std::size_t asteroidBackgrounds,
               std::size_t asteroidForegrounds, FogOfWar::Mode fogMode, const TimeSource& time)
    : sectorClock(time)
    , missions_(missions)
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
    const int index = layout_.tileIndexAt(at.x, at.y);
    if (index >= 0) {
        const SectorTile& tile = layout_.tiles()[static_cast<std::size_t>(index)];
        checkMissionTile(tile);
        ship_.setSpeedMultiplier(tile.tileSpeed == 1 ? 0.5f : 1.f);
    }
    detectPlanets();
    checkEvents();
}

void Sector::checkMissionTile(const SectorTile& tile)
{
    if (jumpRequested || missionTileReached || sectorClock.elapsed().asSeconds() < missionGraceSeconds)
        return;
    Mission* mission = missionOnTile(tile);
    if (!mission || mission->isCompleted)
        return;
    // A ship still turning toward a point beyond the planet only flies over it.
    if (ship_.isTurning()) {
        const sf::Vector2f away = ship_.getDestination() - ship_.getPosition();
        if (std::sqrt(away.x * away.x + away.y * away.y) > passOverDistance)
            return;
    }
    stopShip();
    offerMission(*mission, false, tile.textureName);
}

// A planet is found once the ship comes near the middle or a corner of its base.
void Sector::detectPlanets()
{
    const float reach = ship_.getSensors() * 17.f + 12.f;
    const sf::Vector2f ship = ship_.getSpritePosition();
    const auto near = [&ship, reach](float x, float y) {
        const float dx = x - ship.x, dy = y - ship.y;
        return std::sqrt(dx * dx + dy * dy) < reach;
    };
    for (SectorTile& tile : layout_.tiles()) {
        if (!tile.isMission || tile.shouldDrawNameText)
            continue;
        const float x = tile.left + 4.f, y = tile.top + 4.f;
        const float w = baseWidth, h = baseHeight;
        tile.shouldDrawNameText = near(static_cast<float>(truncateToInt32(x + w / 2.f + 8.f)),
                                       static_cast<float>(truncateToInt32(y + h / 2.f + 12.f)))
                                  || near(x, y) || near(x + w, y) || near(x, y + h) || near(x + w, y + h);
    }
}

// The first event that applies is started: a random event, then starvation, then an empty
// tank. The tank is checked every step, so it comes back on every return to the map until
// there is fuel again.
void Sector::checkEvents()
{
    if (jumpRequested || missionTileReached)
        return;
    if (ship_.isRandomEventPending()) {
        startRandomEvent();
        return;
    }
    if (ship_.isStarvationPending()) {
        ship_.clearStarvationPending();
        if (startNamedEvent("starvation.json", "mapscreen/spaceship_big.png"))
            return;
    }
    if (ship_.getFuel() <= 0)
        startNamedEvent("outofgas.json", "mapscreen/spaceship_big_dim.png");
}

void Sector::startRandomEvent()
{
    ship_.clearRandomEventPending();
    if (missions_.randomMissions.empty()) {
        QV_LOG << "No random missions present in assets folder." << std::endl;
        return;
    }
    stopShip();
    const std::int32_t index = missions_.pickRandomMission();
    if (index < 0 || static_cast<std::size_t>(index) >= missions_.randomMissions.size()) {
        QV_LOG << "A random mission would have occurred here if there were any available." << std::endl;
        return;
    }
    Mission& mission = missions_.randomMissions[static_cast<std::size_t>(index)];
    offerMission(mission, true, mission.getItem("imageFile"));
}

// False when the event is missing from the catalogue: it is reported once and skipped, and
// travel goes on.
bool Sector::startNamedEvent(const char* file, const char* picture)
{
    Mission* event = missions_.namedEvent(file);
    if (!event) {
        if (missingEvents_.insert(file).second)
            QV_LOG << "Warning: Sector::update, the event \"" << file
                   << "\" is missing from missions/events/json; it is skipped." << std::endl;
        return false;
    }
    ship_.clearStarvationPending();
    stopShip();
    event->isCompleted = false;
    offerMission(*event, true, picture);
    return true;
}

void Sector::stopShip()
{
    const sf::Vector2f at = ship_.getSpritePosition();
    ship_.setPosition(at.x, at.y);
}

void Sector::offerMission(Mission& mission, bool useShipImage, const std::string& picture)
{
    offer_ = MissionOffer {&mission, useShipImage, false, picture};
    missionTileReached = true;
}

void Sector::clickMap(float x, float y)
{
    if (isOnShip(x, y)) {
        const sf::Vector2f at = ship_.getPosition();
        ship_.setPosition(at.x, at.y);
        ship_.hideDestinationMarker();
    }
    ship_.travelTo(x, y);
}

bool Sector::isOnShip(float x, float y) const
{
    const sf::Vector2f at = ship_.getSpritePosition();
    return std::fabs(x - at.x) <= Ship::pictureWidth / 2.f && std::fabs(y - at.y) <= Ship::pictureHeight / 2.f;
}

bool Sector::isShipInside() const
{
    const sf::Vector2f at = ship_.getPosition();
    return at.x >= left && at.x < left + width && at.y >= top && at.y < top + height;
}

void Sector::visitEnded()
{
    restartGrace(returnGraceSeconds);
}

void Sector::buildSummary(bool newJump, std::int32_t activeCrew)
{
    SectorSummary::Facts facts;
    facts.seed = layout_.seed();
    for (const SectorTile& tile : layout_.tiles()) {
        if (!tile.isMission)
            continue;
        ++facts.pointsOfInterest;
        if (const Mission* mission = missionOnTile(tile); mission && mission->isCompleted)
            ++facts.visited;
    }
    facts.jumpCount = ship_.getJumpCount();
    if (newJump || jumpText.empty()) {
        const int distance = std::rand();
        const int acceleration = std::rand();
        facts.jumpDraws = std::make_pair(distance, acceleration);
    }
    facts.previousJumpText = jumpText;
    facts.activeCrew = activeCrew;
    facts.food = ship_.getFood();
    facts.fuel = ship_.getFuel();
    facts.engineSpeed = ship_.getBaseEngineSpeed();
    facts.engineSpeedAtStart = ship_.getEngineSpeedAtStart();
    facts.sensors = ship_.getSensors();
    facts.sensorsAtStart = ship_.getSensorsAtStart();
    facts.storyRecap = SectorSummary::storyRecap(missions_.storyMissions, missions_.nextStoryOrder());

    SectorSummary summary = SectorSummary::build(facts);
    designationText = std::move(summary.designationText);
    jumpText = std::move(summary.jumpText);
    statusText = std::move(summary.statusText);
    recapText = std::move(summary.recapText);
}

void Sector::restartGrace(float seconds)
{
    missionGraceSeconds = seconds;
    sectorClock.restart();
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
    Json::Value root = toJson();
    fog_.saveFog(fogPath);
    return root;
}

Json::Value Sector::toJson() const
{
    Json::Value root(Json::objectValue);
    root["Seed"] = static_cast<Json::UInt>(layout_.seed());
    Json::Value& tiles = root["Tiles"];
    tiles = Json::Value(Json::arrayValue);
    for (const SectorTile& tile : layout_.tiles())
        if (tile.isMission || tile.tileSpeed != 0)
            tiles.append(tile.toJson());
    root["JumpLog"] = jumpText;
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
