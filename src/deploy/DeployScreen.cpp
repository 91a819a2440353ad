#include "deploy/DeployScreen.hpp"

#include "core/Logger.hpp"
#include "core/TextFunctions.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/Mission.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

void place(sf::Sprite& sprite, const std::string& texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void setUp(Button& button, const std::string& sheet, float x, float y)
{
    TextureManager& textures = TextureManager::get();
    button.setTexture(textures.getTexture(sheet + "_Up"));
    button.setHighlightTexture(textures.getTexture(sheet + "_HI"));
    button.setPosition(x, y);
}

void look(Button& button, const std::string& frame, bool enabled)
{
    button.setTexture(TextureManager::get().getTexture(frame));
    button.enabled = enabled;
    button.setColor(enabled ? sf::Color::White : sf::Color(128, 128, 128));
}

const sf::Vector2f gridOrigin(40.f, 70.f);
const char* const platformRoot = "general/character_related/character_baseplatform_";
const char* const deploySheet = "deploymanager/button_deploy.png";

} // namespace

DeployScreen::DeployScreen(CharacterManager& crew, std::uint32_t seed)
    : crew_(crew)
    , manager_(seed)
{
    manager_.setCrew(&crew);
    place(briefingPanel_, "briefing/missiondetails_panel_mainscreen.png", 37.f, 18.f);
    place(briefingBackground_, "briefing/missiondetails_bg.png", 0.f, 0.f);
    place(deployBackground_, "deploymanager/deploymanager_bg.png", 0.f, 0.f);
    place(briefingSmallPanel_, "briefing/missiondetails_panel_smallscreen.png", 317.f, 250.f);
    place(crewPanel_, "general/crewteam_panel.png", 12.f, 25.f);
    place(teamPanel_, "deploymanager/deploymanager_panel_team.png", 462.f, 50.f);
    place(stripes_, "deploymanager/stripes_blue.png", 260.f, 75.f);
    place(infoPanel_, "general/character_infoscreen.png", 296.f, 92.f);
    place(experiencePanel_, "deploymanager/experience_panel_bg.png", 296.f, 258.f);
    place(selectedPlatform_, "general/character_related/character_baseplatform_normal_offline.png", 337.f, 62.f);
    place(smallPanelA_, "general/small_panel_2.png", 461.f, 274.f);
    place(smallPanelB_, "general/small_panel_2.png", 45.f, 281.f);
    place(smallPanelC_, "general/small_panel.png", 150.f, 285.f);
    place(deployPanel_, "deploymanager/deploymanager_panel_deploy.png", 433.f, 302.f);
    place(readyLight_, "deploymanager/deploymanager_ready_text.png_NotReady", 448.f, 327.f);
    place(topBorder_, "general/topborder_screen.png", 279.f, 0.f);
    place(mapBase_, "mapscreen/mapscreen_base.png", 322.f, 255.f);

    TextManager& texts = TextManager::get();
    titleText_ = texts.addText(305, 0, "BRIEFING");
    notEnoughText_ = texts.addText(312, 230, "You do not have enough crew for this mission");
    countText_ = texts.addText(560, 53, "0/0");
    texts.getText(countText_).setFillColor(sf::Color(24, 154, 214));
    briefingText_ = texts.addText(50, 34, "");

    setUp(leaveButton_, "general/button_leave.png", 65.f, 292.f);
    setUp(detailsButton_, "deploymanager/button_missiondetails.png", 159.f, 295.f);
    setUp(crewDeployButton_, "briefing/button_crew_deploy.png", 483.f, 285.f);
    setUp(deployButton_, deploySheet, 505.f, 310.f);

    leaderTip_.setText("Leaders respond to diplomatic situations and the crew's social wellbeing.\nWill randomly fill if empty.");
    engineerTip_.setText("Engineers respond to technological issues and the crew's mental wellbeing.\nWill randomly fill if empty.");
    medicTip_.setText("Medics respond to medical emergencies and the crew's physical wellbeing.\nWill randomly fill if empty.");
    for (Tooltip* tip : { &leaderTip_, &medicTip_, &engineerTip_ }) {
        tip->setBoxColor(sf::Color(128, 128, 128));
        tip->margin = 5.f;
    }
    QV_LOG << "Starting Crew Last In, First Out Revival Process." << std::endl;
}

