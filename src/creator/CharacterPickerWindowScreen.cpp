#include "creator/CharacterPickerWindowScreen.hpp"

#include "creator/CrewCreator.hpp"
#include "crew/CharacterManager.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <deque>
#include <optional>

namespace {

const sf::Color grey(128, 128, 128);
const char* const arrowLeft = "crewselection_screen/button_arrow_left.png";
const char* const arrowRight = "crewselection_screen/button_arrow_right.png";

sf::Texture& texture(const std::string& name)
{
    return TextureManager::get().getTexture(name);
}

void placeButton(Button& button, const std::string& frame, float x, float y)
{
    button.setTexture(texture(frame));
    button.setPosition(x, y);
}

void place(sf::Sprite& sprite, const std::string& name, float x, float y)
{
    sprite.setTexture(texture(name), true);
    sprite.setPosition(x, y);
}

} // namespace

CharacterPickerWindowScreen::CharacterPickerWindowScreen(CrewCreator& creator)
    : creator_(creator)
{
    blackout.setTexture(texture("crewselection_screen/crew_bg.png"), true);
    refill();

    placeButton(copyButton_, "crew_creator/button_copy.png_UP", 435.f, 214.f);
    placeButton(editButton_, "crew_creator/button_edit.png_UP", 435.f, 183.f);
    placeButton(newButton_, "crew_creator/button_new.png_UP", 435.f, 152.f);
    placeButton(deleteButton_, "crew_creator/button_delete.png_UP", 435.f, 245.f);
    placeButton(leaveButton_, "general/button_leave.png_Up", 24.f, 312.f);
    leaveButton_.setHighlightTexture(texture("general/button_leave.png_HI"));
    placeButton(previousArrow_, std::string(arrowLeft) + "_UP", 187.f, 53.f);
    placeButton(nextArrow_, std::string(arrowRight) + "_UP", 373.f, 53.f);
    previousArrow_.setHighlightTexture(texture(std::string(arrowLeft) + "_HI"));
    nextArrow_.setHighlightTexture(texture(std::string(arrowRight) + "_HI"));
    for (Button* button : { &copyButton_, &editButton_, &deleteButton_ })
        light(*button, false);
    place(leavePanel_, "general/small_panel.png", 15.f, 304.f);
    place(listBackground_, "crew_creator/char_list_bg.png", 173.f, 34.f);
    place(buttonsBackground_, "crew_creator/new_edit_copy_bg.png", 415.f, 139.f);

    newButton_.onClick = [this] {
        newButton_.setTexture(texture("crew_creator/button_new.png_DOWN"));
        UiHost::get().playSound("deploy_leave_2.wav");
    };
    editButton_.onClick = [this] {
        editButton_.setTexture(texture("crew_creator/button_edit.png_DOWN"));
        UiHost::get().playSound("deploy_leave_2.wav");
    };
    copyButton_.onClick = [this] {
        copyButton_.setTexture(texture("crew_creator/button_copy.png_DOWN"));
        UiHost::get().playSound("deploy_leave_2.wav");
    };
    deleteButton_.onClick = [this] {
        deleteButton_.setTexture(texture("crew_creator/button_delete.png_DOWN"));
        UiHost::get().playSound("deploy_leave_1.wav");
        // Through the window's own group: a window closed within the wait takes it along.
        timedActions.add([this] { deleteButton_.setTexture(texture("crew_creator/button_delete.png_UP")); },
                         sf::milliseconds(500));
    };
    leaveButton_.onClick = [this] {
        UiHost::get().playSound("deploy_leave_1.wav");
        leaveButton_.setTexture(texture("general/button_leave.png_Down"));
    };
    previousArrow_.onClick = [this] { previousArrow_.setTexture(texture(std::string(arrowLeft) + "_DOWN")); };
    nextArrow_.onClick = [this] { nextArrow_.setTexture(texture(std::string(arrowRight) + "_DOWN")); };

    TextManager& texts = TextManager::get();
    pageTextId_ = texts.addText(300, 54, "PAGE 1/1", 2.f * UiHost::get().defaultTextSize());
    texts.getText(pageTextId_).setFillColor(sf::Color(0, 255, 0));
    updatePageText();
}

CharacterPickerWindowScreen::~CharacterPickerWindowScreen()
{
    if (TextManager::exists())
        TextManager::get().removeText(pageTextId_);
    if (CharacterManager::exists()) {
        CharacterManager& roster = CharacterManager::get();
        auto guard = roster.lock();
        for (Character& character : roster.getCrewOnShip())
            character.setFocus(false);
    }
}

// Every character that is not secret, laid out from the first page, with their origin marks.
void CharacterPickerWindowScreen::refill()
{
    CharacterManager& roster = CharacterManager::get();
    roster.resetCrew();
    roster.setDeployTeam({});
    roster.layoutGrid(202.f, 76.f, 4, 0, true);
    applyOriginBadges();
}

void CharacterPickerWindowScreen::applyOriginBadges()
{
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    for (Character& character : roster.getCrewOnShip()) {
        if (character.steamCharacterID != 0)
            character.card.setBadgeTexture("general/character_related/character_origin/source_steamworkshop.png");
        else if (character.isFromMod)
            character.card.setBadgeTexture("general/character_related/character_origin/source_edited.png");
    }
}

int CharacterPickerWindowScreen::pageCount() const
{
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    const int shown = static_cast<int>(roster.getCrewOnShip().size());
    return (shown + perPage - 1) / perPage;
}

std::string CharacterPickerWindowScreen::pageText() const
{
    return Utf8::fromLabel(TextManager::get().getText(pageTextId_).getString());
}

