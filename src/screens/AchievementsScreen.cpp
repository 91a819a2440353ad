#include "screens/AchievementsScreen.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/StateManager.hpp"
#include "core/TextFunctions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cmath>

namespace {

const sf::Color grey(128, 128, 128, 255);
const sf::Color green(0, 255, 0);
const char* const pictures = "achievements_screen/achievement_images/";
const char* const emptySlot = "achievements_screen/empty_achievement.png";
const char* const arrowLeft = "crewselection_screen/button_arrow_left.png";
const char* const arrowRight = "crewselection_screen/button_arrow_right.png";
const char* const clickSound = "button_click.wav";

sf::Texture& texture(const std::string& name)
{
    return TextureManager::get().getTexture(name);
}

void place(sf::Sprite& sprite, const std::string& name, float x, float y)
{
    sprite.setTexture(texture(name), true);
    sprite.setPosition(x, y);
}

void placeButton(Button& button, const std::string& frame, float x, float y)
{
    button.setTexture(texture(frame));
    button.setPosition(x, y);
}

void setEnabled(Button& button, bool on)
{
    button.enabled = on;
    button.setColor(on ? sf::Color::White : grey);
}

} // namespace

AchievementsScreen::AchievementsScreen(AchievementManager& manager)
    : manager_(manager)
{
    place(background_, "title_screen/quorvane_title_screen2.png", 0.f, 0.f);
    place(challengesPanel_, "achievements_screen/achievements_panel_challenges.png", 19.f, 11.f);
    place(recentPanel_, "achievements_screen/recent_panel.png", 200.f, 268.f);
    place(unlockedPanel_, "achievements_screen/unlocked_panel.png", 543.f, 337.f);
    place(arrowPanel_, "crew_screen/memento_panel_botton.png", 456.f, 249.f);
    place(leavePanel_, "general/small_panel.png", 15.f, 304.f);
    placeButton(nextArrow_, std::string(arrowRight) + "_UP", 566.f, 252.f);
    nextArrow_.setHighlightTexture(texture(std::string(arrowRight) + "_HI"));
    placeButton(previousArrow_, std::string(arrowLeft) + "_DOWN", 466.f, 252.f);
    previousArrow_.setHighlightTexture(texture(std::string(arrowLeft) + "_HI"));
    setEnabled(previousArrow_, false);
    placeButton(recentSlot_, emptySlot, 214.f, 290.f);
    placeButton(upcomingSlot_, emptySlot, 282.f, 290.f);
    placeButton(leaveButton_, "general/button_leave.png_Up", 24.f, 312.f);
    leaveButton_.setHighlightTexture(texture("general/button_leave.png_HI"));

    TextManager& texts = TextManager::get();
    unlockedTextId_ = texts.addText(558, 346, "Unlocked: 0/0");
    const int labelY = static_cast<int>(285.f - UiHost::get().defaultTextSize());
    recentLabelId_ = texts.addText(246, labelY, "Most recent");
    upcomingLabelId_ = texts.addText(314, labelY, "Upcoming");
    for (int id : { unlockedTextId_, recentLabelId_, upcomingLabelId_ })
        texts.getText(id).setFillColor(green);
    slotTip_.setBoxColor(sf::Color(128, 128, 128));
    slotTip_.offsetY = 5.f;
    slotTip_.margin = 5.f;
    buildEntries();
}

AchievementsScreen::~AchievementsScreen()
{
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    for (int id : { unlockedTextId_, recentLabelId_, upcomingLabelId_ })
        texts.removeText(id);
    for (const Entry& entry : entries_) {
        texts.removeText(entry.flavourText);
        texts.removeText(entry.descriptionText);
    }
}

