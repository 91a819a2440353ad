#include "deploy/DeployManager.hpp"

#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/Mission.hpp"

#include <algorithm>
#include <cmath>

DeployManager::DeployManager(std::uint32_t seed)
    : deployRandom_(seed)
{
    QV_LOG << "Deployment Management Systems Online" << std::endl;
}

void DeployManager::openForMission(Mission* mission, bool useShipImage, bool skipCrewCredit)
{
    mission_ = mission;
    useShipImage_ = useShipImage;
    skipCrewCredit_ = skipCrewCredit;
    phase_ = Phase::Briefing;
    dragged_ = -1;
    dragSourceSlot_ = -1;
    lastPressed_ = -1;
    lastPressAt_.reset();
    fillLog_.clear();
    if (crew_) {
        crew_->setDeployTeam({});
        crew_->setRoles(-1, -1, -1);
    }
    buildSlots();
}

// Two slots to a row; the first three are the roles.
void DeployManager::buildSlots()
{
    slots_.clear();
    const std::int32_t count = mission_ ? std::max(0, mission_->maxCrew) : 0;
    for (std::int32_t k = 0; k < count; ++k) {
        Slot slot;
        const float column = static_cast<float>(k % 2);
        const float row = static_cast<float>(k / 2);
        slot.platform = { 483.f + 62.f * column, 84.f + 58.f * row };
        slot.snap = { 491.f + 62.f * column, 83.f + 58.f * row };
        slot.isLeader = k == 0;
        slot.isMedic = k == 1;
        slot.isEngineer = k == 2;
        slots_.push_back(slot);
    }
}

std::int32_t DeployManager::slotOf(std::int32_t crew) const
{
    for (std::size_t k = 0; k < slots_.size(); ++k)
        if (slots_[k].occupant == crew && crew >= 0)
            return static_cast<std::int32_t>(k);
    return -1;
}

bool DeployManager::lift(std::int32_t crew, double now)
{
    if (phase_ != Phase::Deploying || crew < 0)
        return false;
    const std::int32_t slot = slotOf(crew);
    const bool secondPress = slot >= 0 && lastPressed_ == crew && lastPressAt_ && now - *lastPressAt_ <= doublePressSeconds;
    lastPressed_ = crew;
    lastPressAt_ = now;
    if (slot >= 0)
        slots_[static_cast<std::size_t>(slot)].occupant = -1;
    if (secondPress) {
        // Sent home.
        lastPressed_ = -1;
        lastPressAt_.reset();
        return false;
    }
    dragged_ = crew;
    dragSourceSlot_ = slot;
    return true;
}

void DeployManager::drop(sf::Vector2f cardAt)
{
    if (dragged_ < 0)
        return;
    for (Slot& slot : slots_) {
        if (std::fabs(cardAt.x - slot.snap.x) > snapDistance || std::fabs(cardAt.y - slot.snap.y) > snapDistance)
            continue;
        if (slot.occupant >= 0 && dragSourceSlot_ >= 0)
            slots_[static_cast<std::size_t>(dragSourceSlot_)].occupant = slot.occupant; // the two swap
        slot.occupant = dragged_; // a card from the grid sends the occupant home
        break;
    }
    dragged_ = -1;
    dragSourceSlot_ = -1;
}

std::vector<std::int32_t> DeployManager::occupants() const
{
    std::vector<std::int32_t> crew;
    for (const Slot& slot : slots_)
        if (slot.occupant >= 0)
            crew.push_back(slot.occupant);
    return crew;
}

std::int32_t DeployManager::teamCount() const
{
    return static_cast<std::int32_t>(occupants().size());
}

std::int32_t DeployManager::livingCount(const std::vector<std::int32_t>& crew) const
{
    if (!crew_)
        return static_cast<std::int32_t>(crew.size());
    auto guard = crew_->lock();
    const auto& aboard = crew_->getCrewOnShip();
    std::int32_t living = 0;
    for (std::int32_t position : crew)
        if (static_cast<std::size_t>(position) < aboard.size() && !aboard[static_cast<std::size_t>(position)].isDead)
            ++living;
    return living;
}

