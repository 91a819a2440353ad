#include "world/Ship.hpp"

#include "core/NumberConversions.hpp"
#include "persistence/PlayerStats.hpp"
#include "world/ShipContext.hpp"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

const std::array<std::string, 3> idleFrames = {
    "mapscreen/ship_idle0.png", "mapscreen/ship_idle1.png", "mapscreen/ship_idle2.png"};
const std::array<std::string, 3> movingFrames = {
    "mapscreen/ship_moving0.png", "mapscreen/ship_moving1.png", "mapscreen/ship_moving2.png"};

// Steps between two parsecs and between two meals (half a day).
constexpr std::int32_t stepsPerParsec = 100;
constexpr std::int32_t stepsPerMeal = 400;

// Angle between two headings, 0..180 degrees.
float angularDifference(float a, float b)
{
    return std::fabs(180.f - std::fabs(std::fabs(a - b) - 180.f));
}

sf::Vector2f normalised(sf::Vector2f v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    return length > 0.f ? v / length : sf::Vector2f();
}

sf::Vector2f headingVector(float rotation)
{
    // The ship's picture points its nose to the left: the heading is the rotation turned round.
    const float radians = (rotation + 180.f) * 0.017453292f;
    return normalised({std::cos(radians), std::sin(radians)});
}

sf::Vector2f wholePixels(sf::Vector2f v)
{
    return {static_cast<float>(truncateToInt32(v.x)), static_cast<float>(truncateToInt32(v.y))};
}

// The days of starvation on which the starvation event comes (while travelling).
bool starvationDay(std::int32_t days)
{
    return days == 0 || days == 5 || days == 10 || days == 20 || days == 40 || days >= 80;
}

// The same flag as a loaded save sets it. This set has always differed from the one above;
// saves and the balance rely on it, so it stays.
bool starvationDayOnLoad(std::int32_t days)
{
    return days == 0 || days == 5 || days == 10 || days == 15 || days == 30 || days == 45;
}

// Counters a corrupt save may set to the int32 limit start over instead of overflowing.
std::int32_t nextTick(std::int32_t counter)
{
    return counter == std::numeric_limits<std::int32_t>::max() ? 1 : counter + 1;
}

