#pragma once

#include "world/MissionMarker.hpp"

#include <SFML/System/Vector2.hpp>
#include <json/value.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class ShipContext;

// The player's ship: hull, shields, fuel and food, the two upgradable systems (engine and
// sensors) with their log, the markers scripts drop on the map, and the ship's flight over the
// sector map — turning toward a destination, burning a unit of fuel per parsec, feeding the
// crew twice a day, raising the starvation and random-event flags for the map, and the
// accelerating departure of a light jump. It also reads and writes the "Ship" member of the
// session save.
//
// This is the ship's state only; ShipView draws it. Positions are map pixels of the 640 x 360
// view, angles degrees, times microseconds.
//
// Threads: mission scripts call the script operations (the first block below) on their worker
// thread while the main thread may read the ship, so every public operation takes the ship's
// one lock. Everything else is main-thread work.
class Ship {
public:
    static constexpr float minSensors = 2.f;
    static constexpr float maxSensors = 7.f;
    static constexpr float minEngineSpeed = 0.0015f;
    static constexpr float maxEngineSpeed = 0.1f;
    static constexpr float startEngineSpeed = 0.05f;
    // Animation frame times: the ship (three times slower while idle) and the destination marker.
    static constexpr std::int64_t shipFrameMicroseconds = 83300;
    static constexpr std::int64_t markerFrameMicroseconds = 124950;
    // The destination marker, tightening (five entries, the last frame shown twice).
    static const std::vector<std::string>& destinationFrames();
    // Where a hidden destination marker waits.
    static constexpr float hiddenMarker = -50.f;
    // The ship's picture, centred on its position: the map's hit box for the ship.
    static constexpr float pictureWidth = 44.f;
    static constexpr float pictureHeight = 40.f;

    explicit Ship(ShipContext& context);
    Ship(const Ship&) = delete;
    Ship& operator=(const Ship&) = delete;

    // --- Script operations (bound one to one for mission scripts) ---
    std::int32_t getHealth() const;
    float getSensors() const;
    std::int32_t getShields() const;
    // The engine as it moves the ship now: the engine system times the tile's speed factor.
    float getEngineSpeed() const;
    std::int32_t getFood() const;
    std::int32_t getFuel() const;
    std::int32_t getDaysWithoutFood() const;
    // Food added while the crew starves first ends the starvation (food from 0, fed again).
    void adjustFood(std::int32_t amount);
    void adjustFuel(std::int32_t amount);
    void adjustHealth(std::int32_t amount);
    void adjustShields(std::int32_t amount);
    // The systems stay within their bounds. A change with a reason is written to the upgrade
    // log even when the bound swallowed it; NaN counts as no change.
    void adjustSensors(float change, const std::string& reason);
    void adjustEngineSpeed(float change, const std::string& reason);
    // A marker just above and left of the ship.
    void addMissionMarker(const std::string& name);

    // --- Flight ---
    // Heads for (x, y): turns first (the pass-by rule keeps it from circling a point too close
    // to turn onto), then flies straight. This is the map's click.
    void travelTo(float x, float y);
    // Moving toward (x, y) and the marker there; turning is left as it is.
    void setDestination(float x, float y);
    // Placed at (x, y) and at rest.
    void setPosition(float x, float y);
    // Turns on the spot (or while drifting on its heading) until it faces `degrees`.
    void turnTowards(float degrees);
    // Faces `degrees` at once.
    void setHeading(float degrees);
    void hideDestinationMarker();
    // Once per drawn frame while the map runs: movement, turning and animation.
    void update(std::int64_t microseconds);
    // Once per fixed step (0.05 s) while the map runs: fuel, random events, meals, starvation,
    // engine sounds and the light-jump departure.
    void consumptionTick();
    // The departure of a light jump starts at 1 pixel per step and doubles every step.
    void startLightJump();
    void endLightJump();
    // The tile under the ship sets this (0.5 in asteroid fields, else 1).
    void setSpeedMultiplier(float multiplier);

