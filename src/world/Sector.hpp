#pragma once

#include "world/FogOfWar.hpp"
#include "world/SectorLayout.hpp"

#include <SFML/System/Clock.hpp>
#include <json/value.h>

#include <cstdint>
#include <string>

class Mission;
class MissionManager;
class Ship;

// The sector the ship is in: its layout (tiles, planets, asteroid fields), the fog of war over
// it and the bookkeeping of the map around them — the grace time before a mission tile
// triggers, the jump report kept for the summary window — and the "Sector" member of the
// session save with its companion file "fow.save". New sectors are built from a seed with the
// run's mission lists; a saved one is rebuilt from its seed and its saved tiles laid over.
//
// Headless: drawing is SectorView's. Main thread only.
class Sector {
public:
    // Where the ship enters every new sector.
    static constexpr float entryX = 315.f;
    static constexpr float entryY = 160.f;

    // Seeds the generator from the clock (logged as "Realigning space dust [seed]").
    // `asteroidBackgrounds`/`asteroidForegrounds`: how many asteroid pictures the view has.
    Sector(MissionManager& missions, Ship& ship, std::size_t asteroidBackgrounds, std::size_t asteroidForegrounds,
           FogOfWar::Mode fogMode);
    Sector(const Sector&) = delete;
    Sector& operator=(const Sector&) = delete;

    // A new sector (`loading` false): planets from the run's lists, asteroid fields, the ship
    // at the entry point without its markers, the jump counter advanced. The caller then
    // refreshes the day display and shows the sector summary. With `loading` true only the
    // grid is built, for the saved tiles to be laid over. Both reset the fog, hide the
    // destination marker and restart the mission grace time.
    void generateSector(std::uint32_t seed, bool loading);
    // Once per frame while the map runs: the ship flies, the fog clears around it, and
    // asteroid tiles slow it to half speed.
    void update(std::int64_t microseconds);

    // The mission on a tile, looked up by file in the run's story, side and event lists;
    // nullptr when there is none (or it is no longer in the lists).
    Mission* missionOnTile(const SectorTile& tile) const;

    // The "Sector" member of the session save; writes the fog to `fogPath` beside it.
    Json::Value toJson(const std::string& fogPath) const;
    // Rebuilds the saved sector: its seed, its tiles with their missions and asteroids, the
    // jump report (cleared when the save has none) and the fog from `fogPath`. False for a
    // member of the wrong type or a fog file that is missing or unreadable; what was read
    // before stays.
    bool fromJson(const Json::Value& root, const std::string& fogPath);

    SectorLayout& layout() { return layout_; }
    const SectorLayout& layout() const { return layout_; }
    FogOfWar& fog() { return fog_; }
    const FogOfWar& fog() const { return fog_; }
    Ship& ship() { return ship_; }

    // The jump report of the summary window (save key "JumpLog").
    std::string jumpText;
    // A mission tile under the ship triggers only once this long has passed on sectorClock.
    float missionGraceSeconds = 2.f;
    sf::Clock sectorClock;

private:
    SectorMissionLists runLists() const;
    Mission* findMission(const std::string& file) const;
    bool readJson(const Json::Value& root, const std::string& fogPath);

    MissionManager& missions_;
    Ship& ship_;
    SectorLayout layout_;
    FogOfWar fog_;
};
