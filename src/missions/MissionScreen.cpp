#include "missions/MissionScreen.hpp"

#include "core/Logger.hpp"
#include "core/TextFunctions.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"
#include "world/Ship.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void place(sf::Sprite& sprite, const std::string& texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void frame(Button& button, const std::string& sheet, const char* suffix)
{
    button.setTexture(TextureManager::get().getTexture(sheet + suffix));
}

void setUp(Button& button, const std::string& sheet, float x, float y)
{
    TextureManager& textures = TextureManager::get();
    button.setTexture(textures.getTexture(sheet + "_Up"));
    button.setHighlightTexture(textures.getTexture(sheet + "_HI"));
    button.setPosition(x, y);
}

void playSound(const char* name)
{
    UiHost::get().playSound(name);
}

const char* const leaveSheet = "general/button_leave.png";
const char* const playSheet = "ingamescreen/button_play.png";
const char* const pauseSheet = "ingamescreen/button_pause.png";
const char* const fastForwardSheet = "ingamescreen/button_fastforward.png";

// The index picked by a digit key (1..9 the first to ninth choice, 0 the tenth), or -1.
int digitPick(sf::Keyboard::Key key)
{
    if (key >= sf::Keyboard::Num1 && key <= sf::Keyboard::Num9)
        return key - sf::Keyboard::Num1;
    if (key >= sf::Keyboard::Numpad1 && key <= sf::Keyboard::Numpad9)
        return key - sf::Keyboard::Numpad1;
    if (key == sf::Keyboard::Num0 || key == sf::Keyboard::Numpad0)
        return 9;
    return -1;
}

} // namespace

MissionScreen::TextSettings MissionScreen::settingsFromOptions()
{
    TextSettings settings;
    if (!Options::exists())
        return settings;
    const Options& options = Options::get();
    settings.fastForward = options.fastForwardText;
    settings.paused = options.pauseText;
    settings.wordsPerSecond = static_cast<std::int32_t>(options.wordsPerSecond);
    settings.textMode = options.textMode;
    settings.missionPrint = options.missionPrint;
    return settings;
}

MissionScreen::MissionScreen(MissionManager& missions)
    : missions_(missions)
{
    place(mainPanel_, "ingamescreen/ingamescreen_panel_mainscreen.png", 3.f, 0.f);
    place(textBackground_, "mission_bg_dark", 8.f, 7.f);
    place(characterPanel_, "ingamescreen/ingamescreen_panel_character.png", 506.f, 2.f);
    place(controlsPanel_, "ingamescreen/ingamescreen_panel_controls.png", 506.f, 280.f);
    place(locationPanel_, "ingamescreen/location_panel.png", 508.f, 251.f);
    place(statusPanel_, "ingamescreen/ingamescreen_panel_smallscreen.png", 508.f, 265.f);
    place(foodIcon_, "ingamescreen/food_icon_small.png", 508.f, 265.f);
    place(fuelIcon_, "ingamescreen/fuel_icon_small.png", 623.f, 265.f);
    TextManager& texts = TextManager::get();
    locationText_ = texts.addText(510, 252, "");
    texts.getText(locationText_).setFillColor(amberColor);
    foodText_ = texts.addText(520, 266, "");
    fuelText_ = texts.addText(600, 266, "");
    setUpButtons();
    autoplayTip_.setText("Press to autoplay text");
    pauseTip_.setText("\tPress to pause text\nClick screen to forward text");
    fastForwardTip_.setText("Press to fast forward text");
    for (Tooltip* tip : { &autoplayTip_, &pauseTip_, &fastForwardTip_ }) {
        tip->setBoxColor(sf::Color(128, 128, 128));
        tip->margin = 5.f;
    }
}

MissionScreen::~MissionScreen()
{
    if (!TextManager::exists())
        return;
    clearTeamPanel();
    TextManager& texts = TextManager::get();
    texts.removeText(locationText_);
    texts.removeText(foodText_);
    texts.removeText(fuelText_);
}

void MissionScreen::setUpButtons()
{
    setUp(leaveButton_, leaveSheet, 579.f, 327.f);
    setUp(menuButton_, "general/button_menu.png", 521.f, 328.f);
    setUp(playButton_, playSheet, 519.f, 289.f);
    setUp(pauseButton_, pauseSheet, 554.f, 289.f);
    setUp(fastForwardButton_, fastForwardSheet, 591.f, 289.f);
}