DeployScreen::~DeployScreen()
{
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    for (int id : { titleText_, notEnoughText_, countText_, briefingText_ })
        texts.removeText(id);
}

void DeployScreen::open(Mission& mission, bool useShipImage, bool skipCrewCredit, const std::string& bigImage)
{
    mission_ = &mission;
    briefingLogged_ = false;
    phaseSwitchAt_.reset();
    crew_.clearCharacterInfo();
    crew_.clearSelection();
    manager_.openForMission(&mission, useShipImage, skipCrewCredit);
    // Four to a row fills the crew panel (12, 25, 240 wide) with up to sixteen cards.
    crew_.layoutGrid(gridOrigin.x, gridOrigin.y, 4, 0, true);

    // The large picture: the destination's, or the ship's when there is none.
    const sf::Texture* picture = nullptr;
    if (bigImage != "null" && !bigImage.empty()) {
        const sf::Texture& texture = TextureManager::get().getTexture(bigImage);
        if (texture.getSize().x > 0)
            picture = &texture;
    }
    showMapBase_ = picture != nullptr && !useShipImage;
    if (!showMapBase_) {
        QV_LOG << "Using ship as deploy screen big texture." << std::endl;
        place(bigPicture_, "mapscreen/spaceship_big.png", 322.f, 255.f);
        bigPicture_.setOrigin(0.f, 0.f);
    } else {
        bigPicture_.setTexture(*picture, true);
        bigPicture_.setPosition(322.f, 255.f);
        const std::string file = mission.getItem("Image file");
        sf::Vector2f origin(0.f, -2.f);
        if (file == "barren_moon.png")
            origin = { 6.f, -2.f };
        else if (file == "spacestation.png")
            origin = { 8.f, -2.f };
        else if (file == "spacestation_2.png")
            origin = { 0.f, -10.f };
        bigPicture_.setOrigin(origin);
    }

    // The briefing: the mission's display items in their order.
    briefing_.clear();
    for (const std::string& key : mission.getDisplayKeys())
        briefing_ += key + ": " + mission.getItem(key) + "\n";
    TextManager& texts = TextManager::get();
    texts.getText(briefingText_).setString(Utf8::toLabel(wrapText(briefing_, 250)));
    placeCards();
    refreshLook();
}

// Cards stand where the slots say: on a slot's snap point, or at home in the grid.
void DeployScreen::placeCards()
{
    {
        auto guard = crew_.lock();
        auto& aboard = crew_.getCrewOnShip();
        const auto& slots = manager_.slots();
        for (std::size_t i = 0; i < aboard.size(); ++i) {
            CharacterCard& card = aboard[i].card;
            const auto crew = static_cast<std::int32_t>(i);
            if (crew == manager_.dragged())
                continue;
            const std::int32_t slot = manager_.slotOf(crew);
            const sf::Vector2f at = slot >= 0 ? slots[static_cast<std::size_t>(slot)].snap : card.homePosition;
            card.inSlot = slot >= 0;
            card.setPosition(at.x, at.y);
            card.placeParts(at);
            // On a slot the card stands on the slot's own (role) platform, lit.
            card.setPlatformTexture(slot >= 0 ? slotPlatform(slots[static_cast<std::size_t>(slot)], true)
                                              : CharacterCard::onlinePlatform);
        }
    }
    crew_.rebuildRows();
}

std::string DeployScreen::slotPlatform(const DeployManager::Slot& slot, bool lit) const
{
    const bool deployMission = mission_ && mission_->isDeployMission();
    const char* kind = slot.isLeader ? "leader" : slot.isMedic ? "medic" : slot.isEngineer ? "engineer"
                                              : deployMission ? "crew" : "normal";
    return std::string(platformRoot) + kind + (lit ? "_online.png" : "_offline.png");
}