// One display entry per catalogue entry, again when the catalogue has changed size.
void AchievementsScreen::buildEntries()
{
    TextManager& texts = TextManager::get();
    for (const Entry& entry : entries_) {
        texts.removeText(entry.flavourText);
        texts.removeText(entry.descriptionText);
    }
    entries_.clear();
    const std::vector<Achievement>& catalogue = manager_.getCatalogue();
    entries_.resize(catalogue.size());
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        Entry& entry = entries_[i];
        entry.flavourText = texts.addText(0, 0, "");
        entry.descriptionText = texts.addText(0, 0, "");
        // Long texts take a second line above the bar instead of running into the next column.
        texts.getText(entry.flavourText)
            .setString(Utf8::toLabel(wrapText("\"" + catalogue[i].getFlavour() + "\"", 240, -1, false)));
        texts.getText(entry.descriptionText)
            .setString(Utf8::toLabel(wrapText(catalogue[i].getDescription(), 240, -1, false)));
        entry.barBack.setFillColor(sf::Color(15, 15, 15, 255));
        entry.barFill.setFillColor(green);
        showLook(i);
    }
}

void AchievementsScreen::showLook(std::size_t index)
{
    const Achievement& achievement = manager_.getCatalogue()[index];
    Entry& entry = entries_[index];
    entry.unlocked = achievement.isUnlocked();
    const std::string id = achievement.getId();
    entry.picture.setTexture(texture(pictures + id + (entry.unlocked ? ".png" : "_inactive.png")), true);
    TextManager& texts = TextManager::get();
    texts.getText(entry.flavourText).setFillColor(entry.unlocked ? sf::Color::White : grey);
    texts.getText(entry.descriptionText).setFillColor(entry.unlocked ? green : grey);
    layoutBar(index);
}

void AchievementsScreen::layoutBar(std::size_t index)
{
    const Achievement& achievement = manager_.getCatalogue()[index];
    Entry& entry = entries_[index];
    const std::int32_t threshold = achievement.getThreshold();
    if (threshold <= 0)
        return;
    entry.barBack.setPosition(entry.x + barDx, entry.y + barDy);
    entry.barBack.setSize(sf::Vector2f(barLength, 1.f));
    const std::int32_t progress = std::min(achievement.getProgress(), threshold);
    entry.barFill.setPosition(entry.x + barDx, entry.y + barDy);
    const float length = progress > 0 ? static_cast<float>(static_cast<int>(
                                            static_cast<double>(progress) / threshold * barLength))
                                      : 0.f;
    entry.barFill.setSize(sf::Vector2f(length, 1.f));
}

bool AchievementsScreen::onPage(std::size_t index) const
{
    return index >= page_ && index < page_ + static_cast<unsigned>(perPage);
}

void AchievementsScreen::reset()
{
    if (entries_.size() != manager_.getCatalogue().size())
        buildEntries();
    const std::size_t size = entries_.size();
    if (page_ >= size)
        page_ = size == 0 ? 0 : static_cast<unsigned>((size - 1) - (size - 1) % perPage);
    leaveButton_.setTexture(texture("general/button_leave.png_Up"));
    const bool back = page_ != 0;
    previousArrow_.setTexture(texture(std::string(arrowLeft) + (back ? "_UP" : "_DOWN")));
    setEnabled(previousArrow_, back);
    const bool more = page_ + perPage < size;
    nextArrow_.setTexture(texture(std::string(arrowRight) + (more ? "_UP" : "_DOWN")));
    setEnabled(nextArrow_, more);

    // Two columns of three.
    TextManager& texts = TextManager::get();
    float x = 37.f, y = 33.f;
    for (std::size_t i = page_; i < size && i < page_ + perPage; ++i) {
        Entry& entry = entries_[i];
        entry.x = x;
        entry.y = y;
        entry.picture.setPosition(x, y);
        // A quotation of two lines starts a line higher, clear of the description.
        const bool twoLines = texts.getText(entry.flavourText).getString().find('\n') != sf::String::InvalidPos;
        const float flavourY = twoLines ? y + 16.f - std::floor(UiHost::get().defaultTextSize() + 1.5f) : y + 16.f;
        texts.setTextPosition(entry.flavourText, static_cast<int>(x + 48.f), static_cast<int>(flavourY));
        texts.setTextPosition(entry.descriptionText, static_cast<int>(x + 48.f), static_cast<int>(y + 28.f));
        layoutBar(i);
        if (i % 3 == 2) {
            x += 290.f;
            y = 33.f;
        } else {
            y += 69.f;
        }
    }
    for (const auto& [id, centre] : { std::pair{ recentLabelId_, 246.f }, std::pair{ upcomingLabelId_, 314.f } }) {
        const float width = texts.getText(id).getGlobalBounds().width / texts.getScale();
        texts.setTextPosition(id, static_cast<int>(centre - width / 2.f),
                              static_cast<int>(285.f - UiHost::get().defaultTextSize()));
    }
    update();
}