// Saved values: a member of the wrong type ends the reading (the JSON library throws).
float readReal(const Json::Value& value)
{
    if (value.isNull())
        return 0.f;
    const double number = value.asDouble();
    if (std::isnan(number))
        return 0.f;
    return static_cast<float>(std::clamp(number, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

// An array member, or an empty one when absent; anything else is a member of the wrong type.
const Json::Value& listMember(const Json::Value& root, const char* key)
{
    const Json::Value& value = root[key];
    if (!value.isNull() && !value.isArray())
        throw Json::LogicError(std::string(key) + " is not a list");
    return value;
}

Json::Value pair(float x, float y)
{
    Json::Value array(Json::arrayValue);
    array.append(static_cast<double>(x));
    array.append(static_cast<double>(y));
    return array;
}

} // namespace

const std::vector<std::string>& Ship::destinationFrames()
{
    static const std::vector<std::string> frames = {
        "mapscreen/travel_location3.png", "mapscreen/travel_location2.png", "mapscreen/travel_location1.png",
        "mapscreen/travel_location0.png", "mapscreen/travel_location0.png"};
    return frames;
}

Ship::Ship(ShipContext& context)
    : context_(context)
{
}

// --- Script operations ---

std::int32_t Ship::getHealth() const
{
    std::lock_guard lock(mutex_);
    return health_;
}

float Ship::getSensors() const
{
    std::lock_guard lock(mutex_);
    return sensors_;
}

std::int32_t Ship::getShields() const
{
    std::lock_guard lock(mutex_);
    return shields_;
}

float Ship::getEngineSpeed() const
{
    std::lock_guard lock(mutex_);
    return speedMultiplier_ * engineSpeed_;
}

std::int32_t Ship::getFood() const
{
    std::lock_guard lock(mutex_);
    return food_;
}

std::int32_t Ship::getFuel() const
{
    std::lock_guard lock(mutex_);
    return fuel_;
}

std::int32_t Ship::getDaysWithoutFood() const
{
    std::lock_guard lock(mutex_);
    return daysWithoutFood_;
}

void Ship::adjustFood(std::int32_t amount)
{
    std::lock_guard lock(mutex_);
    if (food_ < 0 && amount > 0) {
        daysWithoutFood_ = -1;
        food_ = 0;
    }
    food_ = saturatingAdd(food_, amount);
}

void Ship::adjustFuel(std::int32_t amount)
{
    std::lock_guard lock(mutex_);
    fuel_ = saturatingAdd(fuel_, amount);
}

void Ship::adjustHealth(std::int32_t amount)
{
    std::lock_guard lock(mutex_);
    health_ = saturatingAdd(health_, amount);
}

void Ship::adjustShields(std::int32_t amount)
{
    std::lock_guard lock(mutex_);
    shields_ = saturatingAdd(shields_, amount);
}

namespace {

// Below the lower bound gives the lower bound; at or above the upper bound the upper bound.
float clampSystem(float value, float lower, float upper)
{
    if (value < lower)
        return lower;
    if (value >= upper)
        return upper;
    return value;
}

} // namespace

void Ship::adjustSensors(float change, const std::string& reason)
{
    std::lock_guard lock(mutex_);
    change = nanToZero(change);
    sensors_ = clampSystem(sensors_ + change, minSensors, maxSensors);
    addUpgradeLine("Sensor", change, reason);
}

void Ship::adjustEngineSpeed(float change, const std::string& reason)
{
    std::lock_guard lock(mutex_);
    change = nanToZero(change);
    engineSpeed_ = clampSystem(engineSpeed_ + change, minEngineSpeed, maxEngineSpeed);
    addUpgradeLine("Engine", change, reason);
}

void Ship::addUpgradeLine(const std::string& system, float change, const std::string& reason)
{
    if (reason.empty() || change == 0.f)
        return;
    std::string line = system + " " + (change > 0.f ? "upgrade - " : "downgrade - ") + "Jump "
                       + std::to_string(jumpCount_);
    const std::string mission = context_.currentMissionName();
    if (!mission.empty() && mission != "null")
        line += ", " + mission;
    line += ": " + reason;
    upgradeLog_.push_back(std::move(line));
    upgradesSeen_ = true;
}

void Ship::addMissionMarker(const std::string& name)
{
    std::lock_guard lock(mutex_);
    missionMarkers_.push_back({name, position_.x - 12.f, position_.y - 12.f, false});
}

// --- Flight ---

void Ship::travelTo(float x, float y)
{
    std::lock_guard lock(mutex_);
    turning_ = true;
    passingBy_ = false;
    passedBy_ = false;
    turnTime_ = 0.f;
    targetAngle_ = std::fmod(std::atan2(spritePosition_.y - y, spritePosition_.x - x) * 57.32484f, 360.f);
    moving_ = true;
    destination_ = {x, y};
    markerPosition_ = destination_;
}

void Ship::setDestination(float x, float y)
{
    std::lock_guard lock(mutex_);
    moving_ = true;
    destination_ = {x, y};
    markerPosition_ = destination_;
}

void Ship::setPosition(float x, float y)
{
    std::lock_guard lock(mutex_);
    placeAt(x, y);
}

void Ship::placeAt(float x, float y)
{
    position_ = {x, y};
    spritePosition_ = position_;
    moving_ = false;
    turning_ = false;
    resting_ = true;
}

void Ship::turnTowards(float degrees)
{
    std::lock_guard lock(mutex_);
    turning_ = true;
    passingBy_ = false;
    targetAngle_ = degrees;
    turnTime_ = 0.f;
}

void Ship::setHeading(float degrees)
{
    std::lock_guard lock(mutex_);
    setRotation(degrees);
}

void Ship::hideDestinationMarker()
{
    std::lock_guard lock(mutex_);
    markerPosition_ = {hiddenMarker, hiddenMarker};
}

void Ship::setRotation(float degrees)
{
    // Kept in [0, 360) the way the sprite keeps it: the turning rules compare with this value.
    rotation_ = std::fmod(degrees, 360.f);
    if (rotation_ < 0.f)
        rotation_ += 360.f;
}

void Ship::update(std::int64_t microseconds)
{
    std::lock_guard lock(mutex_);
    const float milliseconds = static_cast<float>(microseconds / 1000);
    if (!turning_) {
        const bool arrived = truncateToInt32(destination_.x) == truncateToInt32(position_.x)
                             && truncateToInt32(destination_.y) == truncateToInt32(position_.y);
        if (arrived || fuel_ < 1) {
            moving_ = false;
            turning_ = false;
        } else if (moving_) {
            moveStraight(milliseconds);
        }
    } else {
        if (moving_)
            decidePassingBy();
        driftAndTurn(milliseconds);
    }
    animate(microseconds);
}

void Ship::travelDistance(float pixels)
{
    context_.playerStats().addDistanceTravelled(pixels / 400.f);
}

void Ship::moveStraight(float milliseconds)
{
    const sf::Vector2f direction = normalised(destination_ - position_);
    const float step = speedMultiplier_ * engineSpeed_ * milliseconds * 0.5f;
    travelDistance(step);
    position_ += direction * step;
    const sf::Vector2f left = destination_ - position_;
    if (std::fabs(left.x) + std::fabs(left.y) <= 2.f)
        position_ = destination_;
    spritePosition_ = wholePixels(position_);
}

// A destination inside the turning circle cannot be reached by turning on the way: the ship
// flies on past it first and turns once it is far enough away, but only once per destination.
void Ship::decidePassingBy()
{
    const float radius = speedMultiplier_ * engineSpeed_ * (360.f / maxTurnRate_) / 6.2831855f * 0.5f;
    targetAngle_ = std::fmod(std::atan2(spritePosition_.y - destination_.y, spritePosition_.x - destination_.x)
                                 * 180.f / 3.14f,
                             360.f);
    const float difference = angularDifference(rotation_, targetAngle_);
    const float dx = static_cast<float>(truncateToInt32(destination_.x - position_.x));
    const float dy = static_cast<float>(truncateToInt32(destination_.y - position_.y));
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (radius * 4.f > distance && !passedBy_ && difference > 30.f) {
        passingBy_ = true;
    } else {
        if (passingBy_)
            passedBy_ = true;
        passingBy_ = false;
    }
}

// While turning the ship keeps drifting along its heading. The turn rate swells along a sine
// wave for wide turns and stays at a third of the maximum for the last 45 degrees.
void Ship::driftAndTurn(float milliseconds)
{
    const float step = speedMultiplier_ * engineSpeed_ * milliseconds * 0.5f;
    travelDistance(step);
    position_ += headingVector(rotation_) * step;
    spritePosition_ = wholePixels(position_);
    if (passingBy_)
        return;

    turnTime_ += milliseconds;
    const float difference = angularDifference(rotation_, targetAngle_);
    if (difference <= 45.f) {
        turnRate_ = maxTurnRate_ / 3.f;
    } else {
        const float pi = 3.14159265f;
        turnRate_ = (std::sin(pi * (turnTime_ - 0.5f) / turnPeriod_) + 1.f) * maxTurnRate_ * 0.5f;
        if (difference < 90.f)
            turnRate_ = std::max(turnRate_, maxTurnRate_ / 3.f);
    }
    const float turn = turnRate_ * milliseconds;
    if (turn < difference) {
        if (difference <= angularDifference(rotation_ + turn, targetAngle_))
            setRotation(rotation_ - turn);
        else
            setRotation(rotation_ + turn);
    } else {
        setRotation(targetAngle_);
        turning_ = false;
        turnTime_ = 0.f;
    }
}

void Ship::animate(std::int64_t microseconds)
{
    const bool idle = !lightJumping_ && !moving_ && !turning_;
    shipFrameTime_ += microseconds;
    if (shipFrameTime_ >= (idle ? 3 * shipFrameMicroseconds : shipFrameMicroseconds)) {
        shipFrameIndex_ = (shipFrameIndex_ + 1) % 3;
        shipFrameTime_ = 0;
    }
    idleFrames_ = idle;
    resting_ = false;

    markerFrameTime_ += microseconds;
    if (markerFrameTime_ >= markerFrameMicroseconds) {
        markerFrameIndex_ = (markerFrameIndex_ + 1) % destinationFrames().size();
        markerFrameTime_ = 0;
    }
}

void Ship::consumptionTick()
{
    std::lock_guard lock(mutex_);
    if (lightJumping_) {
        if (turning_)
            context_.keepThrustersPlaying();
        else
            departStep();
        return;
    }

    if (moving_) {
        context_.keepThrustersPlaying();
        if (fuelTickCounter_ % stepsPerParsec == 0)
            burnFuel();
        fuelTickCounter_ = nextTick(fuelTickCounter_);
    } else {
        context_.stopThrusters();
    }

    if (context_.foodCheat() && !moving_)
        return;
    if (foodTickCounter_ % stepsPerMeal == 0)
        serveMeal();
    foodTickCounter_ = nextTick(foodTickCounter_);
}

// One parsec flown: a unit of fuel, and perhaps a random event — due once more than 3 to 10
// parsecs have passed since the last one.
void Ship::burnFuel()
{
    context_.playerStats().addFuelUsed(1);
    fuel_ = saturatingAdd(fuel_, -1);
    fuelTickCounter_ = 1;
    const int draw = std::rand() % 8;
    if (parsecsSinceRandomEvent_ > draw + 3) {
        randomEventPending_ = true;
        parsecsSinceRandomEvent_ = 1;
    }
    parsecsSinceRandomEvent_ = nextTick(parsecsSinceRandomEvent_);
}

// Half a day: a unit of food for everyone alive while it lasts; with none left the crew goes
// hungry and the food count runs into debt, which the next delivery pays off first.
void Ship::serveMeal()
{
    if (food_ > 0) {
        daysWithoutFood_ = -1;
        const std::int32_t mouths = std::max<std::int32_t>(0, context_.livingCrewCount());
        const std::int32_t eaten = std::min(food_, mouths);
        food_ -= eaten;
        context_.playerStats().addFoodUsed(eaten);
    } else {
        daysWithoutFood_ = saturatingAdd(daysWithoutFood_, 1);
        food_ = saturatingAdd(food_, -1);
    }
    starvationPending_ = starvationDay(daysWithoutFood_);
    foodTickCounter_ = 1;
}

void Ship::departStep()
{
    context_.playJumpSound();
    spritePosition_ += headingVector(rotation_) * jumpSpeed_;
    jumpSpeed_ *= 2.f;
    context_.raiseJumpFlash();
}

void Ship::startLightJump()
{
    std::lock_guard lock(mutex_);
    lightJumping_ = true;
    jumpSpeed_ = 1.f;
    // The ship leaves from where it is: a flight still under way would steer the exit turn
    // back toward its old destination and pull the departing picture back every frame.
    moving_ = false;
}

void Ship::endLightJump()
{
    std::lock_guard lock(mutex_);
    lightJumping_ = false;
    turning_ = false;
    jumpSpeed_ = 0.f;
}

void Ship::setSpeedMultiplier(float multiplier)
{
    std::lock_guard lock(mutex_);
    speedMultiplier_ = multiplier;
}

// --- Run bookkeeping ---

void Ship::resetForNewRun(std::int32_t difficulty)
{
    {
        std::lock_guard lock(mutex_);
        // Nothing of the last run's ship carries over: what the constructor starts with.
        health_ = 100;
        shields_ = 100;
        daysWithoutFood_ = -1;
        fuelTickCounter_ = 1;
        foodTickCounter_ = 1;
        parsecsSinceRandomEvent_ = 1;
        starvationPending_ = false;
        randomEventPending_ = false;
        jumpDays_ = 0.f;
        speedMultiplier_ = 1.f;
        lightJumping_ = false;
        jumpSpeed_ = 0.f;
        food_ = 0;
        fuel_ = 0;
        jumpCount_ = 0;
        upgradeLog_.clear();
        upgradesSeen_ = false;
        sensors_ = static_cast<float>(difficulty) * 0.5f;
        sensorsAtStart_ = sensors_;
        engineSpeed_ = startEngineSpeed;
        engineSpeedAtStart_ = startEngineSpeed;
    }
    const bool hard = difficulty == 4;
    adjustFood(hard ? 10 : difficulty * 5);
    adjustFuel(hard ? 20 : difficulty * 5);
}

void Ship::advanceJumpCount()
{
    std::lock_guard lock(mutex_);
    jumpCount_ = saturatingAdd(jumpCount_, 1);
}

std::int32_t Ship::getJumpCount() const
{
    std::lock_guard lock(mutex_);
    return jumpCount_;
}

float Ship::getJumpDays() const
{
    std::lock_guard lock(mutex_);
    return jumpDays_;
}

void Ship::setJumpDays(float days)
{
    std::lock_guard lock(mutex_);
    jumpDays_ = days;
}

void Ship::clearMissionMarkers()
{
    std::lock_guard lock(mutex_);
    missionMarkers_.clear();
}

void Ship::setMarkerLabelShown(std::size_t index, bool shown)
{
    std::lock_guard lock(mutex_);
    if (index < missionMarkers_.size())
        missionMarkers_[index].showLabel = shown;
}

std::vector<MissionMarker> Ship::getMissionMarkers() const
{
    std::lock_guard lock(mutex_);
    return missionMarkers_;
}

std::vector<std::string> Ship::getUpgradeLog() const
{
    std::lock_guard lock(mutex_);
    return upgradeLog_;
}

bool Ship::hasUnseenUpgrades() const
{
    std::lock_guard lock(mutex_);
    return upgradesSeen_;
}

void Ship::markUpgradesSeen()
{
    std::lock_guard lock(mutex_);
    upgradesSeen_ = false;
}

float Ship::getBaseEngineSpeed() const
{
    std::lock_guard lock(mutex_);
    return engineSpeed_;
}

float Ship::getEngineSpeedAtStart() const
{
    std::lock_guard lock(mutex_);
    return engineSpeedAtStart_;
}

float Ship::getSensorsAtStart() const
{
    std::lock_guard lock(mutex_);
    return resolvedSensorsAtStart();
}

float Ship::resolvedSensorsAtStart() const
{
    // Asked when needed rather than on loading: the session loads the ship before the
    // missions, which carry the difficulty.
    return sensorsAtStart_ ? *sensorsAtStart_ : static_cast<float>(context_.difficulty()) * 0.5f;
}

bool Ship::isStarvationPending() const
{
    std::lock_guard lock(mutex_);
    return starvationPending_;
}

void Ship::clearStarvationPending()
{
    std::lock_guard lock(mutex_);
    starvationPending_ = false;
}

bool Ship::isRandomEventPending() const
{
    std::lock_guard lock(mutex_);
    return randomEventPending_;
}

void Ship::clearRandomEventPending()
{
    std::lock_guard lock(mutex_);
    randomEventPending_ = false;
}

void Ship::advanceBlink()
{
    std::lock_guard lock(mutex_);
    blinkCounter_ = blinkCounter_ > 5 * blinkLength_ ? 0 : blinkCounter_ + 1;
}

bool Ship::isBlinkLit() const
{
    std::lock_guard lock(mutex_);
    return blinkCounter_ < blinkLength_;
}

// --- What the views draw ---

sf::Vector2f Ship::getPosition() const
{
    std::lock_guard lock(mutex_);
    return position_;
}

sf::Vector2f Ship::getSpritePosition() const
{
    std::lock_guard lock(mutex_);
    return spritePosition_;
}

float Ship::getRotation() const
{
    std::lock_guard lock(mutex_);
    return rotation_;
}

sf::Vector2f Ship::getDestination() const
{
    std::lock_guard lock(mutex_);
    return destination_;
}

sf::Vector2f Ship::getDestinationMarkerPosition() const
{
    std::lock_guard lock(mutex_);
    return markerPosition_;
}

bool Ship::isMoving() const
{
    std::lock_guard lock(mutex_);
    return moving_;
}

bool Ship::isTurning() const
{
    std::lock_guard lock(mutex_);
    return turning_;
}

bool Ship::isLightJumping() const
{
    std::lock_guard lock(mutex_);
    return lightJumping_;
}

std::string Ship::getShipFrame() const
{
    std::lock_guard lock(mutex_);
    if (resting_)
        return idleFrames[0];
    return (idleFrames_ ? idleFrames : movingFrames)[static_cast<std::size_t>(shipFrameIndex_)];
}

std::string Ship::getDestinationFrame() const
{
    std::lock_guard lock(mutex_);
    return destinationFrames()[markerFrameIndex_];
}

bool Ship::isNameLabelShown() const
{
    std::lock_guard lock(mutex_);
    return showNameLabel_;
}

void Ship::setNameLabelShown(bool shown)
{
    std::lock_guard lock(mutex_);
    showNameLabel_ = shown;
}

// --- Save ---

Json::Value Ship::toJson() const
{
    std::lock_guard lock(mutex_);
    Json::Value root(Json::objectValue);
    root["Position"] = pair(position_.x, position_.y);
    root["Rotation"] = static_cast<double>(rotation_);
    root["Health"] = health_;
    root["EngineSpeed"] = static_cast<double>(engineSpeed_);
    root["Shields"] = shields_;
    root["Food"] = food_;
    root["Fuel"] = fuel_;
    root["Sensor"] = static_cast<double>(sensors_);
    root["FoodUpdate"] = foodTickCounter_;
    root["FuelUpdate"] = fuelTickCounter_;
    root["daysWithoutFood"] = daysWithoutFood_;
    root["JumpCount"] = static_cast<Json::UInt>(std::max<std::int32_t>(0, jumpCount_));
    root["JumpDays"] = static_cast<double>(jumpDays_);
    if (!upgradeLog_.empty()) {
        Json::Value& log = root["UpgradeLog"];
        log = Json::Value(Json::arrayValue);
        for (const std::string& line : upgradeLog_)
            log.append(line);
    }
    root["UpgradesSeen"] = upgradesSeen_;
    if (!missionMarkers_.empty()) {
        Json::Value& markers = root["MissionMarkers"];
        markers = Json::Value(Json::arrayValue);
        for (const MissionMarker& marker : missionMarkers_) {
            Json::Value entry(Json::objectValue);
            entry["Name"] = marker.name;
            entry["Position"] = pair(marker.x, marker.y);
            markers.append(entry);
        }
    }
    // The start values the sector summary compares the systems with.
    root["EngineSpeedAtStart"] = static_cast<double>(engineSpeedAtStart_);
    root["SensorAtStart"] = static_cast<double>(resolvedSensorsAtStart());
    return root;
}

bool Ship::fromJson(const Json::Value& root)
{
    std::lock_guard lock(mutex_);
    try {
        return readJson(root);
    } catch (const Json::Exception&) {
        return false;
    }
}

bool Ship::readJson(const Json::Value& root)
{
    // A loaded ship replaces the one in memory; nothing of it is appended to.
    upgradeLog_.clear();
    missionMarkers_.clear();

    const Json::Value& position = root["Position"];
    placeAt(readReal(position[0]), readReal(position[1]));
    setRotation(readReal(root["Rotation"]));

    health_ = root["Health"].asInt();
    shields_ = root["Shields"].asInt();
    food_ = root["Food"].asInt();
    fuel_ = root["Fuel"].asInt();
    foodTickCounter_ = root["FoodUpdate"].asInt();
    fuelTickCounter_ = root["FuelUpdate"].asInt();
    daysWithoutFood_ = root["daysWithoutFood"].asInt();
    sensors_ = readReal(root["Sensor"]);
    engineSpeed_ = readReal(root["EngineSpeed"]);

    if (root.isMember("JumpDays"))
        jumpDays_ = readReal(root["JumpDays"]);
    if (root.isMember("UpgradeLog")) {
        for (const Json::Value& line : listMember(root, "UpgradeLog")) {
            if (!line.isString())
                return false;
            upgradeLog_.push_back(line.asString());
        }
    }
    upgradesSeen_ = root.isMember("UpgradesSeen") ? root["UpgradesSeen"].asBool() : false;

    for (const Json::Value& entry : listMember(root, "MissionMarkers")) {
        const Json::Value& at = entry["Position"];
        missionMarkers_.push_back({entry["Name"].asString(), readReal(at[0]), readReal(at[1]), false});
    }

    if (root.isMember("JumpCount")) {
        const Json::UInt count = root["JumpCount"].asUInt();
        jumpCount_ = static_cast<std::int32_t>(std::min<Json::UInt>(count, std::numeric_limits<std::int32_t>::max()));
    } else {
        jumpCount_ = std::rand() % 5;
    }
    starvationPending_ = starvationDayOnLoad(daysWithoutFood_);

    engineSpeedAtStart_ = root.isMember("EngineSpeedAtStart") ? readReal(root["EngineSpeedAtStart"]) : startEngineSpeed;
    if (root.isMember("SensorAtStart"))
        sensorsAtStart_ = readReal(root["SensorAtStart"]);
    else
        sensorsAtStart_.reset();
    return true;
}