void DeployScreen::refreshLook()
{
    TextManager& texts = TextManager::get();
    const bool deploying = deployPhase();
    texts.getText(titleText_).setString(deploying ? "DEPLOY PHASE" : "BRIEFING");
    texts.setTextPosition(titleText_, deploying ? 294 : 305, 0);
    texts.getText(countText_)
        .setString(std::to_string(manager_.teamCount()) + "/" + std::to_string(mission_ ? mission_->maxCrew : 0));

    slotPlatforms_.resize(manager_.slots().size());
    for (std::size_t k = 0; k < manager_.slots().size(); ++k) {
        const DeployManager::Slot& slot = manager_.slots()[k];
        place(slotPlatforms_[k], slotPlatform(slot, slot.occupant >= 0), slot.platform.x, slot.platform.y);
        slotPlatforms_[k].setOrigin(6.f, 6.f);
    }

    const bool ready = manager_.ready();
    readyLight_.setTexture(TextureManager::get().getTexture(std::string("deploymanager/deploymanager_ready_text.png_")
                                                            + (ready ? "Ready" : "NotReady")),
                           true);
    if (manager_.deployed())
        look(deployButton_, std::string(deploySheet) + "_Down", false);
    else
        look(deployButton_, std::string(deploySheet) + (ready ? "_Up" : "_Down"), ready);
    const bool leave = manager_.leaveEnabled();
    look(leaveButton_, leave ? "general/button_leave.png_Up" : "general/button_leave.png_Down", leave);
    const bool proceed = mission_ && mission_->noDeploy;
    look(crewDeployButton_, proceed ? "briefing/button_proceed.png_Up" : "briefing/button_crew_deploy.png_Up",
         manager_.enoughCrew() || proceed);
}

void DeployScreen::update(double now)
{
    if (phaseSwitchAt_ && now >= *phaseSwitchAt_) {
        phaseSwitchAt_.reset();
        if (deployPhase())
            manager_.showBriefing();
        else
            manager_.showDeploy();
    }
    refreshLook();
}

void DeployScreen::mousePressed(float x, float y, double now)
{
    pointer_ = { x, y };
    if (!deployPhase())
        return;
    const int crew = crew_.cardAt(x, y);
    if (crew < 0)
        return;
    UiHost::get().playSound("character_interact_3.wav");
    {
        auto guard = crew_.lock();
        Character& member = crew_.getCrewOnShip()[static_cast<std::size_t>(crew)];
        crew_.showCharacterInfo(307.f, 105.f, member, true);
        const sf::Vector2f at = member.card.getPosition();
        grabOffset_ = at - pointer_;
        selectedPlatform_.setPosition(at);
        selectedPlatform_.setOrigin(-4.f, -5.f);
    }
    if (manager_.lift(crew, now)) {
        crew_.setDraggedIndex(crew);
        auto guard = crew_.lock();
        crew_.getCrewOnShip()[static_cast<std::size_t>(crew)].card.inSlot = false;
    }
    placeCards();
}

void DeployScreen::mouseMoved(float x, float y)
{
    pointer_ = { x, y };
    const std::int32_t dragged = manager_.dragged();
    if (dragged >= 0) {
        auto guard = crew_.lock();
        CharacterCard& card = crew_.getCrewOnShip()[static_cast<std::size_t>(dragged)].card;
        const sf::Vector2f at = pointer_ + grabOffset_;
        card.setPosition(at.x, at.y);
        card.placeParts(at);
    }
    for (Button* button : { &leaveButton_, &detailsButton_, &crewDeployButton_, &deployButton_ })
        button->setFocus(button->contains(x, y));
    const auto& slots = manager_.slots();
    const auto over = [&](std::size_t k) {
        if (!deployPhase() || k >= slots.size())
            return false;
        const sf::Vector2f p = slots[k].platform;
        return x >= p.x - 6.f && x <= p.x + 50.f && y >= p.y - 40.f && y <= p.y + 20.f;
    };
    leaderTip_.follow(over(0) ? x : -1.f, y);
    medicTip_.follow(over(1) ? x : -1.f, y);
    engineerTip_.follow(over(2) ? x : -1.f, y);
}

