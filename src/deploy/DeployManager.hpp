#pragma once

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

class CharacterManager;
class Mission;

// The rules of sending a team on a mission, without a window: the team slots a mission has
// ("Max Crew" of them; the first three are the leader, medic and engineer), which crew member
// stands on which slot as cards are lifted and dropped (a drop within 30 units of a slot's
// snap point takes it, swapping with or evicting its occupant; a second press within 500 ms
// sends a placed card home), whether the team is ready, and the deployment itself: the
// roster's deploy team in slot order, the roles from the slots, and missing roles filled at
// random. The deploy screen (DeployScreen) draws this and feeds it the pointer.
//
// Crew members are named by their position in the roster's crew aboard. Main thread only.
class DeployManager {
public:
    static constexpr float snapDistance = 30.f;
    static constexpr double doublePressSeconds = 0.5;

    // Where the screen stands: reading the briefing, placing the team, or done.
    enum class Phase { Briefing, Deploying, Deployed, Left };

    struct Slot {
        sf::Vector2f snap;     // where a card placed on it stands
        sf::Vector2f platform; // its platform picture
        std::int32_t occupant = -1;
        bool isLeader = false;
        bool isMedic = false;
        bool isEngineer = false;
    };

    explicit DeployManager(std::uint32_t seed);

    void setCrew(CharacterManager* crew) { crew_ = crew; }
    // A new mission: briefing phase, no team, empty slots, every card home.
    void openForMission(Mission* mission, bool useShipImage, bool skipCrewCredit);

    // ---- Placing cards (deploy phase) ----
    // The card of crew member `crew` is pressed at time `now`: it leaves its slot. True when
    // it is now being dragged; false when the press was a second press on a placed card
    // (it went home) or nothing can be dragged.
    bool lift(std::int32_t crew, double now);
    // The dragged card is let go with its first picture at `cardAt`; it takes the slot whose
    // snap point is within reach, or goes home.
    void drop(sf::Vector2f cardAt);
    std::int32_t dragged() const { return dragged_; }
    // The slot crew member `crew` stands on, or -1.
    std::int32_t slotOf(std::int32_t crew) const;

    // ---- Buttons ----
    void showBriefing();
    void showDeploy();
    // The deploy button: only when ready.
    bool deploy();
    // The leave button: only when enabled.
    bool leave();
    // Builds the roster's deploy team and roles (also for a NoDeploy mission: no team).
    void launchDeploy();

    // ---- What the screen shows ----
    // Enough living crew stand on the slots ("Min Crew", and never an empty team).
    bool ready() const;
    // Leave is disabled for a mandatory mission, unless the crew aboard cannot fill it.
    bool leaveEnabled() const;
    // Enough crew aboard for the mission at all (the briefing's crew-deploy button).
    bool enoughCrew() const;
    std::int32_t teamCount() const;
    Phase phase() const { return phase_; }
    bool deployed() const { return phase_ == Phase::Deployed; }
    bool leftScreen() const { return phase_ == Phase::Left; }
    bool useShipImage() const { return useShipImage_; }
    bool skipCrewCredit() const { return skipCrewCredit_; }
    Mission* mission() const { return mission_; }
    const std::vector<Slot>& slots() const { return slots_; }
    // The log lines the last deployment wrote (the role fill).
    const std::vector<std::string>& fillLog() const { return fillLog_; }

private:
    void buildSlots();
    std::int32_t livingCount(const std::vector<std::int32_t>& crew) const;
    std::vector<std::int32_t> occupants() const;
    void fillRole(std::int32_t& role, std::int32_t otherA, std::int32_t otherB, std::size_t teamSize,
                  const char* roleName, const std::vector<std::size_t>& team);

    std::mt19937 deployRandom_;
    CharacterManager* crew_ = nullptr;
    Mission* mission_ = nullptr;
    Phase phase_ = Phase::Briefing;
    bool useShipImage_ = false;
    bool skipCrewCredit_ = false;
    std::vector<Slot> slots_;
    std::int32_t dragged_ = -1;
    std::int32_t dragSourceSlot_ = -1;
    std::int32_t lastPressed_ = -1;
    std::optional<double> lastPressAt_;
    std::vector<std::string> fillLog_;
};
