#pragma once

#include "core/Stopwatch.hpp"
#include "world/FogOfWar.hpp"
#include "world/MissionOffer.hpp"
#include "world/SectorLayout.hpp"

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

class Mission;
class MissionManager;
class Ship;

// The sector the ship is in: its layout (tiles, planets, asteroid fields), the fog of war over
// it and the map's rules around them — the ship reaching a planet, the planets its sensors
// find, the events that stop it (a random event, starvation, an empty tank), where a click
// sends it — and the "Sector" member of the session save with its companion file "fow.save".
// New sectors are built from a seed with the run's mission lists; a saved one is rebuilt from
// its seed and its saved tiles laid over.
//
// When travel is interrupted the sector raises missionTileReached and keeps the offer for the
// deploy screen; the run flow takes both up in the same step. Headless: drawing is
// SectorView's, the interface around it MapScreen's. Main thread only.
class Sector {
public:
    // Where the ship enters every new sector.
    static constexpr float entryX = 315.f;
    static constexpr float entryY = 160.f;
    // The inner rectangle of the map: a light jump is possible only outside it.
    static constexpr float left = 45.f;
    static constexpr float top = 45.f;
    static constexpr float width = 550.f;
    static constexpr float height = 270.f;
    // The base picture under a planet, which the sensors look for.
    static constexpr float baseWidth = 40.f;
    static constexpr float baseHeight = 14.f;
    // The grace after a visit to the deploy screen that ended without a mission.
    static constexpr float returnGraceSeconds = 5.f;
    // A turning ship only passes over a planet unless its destination is this close.
    static constexpr float passOverDistance = 45.f;

    // Seeds the generator from the clock (logged as "Realigning space dust [seed]").
    // `asteroidBackgrounds`/`asteroidForegrounds`: how many asteroid pictures the view has.
    // `time` runs the mission grace (tests step it by hand).
    Sector(MissionManager& missions, Ship& ship, std::size_t asteroidBackgrounds, std::size_t asteroidForegrounds,
           FogOfWar::Mode fogMode, const TimeSource& time = systemTime());
    Sector(const Sector&) = delete;
    Sector& operator=(const Sector&) = delete;

    // A new sector (`loading` false): planets from the run's lists, asteroid fields, the ship
    // at the entry point without its markers, the jump counter advanced. The caller then
    // builds the summary (buildSummary(true, ...)), refreshes the day display and shows it. With `loading` true only the
    // grid is built, for the saved tiles to be laid over. Both reset the fog, hide the
    // destination marker and restart the mission grace time.
    void generateSector(std::uint32_t seed, bool loading);
    // One step of the map: the ship flies, the fog clears around it, asteroid tiles slow it,
    // a planet under it may start its mission, the sensors find planets, and an event may
    // stop the ship. A mission reached wins over an event due in the same step (the event
    // waits), and nothing starts while a light jump is requested or an offer is pending.
    void update(std::int64_t microseconds);

    // A click on the map itself (the interface has had its turn): a click on the ship stops
    // it, and either way the ship sets off toward the point.
    void clickMap(float x, float y);
    // Whether the point lies within half the ship's picture of the ship.
    bool isOnShip(float x, float y) const;
    // The ship is inside the inner rectangle, away from the sector's edge.
    bool isShipInside() const;
    // Back from the deploy screen or a mission without leaving the sector: a mission on the
    // tile under the ship waits returnGraceSeconds before it starts again. (Back from a
    // mission, the run flow also rebuilds the summary: buildSummary(false, ...).)
    void visitEnded();
    void restartGrace(float seconds);

    // The mission on a tile, looked up by file in the run's story, side and event lists;
    // nullptr when there is none (or it is no longer in the lists).
    Mission* missionOnTile(const SectorTile& tile) const;
    // What the latest interruption offers the deploy screen (kept until the next one).
    const std::optional<MissionOffer>& offer() const { return offer_; }

    // The four texts of the summary window from the sector, the ship and the story as they
    // are now (`activeCrew`: the living crew aboard). The jump report is drawn anew (two draws
    // of the shared rand()) only for a new jump or when there is none; otherwise it stays, so
    // a loaded game shows its saved numbers.
    void buildSummary(bool newJump, std::int32_t activeCrew);

    // The "Sector" member of the session save; writes the fog to `fogPath` beside it.
    Json::Value toJson(const std::string& fogPath) const;
    // The member alone; the fog's text is fog().saveText() (a background save writes both).
    Json::Value toJson() const;
    // Rebuilds the saved sector: its seed, its tiles with their missions and asteroids, the
    // jump report (cleared when the save has none) and the fog from `fogPath`. False for a
    // member of the wrong type or a fog file that is missing or unreadable; what was read
    // before stays. The loader then builds the summary (buildSummary(false, ...)) and shows it.
    bool fromJson(const Json::Value& root, const std::string& fogPath);

    SectorLayout& layout() { return layout_; }
    const SectorLayout& layout() const { return layout_; }
    FogOfWar& fog() { return fog_; }
    const FogOfWar& fog() const { return fog_; }
    Ship& ship() { return ship_; }
    const Ship& ship() const { return ship_; }

    // The summary window's texts; the jump report is saved (key "JumpLog").
    std::string designationText;
    std::string jumpText;
    std::string statusText;
    std::string recapText;
    // A mission tile under the ship triggers only once this long has passed on sectorClock.
    float missionGraceSeconds = 2.f;
    Stopwatch sectorClock;
    // Travel was interrupted: offer() holds the mission for the deploy screen.
    bool missionTileReached = false;
    // The light-jump button was pressed; the run flow carries the jump out.
    bool jumpRequested = false;

private:
    SectorMissionLists runLists() const;
    Mission* findMission(const std::string& file) const;
    bool readJson(const Json::Value& root, const std::string& fogPath);
    void checkMissionTile(const SectorTile& tile);
    void detectPlanets();
    void checkEvents();
    void startRandomEvent();
    bool startNamedEvent(const char* file, const char* picture);
    void stopShip();
    void offerMission(Mission& mission, bool useShipImage, const std::string& picture);

    MissionManager& missions_;
    Ship& ship_;
    SectorLayout layout_;
    FogOfWar fog_;
    std::optional<MissionOffer> offer_;
    // Named events found missing, each reported once.
    std::set<std::string> missingEvents_;
};