void AchievementsScreen::update()
{
    if (entries_.size() != manager_.getCatalogue().size()) {
        reset();
        return;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i)
        showLook(i);
    refreshSummary();
}

void AchievementsScreen::refreshSummary()
{
    const std::vector<Achievement>& catalogue = manager_.getCatalogue();
    const int size = static_cast<int>(catalogue.size());
    int unlocked = 0;
    for (const Achievement& achievement : catalogue)
        unlocked += achievement.isUnlocked() ? 1 : 0;
    TextManager::get().getText(unlockedTextId_).setString(
        "Unlocked: " + std::to_string(unlocked) + " / " + std::to_string(size));

    // The next deed: the counted one nearest its goal, else the first still locked. With
    // every deed unlocked there is none, and the slot stays empty.
    upcomingIndex_ = -1;
    int best = -1;
    for (int i = 0; i < size; ++i) {
        const Achievement& achievement = catalogue[static_cast<std::size_t>(i)];
        if (achievement.isUnlocked() || achievement.getThreshold() <= 0)
            continue;
        const long long share = static_cast<long long>(achievement.getProgress()) * 100 / achievement.getThreshold();
        if (share > best) {
            best = static_cast<int>(share);
            upcomingIndex_ = i;
        }
    }
    for (int i = 0; upcomingIndex_ < 0 && i < size; ++i)
        if (!catalogue[static_cast<std::size_t>(i)].isUnlocked())
            upcomingIndex_ = i;
    upcomingShown_ = upcomingIndex_ >= 0;
    if (upcomingShown_)
        upcomingSlot_.setTexture(
            texture(pictures + catalogue[static_cast<std::size_t>(upcomingIndex_)].getId() + "_inactive.png"));
    upcomingSlot_.enabled = upcomingShown_;

    recentIndex_ = -1;
    const std::vector<std::string>& ids = manager_.unlockedList();
    if (!ids.empty())
        for (int i = 0; i < size; ++i)
            if (catalogue[static_cast<std::size_t>(i)].getId() == ids.back())
                recentIndex_ = i;
    if (recentIndex_ >= 0)
        recentSlot_.setTexture(texture(pictures + catalogue[static_cast<std::size_t>(recentIndex_)].getId() + ".png"));
    else
        recentSlot_.setTexture(texture(emptySlot));
    recentSlot_.enabled = recentIndex_ >= 0;
}

std::string AchievementsScreen::unlockedText() const
{
    return Utf8::fromLabel(TextManager::get().getText(unlockedTextId_).getString());
}

void AchievementsScreen::handleEvent(const sf::Event& event, sf::Vector2f pointer)
{
    switch (event.type) {
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button == sf::Mouse::Left) {
            leftDown_ = true;
            act(pointer.x, pointer.y);
        }
        break;
    case sf::Event::MouseButtonReleased:
        if (event.mouseButton.button == sf::Mouse::Left)
            leftDown_ = false;
        break;
    case sf::Event::LostFocus:
        leftDown_ = false;
        break;
    case sf::Event::MouseMoved:
        for (Button* button : { &nextArrow_, &previousArrow_, &leaveButton_ })
            button->setFocus(button->contains(pointer.x, pointer.y));
        hover(pointer.x, pointer.y);
        // Holding the button down and moving repeats the action under the pointer.
        if (leftDown_)
            act(pointer.x, pointer.y);
        break;
    default:
        break;
    }
}