void MissionScreen::open(double now)
{
    const TextSettings settings = settingsSource();
    settings_ = settings;
    fastForward_ = settings.fastForward;
    paused_ = settings.paused;
    textMode_ = settings.textMode;
    stepRequested_ = false;
    leaveRequested_ = false;
    leaveAt_.reset();
    revealedCount_ = 0;
    revealStart_ = now;
    scrollBottom_ = 0.f;
    scrollTop_ = 0.f;
    page_.reset();
    messageTops_.clear();
    buttonTops_.clear();
    placedScroll_ = -1.f;
    page_.applyTextMode(textMode_);
    place(textBackground_, textMode_ == 2 ? "mission_bg_light" : "mission_bg_dark", 8.f, 7.f);
    showTimeControls();
    // No button keeps the lit frame of the last mission's pointer: a lit LEAVE would look
    // ready while the script still runs.
    for (Button* button : { &playButton_, &pauseButton_, &fastForwardButton_, &menuButton_, &leaveButton_ })
        button->setFocus(false);
    frame(leaveButton_, leaveSheet, "_Down");
    leaveButton_.setColor(sf::Color(128, 128, 128));
    const Mission* mission = missions_.currentMission();
    location_ = mission && mission->isDeployMission() ? "Location: " + mission->getItem("Name")
                                                       : "Location: On board the Ruri";
    TextManager& texts = TextManager::get();
    texts.getText(locationText_).setString(Utf8::toLabel(location_));
    // Right edge at x = 552.
    const float width = texts.getText(locationText_).getLocalBounds().width / texts.getScale();
    texts.setTextPosition(locationText_, std::max(510, static_cast<int>(552.f - width)), 252);
    buildTeamPanel();
    refreshStatus();
}

void MissionScreen::showTimeControls()
{
    frame(fastForwardButton_, fastForwardSheet, fastForward_ ? "_Down" : "_Up");
    frame(pauseButton_, pauseSheet, paused_ ? "_Down" : "_Up");
    frame(playButton_, playSheet, paused_ ? "_Up" : "_Down");
    pauseButton_.enabled = !paused_;
    playButton_.enabled = paused_;
}

void MissionScreen::clearTeamPanel()
{
    teamCards_.clear();
}

// The team's cards in the character panel, two to a row; the leader, medic and engineer
// stand on their role platforms.
void MissionScreen::buildTeamPanel()
{
    clearTeamPanel();
    if (!CharacterManager::exists())
        return;
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    const std::vector<std::size_t> team = roster.getDeployTeam();
    const bool roles = missions_.currentMission() && missions_.currentMission()->isDeployMission();
    for (std::size_t i = 0; i < team.size() && i < 8; ++i) {
        const auto position = static_cast<std::int32_t>(i);
        CharacterCard& card = roster.getCrewOnShip()[team[i]].card;
        const sf::Vector2f at(534.f + 58.f * static_cast<float>(i % 2), 24.f + 56.f * static_cast<float>(i / 2));
        card.inSlot = false;
        card.setPosition(at.x, at.y);
        card.placeParts(at);
        std::string platform = CharacterCard::onlinePlatform;
        if (roles && roster.getLeaderIndex() == position)
            platform = "general/character_related/character_baseplatform_leader_online.png";
        else if (roles && roster.getMedicIndex() == position)
            platform = "general/character_related/character_baseplatform_medic_online.png";
        else if (roles && roster.getEngineerIndex() == position)
            platform = "general/character_related/character_baseplatform_engineer_online.png";
        card.setPlatformTexture(platform);
        teamCards_.push_back(team[i]);
    }
}

void MissionScreen::drawTeam(sf::RenderTarget& target)
{
    if (!CharacterManager::exists())
        return;
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    auto& aboard = roster.getCrewOnShip();
    for (std::size_t position : teamCards_) {
        if (position >= aboard.size())
            continue;
        Character& member = aboard[position];
        member.prepareCard(TextureManager::get(), member.isDead);
        member.card.draw(target, nullptr, true, false);
    }
}

