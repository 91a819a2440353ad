#include "deploy/CrewViewScreen.hpp"

#include "crew/CharacterManager.hpp"
#include "deploy/MementoPages.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

void place(sf::Sprite& sprite, const std::string& texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void arrow(Button& button, const std::string& sheet, bool enabled)
{
    button.setTexture(TextureManager::get().getTexture(sheet + (enabled ? "_UP" : "_DOWN")));
    button.enabled = enabled;
    button.setColor(enabled ? sf::Color::White : sf::Color(128, 128, 128));
}

const char* const leftSheet = "crewselection_screen/button_arrow_left.png";
const char* const rightSheet = "crewselection_screen/button_arrow_right.png";
const sf::Vector2f gridOrigin(462.f, 100.f);

} // namespace

CrewViewScreen::CrewViewScreen(CharacterManager& crew)
    : crew_(crew)
{
    place(background_, "crew_screen/crew_screen_bg.png", 0.f, 0.f);
    place(infoPanel_, "general/character_infoscreen.png", 296.f, 92.f);
    place(mementoPanel_, "crew_screen/memento_panel_botton.png", 462.f, 294.f);
    place(topBorder_, "general/topborder_screen.png", 279.f, 0.f);
    leftArrow_.setPosition(472.f, 297.f);
    rightArrow_.setPosition(572.f, 297.f);
    leaveButton_.setTexture(TextureManager::get().getTexture("general/button_leave.png_Up"));
    leaveButton_.setHighlightTexture(TextureManager::get().getTexture("general/button_leave.png_HI"));
    leaveButton_.setPosition(51.f, 299.f);
}

void CrewViewScreen::open()
{
    left_ = false;
    crew_.clearCharacterInfo();
    crew_.clearSelection();
    crew_.mementoPage = 0;
    crew_.layoutCrewView(0);
    refreshArrows();
}

std::int32_t CrewViewScreen::selectedCount()
{
    auto guard = crew_.lock();
    const Character* selected = crew_.getSelectedCharacter();
    return selected ? static_cast<std::int32_t>(selected->mementos.size()) : 0;
}

void CrewViewScreen::refreshArrows()
{
    const std::int32_t count = selectedCount();
    arrow(leftArrow_, leftSheet, MementoPages::leftEnabled(crew_.mementoPage));
    arrow(rightArrow_, rightSheet, MementoPages::rightEnabled(crew_.mementoPage, count));
}

void CrewViewScreen::select(std::int32_t crew)
{
    {
        auto guard = crew_.lock();
        auto& aboard = crew_.getCrewOnShip();
        if (crew < 0 || static_cast<std::size_t>(crew) >= aboard.size())
            return;
        Character& member = aboard[static_cast<std::size_t>(crew)];
        crew_.showCharacterInfo(307.f, 105.f, member, true);
        member.unseenMementos = false;
    }
    crew_.mementoPage = 0;
    refreshArrows();
}

void CrewViewScreen::mousePressed(float x, float y)
{
    if (leaveButton_.contains(x, y)) {
        UiHost::get().playSound("button_click.wav");
        left_ = true;
        return;
    }
    if (rightArrow_.contains(x, y)) {
        UiHost::get().playSound("button_click.wav");
        crew_.mementoPage = MementoPages::next(crew_.mementoPage, selectedCount());
        refreshArrows();
        return;
    }
    if (leftArrow_.contains(x, y)) {
        UiHost::get().playSound("button_click.wav");
        crew_.mementoPage = MementoPages::previous(crew_.mementoPage);
        refreshArrows();
        return;
    }
    const int crew = crew_.cardAt(x, y);
    if (crew >= 0)
        select(crew);
}

void CrewViewScreen::mouseMoved(float x, float y)
{
    for (Button* button : { &leftArrow_, &rightArrow_, &leaveButton_ })
        button->setFocus(button->contains(x, y));
}

void CrewViewScreen::draw(sf::RenderTarget& target)
{
    target.draw(background_);
    target.draw(infoPanel_);
    target.draw(mementoPanel_);
    target.draw(topBorder_);
    crew_.drawCrewView(target, 0);
    if (crew_.getSelectedCharacter()) {
        crew_.drawCharacterInfo(target);
        crew_.drawMementoGrid(target, gridOrigin, -1);
    }
    leftArrow_.draw(target);
    rightArrow_.draw(target);
    leaveButton_.draw(target);
}