void CharacterPickerWindowScreen::light(Button& button, bool on)
{
    button.enabled = on;
    button.setColor(on ? sf::Color::White : grey);
}

void CharacterPickerWindowScreen::updatePageText()
{
    TextManager& texts = TextManager::get();
    const int pages = pageCount();
    sf::Text& text = texts.getText(pageTextId_);
    text.setString("PAGE " + std::to_string(page_ + 1) + "/" + std::to_string(pages) + "\n");
    const float width = text.getGlobalBounds().width / texts.getScale();
    texts.setTextPosition(pageTextId_, static_cast<int>(300.f - width / 2.f), 54);

    const bool more = page_ < pages - 1;
    nextArrow_.setTexture(texture(std::string(arrowRight) + (more ? "_UP" : "_DOWN")));
    light(nextArrow_, more);
    const bool fewer = page_ >= 1;
    previousArrow_.setTexture(texture(std::string(arrowLeft) + (fewer ? "_UP" : "_DOWN")));
    light(previousArrow_, fewer);
}

void CharacterPickerWindowScreen::showPage(int page)
{
    page_ = page;
    CharacterManager::get().layoutGrid(202.f, 76.f, 4, page_ * perPage, false);
    updatePageText();
}

void CharacterPickerWindowScreen::setSelected(int position)
{
    selected_ = position;
    light(editButton_, position >= 0);
    light(copyButton_, position >= 0);
    light(deleteButton_, position >= 0);
}

void CharacterPickerWindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    if (!closable || event.type != sf::Event::MouseButtonPressed)
        return;
    sf::Vector2f at;
    if (!pointerPosition(event, window, view, at))
        return;
    press(event.mouseButton.button, at.x, at.y);
}

void CharacterPickerWindowScreen::press(sf::Mouse::Button button, float x, float y)
{
    CharacterManager& roster = CharacterManager::get();
    if (button == sf::Mouse::Left) {
        if (leaveButton_.contains(x, y) && leaveButton_.onClick) {
            closed = true;
            leaveButton_.onClick();
        }
        if (newButton_.contains(x, y)) {
            newButton_.onClick();
            closed = true;
            creator_.editCharacter(nullptr, false);
            return;
        }
        const bool copy = copyButton_.contains(x, y);
        const bool edit = !copy && editButton_.contains(x, y);
        if ((copy || edit) && selected_ >= 0) {
            (copy ? copyButton_ : editButton_).onClick();
            closed = true;
            std::optional<Character> chosen;
            {
                auto guard = roster.lock();
                if (static_cast<std::size_t>(selected_) < roster.getCrewOnShip().size())
                    chosen = roster.getCrewOnShip()[static_cast<std::size_t>(selected_)];
            }
            creator_.editCharacter(chosen ? &*chosen : nullptr, edit);
            return;
        }
        bool fromMod = false;
        if (selected_ >= 0) {
            auto guard = roster.lock();
            const auto& crew = roster.getCrewOnShip();
            fromMod = static_cast<std::size_t>(selected_) < crew.size()
                && crew[static_cast<std::size_t>(selected_)].isFromMod;
        }
        if (deleteButton_.contains(x, y) && fromMod) {
            deleteSelected();
            return;
        }
        selectCardAt(x, y);
    }
    // The page arrows answer any button.
    if (previousArrow_.contains(x, y) && previousArrow_.onClick) {
        const int to = std::max(page_ - 1, 0);
        if (to != page_) {
            previousArrow_.onClick();
            UiHost::get().playSound("button_click.wav");
            showPage(to);
        }
    } else if (nextArrow_.contains(x, y) && nextArrow_.onClick) {
        const int to = std::min(page_ + 1, std::max(pageCount() - 1, 0));
        if (to != page_) {
            nextArrow_.onClick();
            UiHost::get().playSound("button_click.wav");
            showPage(to);
        }
    }
}

void CharacterPickerWindowScreen::selectCardAt(float x, float y)
{
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    std::deque<Character>& crew = roster.getCrewOnShip();
    const int first = page_ * perPage;
    int chosen = -1;
    for (int i = 0; i < static_cast<int>(crew.size()); ++i) {
        Character& card = crew[static_cast<std::size_t>(i)];
        card.updateBounds();
        // Cards of other pages keep their old places on screen but are never hit.
        const bool hit = i >= first && i < first + perPage && card.card.contains(x, y);
        if (hit && i != selected_) {
            chosen = i;
            card.setFocus(true);
            UiHost::get().playSound("character_interact_3.wav");
        } else {
            card.setFocus(false);
        }
    }
    setSelected(chosen);
}

void CharacterPickerWindowScreen::deleteSelected()
{
    CharacterManager& roster = CharacterManager::get();
    deleteButton_.onClick();
    std::optional<Character> gone;
    {
        auto guard = roster.lock();
        gone = roster.getCrewOnShip()[static_cast<std::size_t>(selected_)];
    }
    roster.deleteModCharacter(*gone);
    refill();
    setSelected(-1);
    // The page stays unless the list no longer reaches it.
    page_ = std::clamp(page_, 0, std::max(pageCount() - 1, 0));
    showPage(page_);
}

void CharacterPickerWindowScreen::draw(sf::RenderTarget& target)
{
    target.draw(blackout);
    target.draw(buttonsBackground_);
    target.draw(listBackground_);
    TextManager::get().drawTexts({ pageTextId_ }, target);
    for (Button* button : { &nextArrow_, &previousArrow_, &newButton_, &copyButton_, &editButton_, &deleteButton_ })
        button->draw(target);
    CharacterManager::get().drawCards(target, page_ * perPage);
    target.draw(leavePanel_);
    leaveButton_.draw(target);
}