void MissionScreen::refreshStatus()
{
    TextManager& texts = TextManager::get();
    if (!ship_)
        return;
    texts.getText(foodText_).setString(std::to_string(ship_->getFood()));
    texts.getText(fuelText_).setString(std::to_string(ship_->getFuel()));
    // Right-aligned to x = 539 and x = 620.
    const float scale = texts.getScale();
    texts.setTextPosition(foodText_, static_cast<int>(539.f - texts.getText(foodText_).getLocalBounds().width / scale), 266);
    texts.setTextPosition(fuelText_, static_cast<int>(620.f - texts.getText(fuelText_).getLocalBounds().width / scale), 266);
    place(foodIcon_, foodIconName(), 508.f, 265.f);
    place(fuelIcon_, fuelIconName(), 623.f, 265.f);
}

std::string MissionScreen::foodIconName() const
{
    const bool fed = !ship_ || ship_->getFood() > 0;
    const bool cannibal = missions_.hasQuestItem("cannibal");
    std::string name = fed ? "ingamescreen/food_icon_small" : "ingamescreen/starvation_icon_small";
    return name + (cannibal ? "_cannibal.png" : ".png");
}

std::string MissionScreen::fuelIconName() const
{
    return missions_.hasQuestItem("cannibal_fuel") ? "ingamescreen/fuel_icon_small_cannibal.png"
                                                    : "ingamescreen/fuel_icon_small.png";
}

bool MissionScreen::saveRequested() const
{
    return missions_.saveRequested();
}

bool MissionScreen::leaveActive() const
{
    return missions_.phase() == MissionManager::Phase::Closed;
}

void MissionScreen::update(double now)
{
    // The menu button shows pressed while the pause menu is open, which stops these updates.
    if (menuPressed_) {
        menuPressed_ = false;
        frame(menuButton_, "general/button_menu.png", "_Up");
    }
    settings_ = settingsSource();
    if (settings_.textMode != textMode_) {
        textMode_ = settings_.textMode;
        page_.applyTextMode(textMode_);
        place(textBackground_, textMode_ == 2 ? "mission_bg_light" : "mission_bg_dark", 8.f, 7.f);
    }
    missions_.takeQueued();
    page_.update(missions_);
    placeText();
    revealDue(now);
    if (leaveActive()) {
        frame(leaveButton_, leaveSheet, "_Up");
        leaveButton_.setColor(sf::Color::White);
    }
    if (leaveAt_ && now >= *leaveAt_) {
        leaveAt_.reset();
        leaveRequested_ = true;
    }
    scrollToContent();
    refreshStatus();
}

void MissionScreen::revealDue(double now)
{
    const auto& displayed = missions_.displayedMessages();
    const auto& messages = page_.messages();
    const std::int32_t wordsPerSecond = settings_.wordsPerSecond;
    double delay = 0.1;
    if (revealedCount_ > 0 && !paused_ && !displayed.empty() && revealedCount_ - 1 < messages.size())
        delay = static_cast<double>(messages[revealedCount_ - 1].wordCount / (wordsPerSecond == 0 ? 3 : wordsPerSecond));
    const double elapsed = now - revealStart_;
    const bool timeUp = elapsed > delay;
    const bool quickStep = fastForward_ && elapsed > 0.1;
    if (!(timeUp || quickStep) || (paused_ && !stepRequested_))
        return;

    while (revealedCount_ < displayed.size() && displayed[revealedCount_].revealed)
        ++revealedCount_;
    // Only what the page has laid out can be typed out (a message may wait for a set
    // queued before it).
    if (revealedCount_ < displayed.size() && revealedCount_ < messages.size()) {
        const std::size_t next = revealedCount_;
        if (messages[next].wordCount != 0)
            stepRequested_ = false;
        revealStart_ = now;
        if (settings_.missionPrint)
            QV_LOG << displayed[next].message->plainText << std::endl;
        missions_.revealMessage(next);
        ++revealedCount_;
    }
    const auto& offered = missions_.offeredChoiceSets();
    for (std::size_t set = 0; set < offered.size() && set < page_.choiceSets().size(); ++set) {
        const std::int64_t anchor = offered[set].set->anchor;
        if (!offered[set].shown && anchor < static_cast<std::int64_t>(revealedCount_)
            && missions_.showChoiceSet(set))
            stepRequested_ = false;
    }
}

