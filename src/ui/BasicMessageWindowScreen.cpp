#include "ui/BasicMessageWindowScreen.hpp"

#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

BasicMessageWindowScreen::BasicMessageWindowScreen(const std::string& text)
    : messageTextId(TextManager::get().addRichText(-1.f, 0, 0))
{
    setPanel("general/small_panel_3.png");
    setMessage(text);
}

void BasicMessageWindowScreen::setMessage(const std::string& text)
{
    TextManager& texts = TextManager::get();
    sfe::RichText& message = texts.getRichText(messageTextId);
    message.clear();
    message << sf::Color(0, 255, 0) << Utf8::toLabel(text);
    const float width = message.getGlobalBounds().width;
    texts.setRichTextPosition(messageTextId, static_cast<int>(320.f - width / (2.f * texts.getScale())), 155);
}

BasicMessageWindowScreen::~BasicMessageWindowScreen()
{
    if (TextManager::exists())
        TextManager::get().removeRichText(messageTextId);
}

void BasicMessageWindowScreen::setPanel(const std::string& file)
{
    panel.setTexture(TextureManager::get().getTexture(file), true);
    panel.setPosition(320.f - panel.getGlobalBounds().width / 2.f, 140.f);
}

void BasicMessageWindowScreen::draw(sf::RenderTarget& target)
{
    closeButton.setFocus(false);
    target.draw(blackout);
    target.draw(panel);
    TextManager::get().drawRichTexts({messageTextId}, target);
    if (closable)
        closeButton.draw(target);
}