void AchievementsScreen::hover(float x, float y)
{
    int index = -1;
    if (upcomingSlot_.contains(x, y))
        index = upcomingIndex_;
    else if (recentSlot_.contains(x, y))
        index = recentIndex_;
    const std::vector<Achievement>& catalogue = manager_.getCatalogue();
    if (index < 0 || static_cast<std::size_t>(index) >= catalogue.size()) {
        slotTip_.follow(-1.f, -1.f);
        return;
    }
    slotTip_.setText(catalogue[static_cast<std::size_t>(index)].getDescription());
    slotTip_.follow(x, y);
}

void AchievementsScreen::turnTo(unsigned page)
{
    page_ = page;
    reset();
}

void AchievementsScreen::act(float x, float y)
{
    UiHost& host = UiHost::get();
    const std::size_t size = entries_.size();
    if (nextArrow_.contains(x, y)) {
        host.playSound(clickSound);
        nextArrow_.setTexture(texture(std::string(arrowRight) + "_DOWN"));
        if (page_ + perPage < size)
            turnTo(page_ + perPage);
        if (nextArrow_.enabled)
            arrowRestores_.add([this] { nextArrow_.setTexture(texture(std::string(arrowRight) + "_UP")); },
                               sf::milliseconds(500));
    } else if (previousArrow_.contains(x, y)) {
        host.playSound(clickSound);
        previousArrow_.setTexture(texture(std::string(arrowLeft) + "_DOWN"));
        turnTo(page_ < static_cast<unsigned>(perPage) ? 0 : page_ - perPage);
        if (previousArrow_.enabled)
            arrowRestores_.add([this] { previousArrow_.setTexture(texture(std::string(arrowLeft) + "_UP")); },
                               sf::milliseconds(500));
    } else if (upcomingSlot_.contains(x, y) || recentSlot_.contains(x, y)) {
        host.playSound(clickSound);
        const int index = upcomingSlot_.contains(x, y) ? upcomingIndex_ : recentIndex_;
        // The page that holds the entry.
        if (index >= 0 && static_cast<std::size_t>(index) < size)
            turnTo(static_cast<unsigned>(index - index % perPage));
    } else if (leaveButton_.contains(x, y)) {
        leave();
    }
}

void AchievementsScreen::leave()
{
    leftDown_ = false;
    UiHost::get().playSound("deploy_leave_1.wav");
    leaveButton_.setTexture(texture("general/button_leave.png_Down"));
    StateManager::get().changeState(returnState, returnState == GameState::Title, true);
}

void AchievementsScreen::draw(sf::RenderTarget& target)
{
    for (const sf::Sprite* sprite : { &background_, &arrowPanel_ })
        target.draw(*sprite);
    nextArrow_.draw(target);
    previousArrow_.draw(target);
    for (const sf::Sprite* sprite : { &challengesPanel_, &recentPanel_, &unlockedPanel_, &leavePanel_ })
        target.draw(*sprite);
    recentSlot_.draw(target);
    if (upcomingShown_)
        upcomingSlot_.draw(target);
    leaveButton_.draw(target);
    const std::vector<Achievement>& catalogue = manager_.getCatalogue();
    std::vector<int> ids = { unlockedTextId_, recentLabelId_, upcomingLabelId_ };
    for (std::size_t i = page_; i < entries_.size() && i < page_ + perPage; ++i) {
        const Entry& entry = entries_[i];
        target.draw(entry.picture);
        if (i < catalogue.size() && catalogue[i].getThreshold() > 0) {
            target.draw(entry.barBack);
            if (entry.barFill.getSize().x > 0.f)
                target.draw(entry.barFill);
        }
        ids.push_back(entry.flavourText);
        ids.push_back(entry.descriptionText);
    }
    TextManager::get().drawTexts(ids, target);
    slotTip_.draw(target);
}