    // --- Run bookkeeping ---
    // A new run: empty log, starting food and fuel and systems for the difficulty (8, 6, 4).
    void resetForNewRun(std::int32_t difficulty);
    // A new sector: the jump counter moves on.
    void advanceJumpCount();
    std::int32_t getJumpCount() const;
    float getJumpDays() const;
    void setJumpDays(float days);
    void clearMissionMarkers();
    void setMarkerLabelShown(std::size_t index, bool shown);
    std::vector<MissionMarker> getMissionMarkers() const;
    std::vector<std::string> getUpgradeLog() const;
    // A log line was added that the player has not seen yet.
    bool hasUnseenUpgrades() const;
    void markUpgradesSeen();
    // The engine system without the tile's speed factor.
    float getBaseEngineSpeed() const;
    // The values at the start of the run, which the sector summary compares with.
    float getEngineSpeedAtStart() const;
    float getSensorsAtStart() const;

    // Flags for the map screen, which clears them when it has started the event.
    bool isStarvationPending() const;
    void clearStarvationPending();
    bool isRandomEventPending() const;
    void clearRandomEventPending();

    // Blinking of the ship button and the upgrade-log button, counted in fixed steps.
    void advanceBlink();
    bool isBlinkLit() const;

    // --- What the views draw ---
    sf::Vector2f getPosition() const;
    // The position in whole pixels, or where the light jump has carried the ship.
    sf::Vector2f getSpritePosition() const;
    float getRotation() const;
    sf::Vector2f getDestination() const;
    sf::Vector2f getDestinationMarkerPosition() const;
    bool isMoving() const;
    bool isTurning() const;
    bool isLightJumping() const;
    // Texture names of the current animation frames.
    std::string getShipFrame() const;
    std::string getDestinationFrame() const;
    bool isNameLabelShown() const;
    void setNameLabelShown(bool shown);

    // The "Ship" member of the session save.
    Json::Value toJson() const;
    // False for a member of the wrong type; what was read before it keeps its new value.
    bool fromJson(const Json::Value& root);

private:
    void placeAt(float x, float y);
    void setRotation(float degrees);
    void moveStraight(float milliseconds);
    void decidePassingBy();
    void driftAndTurn(float milliseconds);
    void animate(std::int64_t microseconds);
    void burnFuel();
    void serveMeal();
    void departStep();
    void addUpgradeLine(const std::string& system, float change, const std::string& reason);
    void travelDistance(float pixels);
    float resolvedSensorsAtStart() const;
    bool readJson(const Json::Value& root);

    ShipContext& context_;
    mutable std::mutex mutex_;

    std::int32_t health_ = 100;
    std::int32_t shields_ = 100;
    std::int32_t fuel_ = 10;
    std::int32_t food_ = 10;
    float engineSpeed_ = startEngineSpeed;
    float engineSpeedAtStart_ = startEngineSpeed;
    float sensors_ = 4.f;
    // Unknown after loading a save from before it was stored: taken from the difficulty then.
    std::optional<float> sensorsAtStart_ = 4.f;
    float speedMultiplier_ = 1.f;
    std::int32_t jumpCount_ = 1;
    std::int32_t daysWithoutFood_ = -1;
    std::int32_t fuelTickCounter_ = 1;
    std::int32_t foodTickCounter_ = 1;
    std::int32_t parsecsSinceRandomEvent_ = 1;
    bool starvationPending_ = false;
    bool randomEventPending_ = false;
    float jumpDays_ = 0.f;
    std::vector<std::string> upgradeLog_;
    bool upgradesSeen_ = false;
    std::vector<MissionMarker> missionMarkers_;
    std::int32_t blinkCounter_ = 0;
    std::int32_t blinkLength_ = 5;

    sf::Vector2f position_;
    sf::Vector2f spritePosition_;
    float rotation_ = 0.f;
    sf::Vector2f destination_;
    sf::Vector2f markerPosition_ { hiddenMarker, hiddenMarker };
    bool moving_ = false;
    bool turning_ = false;
    bool passingBy_ = false;
    bool passedBy_ = false;
    float targetAngle_ = 0.f;
    float turnTime_ = 0.f;
    float turnPeriod_ = 800.f;
    float turnRate_ = 0.f;
    float maxTurnRate_ = 0.25f;
    bool lightJumping_ = false;
    float jumpSpeed_ = 0.f;
    bool showNameLabel_ = false;

    // Animation: the frame shown (idle or moving, 0..2) and time toward the next one. A ship
    // just put somewhere shows its resting picture until the next update.
    bool resting_ = true;
    bool idleFrames_ = true;
    int shipFrameIndex_ = 0;
    std::int64_t shipFrameTime_ = 0;
    std::size_t markerFrameIndex_ = 0;
    std::int64_t markerFrameTime_ = 0;
};
