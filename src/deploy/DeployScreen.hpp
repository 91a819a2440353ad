#pragma once

#include "deploy/DeployManager.hpp"
#include "ui/Button.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CharacterManager;
class Mission;

namespace sf {
class RenderTarget;
}

// The deploy screen: the briefing (the mission's details and a large picture of the
// destination, or of the ship) and the deploy phase (the crew grid, the team slots with
// their role platforms, the ready light and the deploy button). It draws the DeployManager's
// state and turns presses, drags and releases into its operations; the cards stand where
// the manager's slots say after every change.
//
// Entry for the run flow: open(mission, ...) when the ship reaches a mission, then update()
// and draw() each frame and feed it the mouse; afterwards deployed() (the roster's deploy
// team and roles are set: start the mission) or leftScreen() (back to the map). Main thread
// only.
class DeployScreen {
public:
    static constexpr double phaseHoldSeconds = 0.25;

    DeployScreen(CharacterManager& crew, std::uint32_t seed);
    ~DeployScreen();
    DeployScreen(const DeployScreen&) = delete;
    DeployScreen& operator=(const DeployScreen&) = delete;

    // `bigImage` is a texture name, or "null" for the ship picture.
    void open(Mission& mission, bool useShipImage, bool skipCrewCredit, const std::string& bigImage);
    void update(double now);
    void draw(sf::RenderTarget& target);
    // Logical coordinates.
    void mousePressed(float x, float y, double now);
    void mouseReleased(float x, float y, double now);
    void mouseMoved(float x, float y);

    bool deployed() const { return manager_.deployed(); }
    bool leftScreen() const { return manager_.leftScreen(); }
    bool skipCrewCredit() const { return manager_.skipCrewCredit(); }
    DeployManager& manager() { return manager_; }
    // The briefing's lines, "Label: value" in the mission's order.
    const std::string& briefingText() const { return briefing_; }

private:
    void placeCards();
    void refreshLook();
    void drawSlotNames(sf::RenderTarget& target);
    std::string slotPlatform(const DeployManager::Slot& slot, bool lit) const;
    void logBriefing();
    bool deployPhase() const { return manager_.phase() == DeployManager::Phase::Deploying; }

    CharacterManager& crew_;
    DeployManager manager_;
    Mission* mission_ = nullptr;
    std::string briefing_;

    sf::Sprite briefingBackground_, briefingPanel_, briefingSmallPanel_, mapBase_, bigPicture_;
    sf::Sprite deployBackground_, crewPanel_, teamPanel_, stripes_, infoPanel_, experiencePanel_, selectedPlatform_;
    sf::Sprite smallPanelA_, smallPanelB_, smallPanelC_, deployPanel_, readyLight_, topBorder_;
    std::vector<sf::Sprite> slotPlatforms_;
    bool showMapBase_ = false;
    int titleText_ = -1;
    int briefingText_ = -1;
    int notEnoughText_ = -1;
    int countText_ = -1;
    Button leaveButton_, detailsButton_, crewDeployButton_, deployButton_;
    Tooltip leaderTip_, medicTip_, engineerTip_;
    sf::Vector2f pointer_;
    sf::Vector2f grabOffset_;
    bool briefingLogged_ = false;
    // When a pressed phase button takes effect.
    std::optional<double> phaseSwitchAt_;
};
