#include "core/RunFlow.hpp"

#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/PlayerStats.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <cmath>

namespace {

// The smaller angle between two headings, 0..180.
float angleBetween(float a, float b)
{
    float difference = std::fmod(std::fabs(a - b), 360.f);
    return difference > 180.f ? 360.f - difference : difference;
}

float wrapDegrees(float degrees)
{
    float wrapped = std::fmod(degrees, 360.f);
    return wrapped < 0.f ? wrapped + 360.f : wrapped;
}

} // namespace

RunFlow::RunFlow(MissionManager& missions, CharacterManager& crew, Sector& sector, PlayerStats& stats, Hooks hooks)
    : missions_(missions)
    , crew_(crew)
    , sector_(sector)
    , ship_(sector.ship())
    , stats_(stats)
    , hooks_(std::move(hooks))
{
}

std::int32_t RunFlow::startingFood(std::int32_t difficulty)
{
    return difficulty == MissionManager::hard ? 10 : difficulty * 5;
}

std::int32_t RunFlow::startingFuel(std::int32_t difficulty)
{
    return difficulty == MissionManager::hard ? 20 : difficulty * 5;
}

float RunFlow::crewFactor(std::int32_t difficulty)
{
    switch (difficulty) {
    case MissionManager::easy:
        return 1.f;
    case MissionManager::hard:
        return 0.25f;
    default:
        return 0.5f;
    }
}

void RunFlow::startNewRun(std::int32_t difficulty)
{
    leaveRun();
    missions_.resetRunLists(difficulty);
    ship_.resetForNewRun(difficulty);
    auto guard = crew_.lock();
    crew_.getDeadCrew().clear();
    for (Character& member : crew_.getChosenCrew())
        member.bonusMultiplier = crewFactor(difficulty);
    active_ = true;
}

bool RunFlow::saveAllowed() const
{
    return active_ && !missions_.gameEnded() && !missions_.getDeployStatus();
}

bool RunFlow::crewLost()
{
    if (!active_ || !crew_.getCrewOnShip().empty())
        return false;
    active_ = false;
    return true;
}

float RunFlow::exitHeading(sf::Vector2f position)
{
    if (position.x <= Sector::left)
        return 0.f;
    if (position.x >= Sector::left + Sector::width)
        return 180.f;
    if (position.y <= Sector::top)
        return 90.f;
    if (position.y >= Sector::top + Sector::height)
        return 270.f;
    return 0.f;
}

std::optional<float> RunFlow::exitTurn(float rotation, float heading)
{
    if (angleBetween(rotation, heading) <= 60.f)
        return std::nullopt;
    const float left = wrapDegrees(heading - 75.f);
    const float right = wrapDegrees(heading + 75.f);
    return angleBetween(rotation, left) <= angleBetween(rotation, right) ? left : right;
}

void RunFlow::jumpStep()
{
    if (sector_.jumpRequested && jumpPhase_ == JumpPhase::None) {
        jumpPhase_ = JumpPhase::Turning;
        ship_.hideDestinationMarker();
        ship_.startLightJump();
        actions_.add([this] { turnTimedOut(); }, sf::milliseconds(turnTimeoutMs));
        if (std::optional<float> turn = exitTurn(ship_.getRotation(), exitHeading(ship_.getPosition())))
            ship_.turnTowards(*turn);
        if (hooks_.stopThrusters)
            hooks_.stopThrusters();
    }
    if (jumpPhase_ == JumpPhase::Turning && !ship_.isTurning()) {
        jumpPhase_ = JumpPhase::Scheduled;
        actions_.add([this] { performJump(); }, sf::milliseconds(jumpDelayMs));
    }
}

void RunFlow::turnTimedOut()
{
    if (jumpPhase_ != JumpPhase::Turning)
        return;
    QV_LOG << "Jump turning failed. Skipping to next sector." << std::endl;
    performJump();
}

void RunFlow::performJump()
{
    // Whichever of the two delayed actions is left must not jump a second time.
    actions_.cancelAll();
    stats_.addJump();
    ship_.setJumpDays(0.f);
    if (hooks_.resetDayClock)
        hooks_.resetDayClock();
    sector_.jumpRequested = false;
    jumpPhase_ = JumpPhase::None;
    ship_.endLightJump();
    if (hooks_.stopThrusters)
        hooks_.stopThrusters();
    if (hooks_.waitForSave)
        hooks_.waitForSave();
    if (hooks_.newSector)
        hooks_.newSector(hooks_.seed ? hooks_.seed() : 0u);
    if (hooks_.saveRun)
        hooks_.saveRun();
}

void RunFlow::leaveRun()
{
    actions_.cancelAll();
    if (jumpPhase_ != JumpPhase::None || sector_.jumpRequested)
        ship_.endLightJump();
    jumpPhase_ = JumpPhase::None;
    sector_.jumpRequested = false;
    active_ = false;
}