void DeployScreen::mouseReleased(float x, float y, double now)
{
    pointer_ = { x, y };
    const std::int32_t dragged = manager_.dragged();
    if (dragged >= 0) {
        UiHost::get().playSound("character_interact_1.wav");
        sf::Vector2f at;
        {
            auto guard = crew_.lock();
            at = crew_.getCrewOnShip()[static_cast<std::size_t>(dragged)].card.getPosition();
        }
        manager_.drop(at);
        crew_.setDraggedIndex(-1);
        placeCards();
        refreshLook();
        return;
    }
    if (leaveButton_.contains(x, y) && manager_.leave()) {
        UiHost::get().playSound("deploy_leave_1.wav");
    } else if (deployPhase() && !(mission_ && mission_->noDeploy) && detailsButton_.contains(x, y)) {
        // The pressed button stays on screen a moment before the phase changes.
        UiHost::get().playSound("button_click.wav");
        phaseSwitchAt_ = now + phaseHoldSeconds;
    } else if (!deployPhase() && crewDeployButton_.contains(x, y)) {
        UiHost::get().playSound("button_click.wav");
        if (mission_ && mission_->noDeploy)
            manager_.showDeploy();
        else
            phaseSwitchAt_ = now + phaseHoldSeconds;
    } else if (deployPhase() && deployButton_.contains(x, y) && manager_.deploy()) {
        UiHost::get().playSound("deploy_leave_2.wav");
    }
    if (manager_.deployed())
        logBriefing();
    refreshLook();
}

// With "MissionPrint" on, the log carries the mission's briefing between two rules.
void DeployScreen::logBriefing()
{
    if (briefingLogged_ || !mission_ || !Options::exists() || !Options::get().missionPrint)
        return;
    briefingLogged_ = true;
    const std::string rule(98, '-');
    QV_LOG << rule << "\n" << mission_->getItem("Name") << "\n" << briefing_ << rule << std::endl;
}

void DeployScreen::draw(sf::RenderTarget& target)
{
    TextManager& texts = TextManager::get();
    if (!deployPhase()) {
        target.draw(briefingBackground_);
        target.draw(briefingPanel_);
        target.draw(briefingSmallPanel_);
        if (showMapBase_)
            target.draw(mapBase_);
        target.draw(bigPicture_);
        target.draw(topBorder_);
        std::vector<int> labels { titleText_, briefingText_ };
        if (!manager_.enoughCrew())
            labels.push_back(notEnoughText_);
        texts.drawTexts(labels, target);
        target.draw(smallPanelB_);
        target.draw(smallPanelA_);
        leaveButton_.draw(target);
        if (manager_.enoughCrew() || (mission_ && mission_->noDeploy))
            crewDeployButton_.draw(target);
        return;
    }
    target.draw(deployBackground_);
    target.draw(crewPanel_);
    target.draw(teamPanel_);
    target.draw(stripes_);
    target.draw(infoPanel_);
    target.draw(experiencePanel_);
    for (const sf::Sprite& platform : slotPlatforms_)
        target.draw(platform);
    target.draw(smallPanelA_);
    target.draw(smallPanelB_);
    target.draw(smallPanelC_);
    target.draw(deployPanel_);
    target.draw(readyLight_);
    if (crew_.getSelectedCharacter())
        crew_.drawCharacterInfo(target);
    crew_.drawCards(target, 0);
    drawSlotNames(target);
    target.draw(topBorder_);
    texts.drawTexts({ titleText_, countText_ }, target);
    leaveButton_.draw(target);
    detailsButton_.draw(target);
    deployButton_.draw(target);
    leaderTip_.draw(target);
    medicTip_.draw(target);
    engineerTip_.draw(target);
}

// The names of the cards standing on slots, on the slots' name tags.
void DeployScreen::drawSlotNames(sf::RenderTarget& target)
{
    std::vector<int> names;
    {
        auto guard = crew_.lock();
        for (const Character& member : crew_.getCrewOnShip())
            if (member.card.inSlot && member.card.nameTextId() >= 0)
                names.push_back(member.card.nameTextId());
    }
    TextManager::get().drawTexts(names, target);
}