// The newest text stays in view: once the content reaches the bottom margin, the view follows
// it down (never back up).
void MissionScreen::scrollToContent()
{
    TextManager& texts = TextManager::get();
    float bottom = 0.f;
    const auto& displayed = missions_.displayedMessages();
    const auto& messages = page_.messages();
    for (std::size_t i = 0; i < messages.size() && i < displayed.size(); ++i) {
        if (!displayed[i].revealed)
            continue;
        const std::string& text = displayed[i].message->text;
        if (text.empty() || text == " ")
            continue;
        const float top = i < messageTops_.size() ? messageTops_[i]
                                                  : texts.getRichText(messages[i].richTextId).getPosition().y / texts.getScale();
        bottom = std::max(bottom, top + static_cast<float>(messages[i].height));
    }
    const auto& offered = missions_.offeredChoiceSets();
    auto& sets = page_.choiceSets();
    for (std::size_t s = 0; s < sets.size() && s < offered.size(); ++s) {
        if (!offered[s].shown)
            continue;
        for (std::size_t b = 0; b < sets[s].buttons.size(); ++b) {
            const sf::FloatRect bounds = sets[s].buttons[b].getBounds();
            const float top = s < buttonTops_.size() ? buttonTops_[s][b] : bounds.top;
            bottom = std::max(bottom, top + bounds.height);
        }
    }
    if (bottom > scrollBottom_ && bottom >= 360.f - scrollMargin) {
        scrollBottom_ = bottom;
        scrollTop_ = bottom - 360.f + scrollMargin;
    }
    placeText();
}

// Everything laid out stands at its place on the page less the scroll.
void MissionScreen::placeText()
{
    TextManager& texts = TextManager::get();
    const auto& messages = page_.messages();
    for (std::size_t i = messageTops_.size(); i < messages.size(); ++i)
        messageTops_.push_back(texts.getRichText(messages[i].richTextId).getPosition().y / texts.getScale());
    auto& sets = page_.choiceSets();
    for (std::size_t s = buttonTops_.size(); s < sets.size(); ++s) {
        std::vector<float> tops;
        for (Button& button : sets[s].buttons)
            tops.push_back(button.getBounds().top);
        buttonTops_.push_back(std::move(tops));
    }
    if (placedScroll_ == scrollTop_ && placedMessages_ == messages.size() && placedSets_ == sets.size())
        return;
    for (std::size_t i = 0; i < messages.size(); ++i)
        texts.setRichTextPosition(messages[i].richTextId, MissionTextPage::textLeft,
                                  static_cast<int>(std::lround(messageTops_[i] - scrollTop_)));
    for (std::size_t s = 0; s < sets.size(); ++s)
        for (std::size_t b = 0; b < sets[s].buttons.size(); ++b)
            sets[s].buttons[b].setPosition(static_cast<float>(MissionTextPage::textLeft),
                                           std::round(buttonTops_[s][b] - scrollTop_));
    placedScroll_ = scrollTop_;
    placedMessages_ = messages.size();
    placedSets_ = sets.size();
}

// The text background's area (490 x 346 at (8, 7)).
sf::FloatRect MissionScreen::textArea() const
{
    return sf::FloatRect(8.f, 7.f, 490.f, 346.f);
}

void MissionScreen::draw(sf::RenderTarget& target)
{
    target.draw(textBackground_);
    TextManager& texts = TextManager::get();
    const auto& displayed = missions_.displayedMessages();
    std::vector<int> shownIds;
    for (std::size_t i = 0; i < page_.messages().size() && i < displayed.size(); ++i)
        if (displayed[i].revealed && i < messageTops_.size() && messageTops_[i] - scrollTop_ >= 0.f)
            shownIds.push_back(page_.messages()[i].richTextId);
    texts.drawRichTexts(shownIds, target);
    const auto& offered = missions_.offeredChoiceSets();
    auto& sets = page_.choiceSets();
    for (std::size_t s = 0; s < sets.size() && s < offered.size(); ++s)
        if (offered[s].shown)
            for (Button& button : sets[s].buttons)
                if (button.getBounds().top >= 0.f)
                    button.draw(target);

    target.draw(mainPanel_);
    target.draw(characterPanel_);
    target.draw(controlsPanel_);
    target.draw(locationPanel_);
    target.draw(statusPanel_);
    target.draw(foodIcon_);
    target.draw(fuelIcon_);
    drawTeam(target);
    texts.drawTexts({ locationText_, foodText_, fuelText_ }, target);
    for (Button* button : { &playButton_, &pauseButton_, &fastForwardButton_, &menuButton_, &leaveButton_ })
        button->draw(target);
    autoplayTip_.draw(target);
    pauseTip_.draw(target);
    fastForwardTip_.draw(target);
}

