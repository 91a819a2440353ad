#include "ui/ErrorMessageWindowScreen.hpp"

#include "core/Logger.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

ErrorMessageWindowScreen::ErrorMessageWindowScreen(const std::string& text)
    : BasicMessageWindowScreen(text)
    , openLogLabelId(TextManager::get().addRichText(-1.f, 0, 0))
{
    setPanel("general/small_panel_4.png");
    openLogButton.setTexture(TextureManager::get().getTexture("options_screen/file_button.png"));
    openLogButton.setPosition(340.f, 208.f);

    TextManager& texts = TextManager::get();
    sfe::RichText& label = texts.getRichText(openLogLabelId);
    label << sf::Color(0, 255, 0) << sf::String("Open log");
    const float width = label.getGlobalBounds().width;
    texts.setRichTextPosition(openLogLabelId, static_cast<int>(340.f - width / texts.getScale() - 6.f), 208);
}

ErrorMessageWindowScreen::~ErrorMessageWindowScreen()
{
    if (TextManager::exists())
        TextManager::get().removeRichText(openLogLabelId);
}

void ErrorMessageWindowScreen::draw(sf::RenderTarget& target)
{
    BasicMessageWindowScreen::draw(target);
    TextManager::get().drawRichTexts({openLogLabelId}, target);
    openLogButton.draw(target);
}

void ErrorMessageWindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    WindowScreen::handleEvent(event, window, view);
    sf::Vector2f position;
    if (isLeftPress(event) && pointerPosition(event, window, view, position)
        && openLogButton.contains(position.x, position.y)) {
        UiHost& host = UiHost::get();
        host.playSound("button_click.wav");
        host.openInShell(Logger::path());
        host.refreshOptionsScreen();
    }
    if (closed)
        UiHost::get().requestTitle();
}