bool DeployManager::ready() const
{
    const std::vector<std::int32_t> team = occupants();
    // A mission that asks for nobody still needs somebody to go.
    return !team.empty() && livingCount(team) >= (mission_ ? mission_->minCrew : 0);
}

bool DeployManager::enoughCrew() const
{
    if (!crew_ || !mission_)
        return true;
    auto guard = crew_->lock();
    return static_cast<std::int32_t>(crew_->getCrewOnShip().size()) >= mission_->minCrew;
}

bool DeployManager::leaveEnabled() const
{
    if (!mission_ || !mission_->mandatory)
        return true;
    // A mandatory mission the crew cannot fill would leave no way out.
    std::vector<std::int32_t> everyone;
    if (crew_) {
        auto guard = crew_->lock();
        for (std::size_t i = 0; i < crew_->getCrewOnShip().size(); ++i)
            everyone.push_back(static_cast<std::int32_t>(i));
    }
    return livingCount(everyone) < mission_->minCrew;
}

void DeployManager::showBriefing()
{
    if (phase_ == Phase::Deploying && !(mission_ && mission_->noDeploy))
        phase_ = Phase::Briefing;
}

void DeployManager::showDeploy()
{
    if (phase_ != Phase::Briefing)
        return;
    if (mission_ && mission_->noDeploy) {
        launchDeploy();
        return;
    }
    if (enoughCrew())
        phase_ = Phase::Deploying;
}

bool DeployManager::deploy()
{
    if (phase_ != Phase::Deploying || !ready())
        return false;
    launchDeploy();
    return true;
}

bool DeployManager::leave()
{
    if (!leaveEnabled() || phase_ == Phase::Deployed || phase_ == Phase::Left)
        return false;
    phase_ = Phase::Left;
    return true;
}

void DeployManager::fillRole(std::int32_t& role, std::int32_t otherA, std::int32_t otherB, std::size_t teamSize,
                             const char* roleName, const std::vector<std::size_t>& team)
{
    if (role != -1 || teamSize == 0)
        return;
    std::vector<std::int32_t> candidates;
    for (std::size_t b = 0; b < teamSize; ++b) {
        const auto position = static_cast<std::int32_t>(b);
        if (position != otherA && position != otherB)
            candidates.push_back(position);
    }
    const std::uint32_t draw = deployRandom_();
    role = candidates.empty() ? static_cast<std::int32_t>(draw % teamSize)
                              : candidates[draw % candidates.size()];
    std::string name;
    if (crew_) {
        auto guard = crew_->lock();
        name = crew_->getCrewOnShip()[team[static_cast<std::size_t>(role)]].name();
    }
    const std::string line = std::string("No ") + roleName + " found for deploy, granting role to "
        + std::to_string(role) + "(" + name + ")";
    fillLog_.push_back(line);
    QV_LOG << line << std::endl;
}

void DeployManager::launchDeploy()
{
    phase_ = Phase::Deployed;
    fillLog_.clear();
    if (!crew_)
        return;
    if (mission_ && mission_->noDeploy) {
        crew_->setDeployTeam({});
        crew_->setRoles(-1, -1, -1);
        return;
    }
    std::vector<std::size_t> team;
    std::int32_t leader = -1, medic = -1, engineer = -1;
    for (const Slot& slot : slots_) {
        if (slot.occupant < 0)
            continue;
        const auto b = static_cast<std::int32_t>(team.size());
        team.push_back(static_cast<std::size_t>(slot.occupant));
        if (slot.isLeader)
            leader = b;
        if (slot.isMedic)
            medic = b;
        if (slot.isEngineer)
            engineer = b;
    }
    crew_->setDeployTeam(team);
    // Missing roles go to somebody at random, engineer first. An empty team has nobody to
    // give them to: they stay unfilled.
    if (engineer == -1 && !team.empty())
        QV_LOG << ". Picking a new one..." << std::endl;
    fillRole(engineer, medic, leader, team.size(), "engineer", team);
    fillRole(medic, engineer, leader, team.size(), "medic", team);
    fillRole(leader, engineer, medic, team.size(), "leader", team);
    crew_->setRoles(leader, medic, engineer);
    if (mission_)
        crew_->setCurrentMissionName(mission_->getItem("Name"));
}