bool MissionScreen::pick(std::size_t set, std::int32_t index)
{
    if (!missions_.answerChoice(set, index))
        return false;
    playSound("button_click.wav");
    if (settings_.missionPrint)
        QV_LOG << "> " << missions_.offeredChoiceSets()[set].set->choices[static_cast<std::size_t>(index)].label
               << std::endl;
    page_.markAnswered(set, index);
    stepRequested_ = true;
    return true;
}

bool MissionScreen::clickChoice(float x, float y)
{
    const auto& offered = missions_.offeredChoiceSets();
    auto& sets = page_.choiceSets();
    for (std::size_t s = 0; s < sets.size() && s < offered.size(); ++s) {
        if (!offered[s].shown || offered[s].answered)
            continue;
        for (std::size_t b = 0; b < sets[s].buttons.size(); ++b)
            if (sets[s].buttons[b].contains(x, y))
                return pick(s, static_cast<std::int32_t>(b));
    }
    return false;
}

void MissionScreen::handleClick(float x, float y, double now)
{
    if (menuButton_.contains(x, y)) {
        playSound("button_click.wav");
        frame(menuButton_, "general/button_menu.png", "_Down");
        menuPressed_ = true;
        // No save while the script still tells its story.
        if (onMenu)
            onMenu(!missions_.getDeployStatus());
        return;
    }
    if (fastForwardButton_.contains(x, y)) {
        playSound("button_click_time_controls.wav");
        fastForward_ = !fastForward_;
        showTimeControls();
        return;
    }
    if (pauseButton_.contains(x, y)) {
        playSound("button_click_time_controls.wav");
        paused_ = true;
        showTimeControls();
        return;
    }
    if (playButton_.contains(x, y)) {
        playSound("button_click_time_controls.wav");
        paused_ = false;
        showTimeControls();
        return;
    }
    if (leaveButton_.contains(x, y)) {
        if (leaveActive() && !leaveAt_ && !leaveRequested_) {
            playSound("deploy_leave_1.wav");
            leaveAt_ = now + leaveHoldSeconds;
        }
        return;
    }
    if (textArea().contains(x, y) && !clickChoice(x, y))
        stepRequested_ = true;
}

void MissionScreen::handleKey(sf::Keyboard::Key key, double now)
{
    if (key == sf::Keyboard::Space) {
        handleClick(10.f, 10.f, now);
        return;
    }
    const int index = digitPick(key);
    if (index < 0)
        return;
    // Only the newest open set takes the digits.
    const auto& offered = missions_.offeredChoiceSets();
    for (std::size_t s = offered.size(); s-- > 0;) {
        if (!offered[s].shown || offered[s].answered)
            continue;
        if (static_cast<std::size_t>(index) < offered[s].set->choices.size())
            pick(s, index);
        return;
    }
}

void MissionScreen::handleMouseMove(float x, float y)
{
    const auto& offered = missions_.offeredChoiceSets();
    auto& sets = page_.choiceSets();
    for (std::size_t s = 0; s < sets.size() && s < offered.size(); ++s) {
        if (offered[s].answered)
            continue;
        bool lit = false;
        for (Button& button : sets[s].buttons) {
            sf::Text& label = TextManager::get().getText(button.getLabelId());
            if (!button.enabled) {
                label.setFillColor(MissionTextPage::halved(MissionTextPage::choiceColor(textMode_)));
            } else if (!lit && button.contains(x, y)) {
                lit = true;
                label.setFillColor(MissionTextPage::pickedChoiceColor(textMode_));
            } else {
                label.setFillColor(MissionTextPage::choiceColor(textMode_));
            }
        }
    }
    for (Button* button : { &playButton_, &pauseButton_, &fastForwardButton_, &menuButton_, &leaveButton_ })
        button->setFocus(button->contains(x, y));
    autoplayTip_.follow(playButton_.contains(x, y) ? x : -1.f, y);
    pauseTip_.follow(pauseButton_.contains(x, y) ? x : -1.f, y);
    fastForwardTip_.follow(fastForwardButton_.contains(x, y) ? x : -1.f, y);
}
