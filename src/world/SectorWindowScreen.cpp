#include "world/SectorWindowScreen.hpp"

#include "core/TextFunctions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

SectorWindowScreen::SectorWindowScreen(const std::string& statusText, const std::string& recapText,
                                       const std::string& designationText, const std::string& jumpText)
{
    TextureManager& textures = TextureManager::get();
    blueprint_.setTexture(textures.getTexture("sector_summary/ship_aft_blueprints.png"), true);
    blueprint_.setPosition(55.f, 70.f);
    panel_.setTexture(textures.getTexture("sector_summary/sector_summary_bg.png"), true);
    panel_.setPosition(62.f, 75.f);
    closeButton.setPosition(62.f, 300.f);
    closeButton.setFocus(false);

    struct Placed {
        const std::string& text;
        int x, y;
    };
    TextManager& texts = TextManager::get();
    for (const Placed& placed : {Placed{statusText, 73, 206}, Placed{recapText, 244, 102},
                                 Placed{designationText, 244, 139}, Placed{jumpText, 416, 206}}) {
        const int id = texts.addRichText(-1.f, placed.x, placed.y);
        texts.getRichText(id) << amberColor << placed.text;
        textIds_.push_back(id);
    }
}

SectorWindowScreen::~SectorWindowScreen()
{
    if (TextManager::exists())
        for (int id : textIds_)
            TextManager::get().removeRichText(id);
}

bool SectorWindowScreen::isClosingGesture(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    if (event.type == sf::Event::KeyPressed)
        return event.key.code == sf::Keyboard::Escape || event.key.code == sf::Keyboard::Space
               || event.key.code == sf::Keyboard::Enter;
    sf::Vector2f at;
    return isLeftPress(event) && pointerPosition(event, window, view, at) && closeButton.contains(at.x, at.y)
           && closeButton.onClick;
}

void SectorWindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    // Asked before the base handling, which shows the close button pressed.
    const bool closing = isClosingGesture(event, window, view);
    WindowScreen::handleEvent(event, window, view);
    closeButton.setFocus(false);
    if (closing && onSectorButtonReleased)
        onSectorButtonReleased();
}

void SectorWindowScreen::draw(sf::RenderTarget& target)
{
    closeButton.setFocus(false);
    target.draw(blackout);
    target.draw(blueprint_);
    target.draw(panel_);
    closeButton.draw(target);
    TextManager::get().drawRichTexts(textIds_, target);
}
