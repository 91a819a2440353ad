#include "ui/WindowScreen.hpp"

#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

WindowScreen::WindowScreen()
{
    TextureManager& textures = TextureManager::get();
    blackout.setTexture(textures.getTexture("menu_popup/blackout_wholescreen.png"), true);
    blackout.setPosition(0.f, 0.f);
    closeButton.setTexture(textures.getTexture("menu_popup/button_resume.png_UP"));
    closeButton.setHighlightTexture(textures.getTexture("menu_popup/button_resume.png_HI"));
    closeButton.setPosition(288.f, 248.f);
    closeButton.onClick = [this] {
        closeButton.setTexture(TextureManager::get().getTexture("menu_popup/button_resume.png_DOWN"));
        UiHost::get().playSound("deploy_leave_1.wav");
    };
}

bool WindowScreen::pointerPosition(const sf::Event& event, const sf::RenderTarget& window, const sf::View& view,
                                   sf::Vector2f& position)
{
    if (event.type == sf::Event::MouseButtonPressed || event.type == sf::Event::MouseButtonReleased) {
        position = window.mapPixelToCoords(sf::Vector2i(event.mouseButton.x, event.mouseButton.y), view);
        return true;
    }
    if (event.type == sf::Event::MouseMoved) {
        position = window.mapPixelToCoords(sf::Vector2i(event.mouseMove.x, event.mouseMove.y), view);
        return true;
    }
    return false;
}

bool WindowScreen::isLeftPress(const sf::Event& event)
{
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left;
}

void WindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    if (!closable)
        return;
    sf::Vector2f position;
    if (!pointerPosition(event, window, view, position))
        return;
    if (isLeftPress(event) && closeButton.contains(position.x, position.y) && closeButton.onClick) {
        closeButton.onClick();
        closed = true;
    }
}

void WindowScreen::draw(sf::RenderTarget& target)
{
    closeButton.setFocus(false);
    target.draw(blackout, sf::RenderStates::Default);
}
