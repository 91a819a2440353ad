#include "screens/PauseMenu.hpp"

#include "core/ProcessWide.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

struct Place {
    const char* sheet;
    float x, y;
};

const Place places[] = {
    {"menu_popup/button_savegame.png", 295.f, 146.f}, {"title_screen/button_options.png", 295.f, 174.f},
    {"title_screen/button_deeds.png", 295.f, 198.f},   {"menu_popup/button_mainmenu.png", 295.f, 222.f},
    {"menu_popup/button_resume.png", 288.f, 257.f},
};

} // namespace

PauseMenu& PauseMenu::get()
{
    return ProcessWide<PauseMenu>::get();
}

bool PauseMenu::exists()
{
    return ProcessWide<PauseMenu>::exists();
}

void PauseMenu::destroy()
{
    ProcessWide<PauseMenu>::destroy();
}

PauseMenu::PauseMenu()
{
    TextureManager& textures = TextureManager::get();
    blackout_.setTexture(textures.getTexture("menu_popup/blackout_wholescreen.png"), true);
    panel_.setTexture(textures.getTexture("menu_popup/menu.png"), true);
    panel_.setPosition(254.f, 83.f);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const std::string sheet = places[i].sheet;
        buttons_[i].setTexture(textures.getTexture(sheet + "_UP"));
        buttons_[i].setHighlightTexture(textures.getTexture(sheet + "_HI"));
        buttons_[i].setPosition(places[i].x, places[i].y);
    }
}

void PauseMenu::clearFocus()
{
    for (Button& button : buttons_)
        button.setFocus(false);
}

void PauseMenu::update(sf::Vector2f pointer)
{
    const Item hovered = itemAt(pointer);
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].setFocus(static_cast<Item>(i) == hovered);
}

void PauseMenu::setSaveAllowed(bool allowed)
{
    Button& save = buttons_[0];
    save.enabled = allowed;
    save.setColor(sf::Color(255, 255, 255, allowed ? 255 : 127));
}

PauseMenu::Item PauseMenu::itemAt(sf::Vector2f point)
{
    // A press is tested against the buttons in this order.
    for (Item item : {Item::MainMenu, Item::SaveGame, Item::Options, Item::Deeds, Item::Resume})
        if (button(item).contains(point.x, point.y))
            return item;
    return Item::None;
}

void PauseMenu::showPressed(Item item, bool pressed)
{
    if (item == Item::None)
        return;
    const std::size_t i = static_cast<std::size_t>(item);
    buttons_[i].setTexture(TextureManager::get().getTexture(std::string(places[i].sheet) + (pressed ? "_DOWN" : "_UP")));
}

void PauseMenu::draw(sf::RenderTarget& target)
{
    target.draw(blackout_);
    target.draw(panel_);
    for (Button& button : buttons_)
        button.draw(target);
}
