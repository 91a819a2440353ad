#include "screens/TitleMenu.hpp"

#include "ui/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

// The frame sheet of each button, left to right.
const char* const sheets[TitleMenu::itemCount] = {
    "title_screen/button_continue.png", "title_screen/button_newgame.png", "title_screen/button_characters.png",
    "title_screen/button_options.png",  "title_screen/button_deeds.png",   "title_screen/button_credits.png",
    "title_screen/button_website.png",  "title_screen/button_quit.png",
};

const sf::Color grey(128, 128, 128, 255);

} // namespace

TitleMenu::TitleMenu()
{
    TextureManager& textures = TextureManager::get();
    background_.setTexture(textures.getTexture("title_screen/quorvane_title_screen2.png"), true);
    panel_.setTexture(textures.getTexture("title_screen/title_panel_wide.png"), true);
    panel_.setPosition(90.f, 318.f);
    const char* const titles[] = {"title_screen/title_logo.png", "title_screen/quorvane_title.png",
                                  "title_screen/vesperine_title.png"};
    float y = 40.f;
    for (std::size_t i = 0; i < title_.size(); ++i) {
        title_[i].setTexture(textures.getTexture(titles[i]), true);
        title_[i].setScale(2.f, 2.f);
        const sf::FloatRect size = title_[i].getGlobalBounds();
        title_[i].setPosition(static_cast<float>(static_cast<int>(320.f - size.width / 2.f)), y);
        y += size.height + 8.f;
    }
    for (std::size_t i = 0; i < itemCount; ++i)
        buttons_[i].setPosition(103.f + 55.f * static_cast<float>(i), 332.f);
    reset(false);
}

void TitleMenu::reset(bool canContinue)
{
    TextureManager& textures = TextureManager::get();
    for (std::size_t i = 0; i < itemCount; ++i) {
        const std::string sheet = sheets[i];
        buttons_[i].setTexture(textures.getTexture(sheet + "_UP"));
        buttons_[i].setHighlightTexture(textures.getTexture(sheet + "_HI"));
        buttons_[i].setColor(sf::Color::White);
        buttons_[i].enabled = true;
        buttons_[i].setFocus(false);
    }
    Button& resume = button(Item::Continue);
    resume.enabled = canContinue;
    resume.setColor(canContinue ? sf::Color::White : grey);
    order_.clear();
    if (canContinue)
        order_.push_back(Item::Continue);
    for (Item item : {Item::NewGame, Item::Characters, Item::Options, Item::Credits, Item::Quit})
        order_.push_back(item);
    keyboardIndex_ = -1;
}

void TitleMenu::update(sf::Vector2f pointer)
{
    const Item hovered = itemAt(pointer);
    const Item chosen = hovered != Item::None ? hovered : keyboardChoice();
    for (std::size_t i = 0; i < itemCount; ++i)
        buttons_[i].setFocus(static_cast<Item>(i) == chosen);
}

TitleMenu::Item TitleMenu::itemAt(sf::Vector2f point)
{
    for (std::size_t i = 0; i < itemCount; ++i)
        if (buttons_[i].contains(point.x, point.y))
            return static_cast<Item>(i);
    return Item::None;
}

TitleMenu::Item TitleMenu::keyboardChoice() const
{
    if (keyboardIndex_ < 0 || static_cast<std::size_t>(keyboardIndex_) >= order_.size())
        return Item::None;
    return order_[static_cast<std::size_t>(keyboardIndex_)];
}

TitleMenu::Item TitleMenu::handleKey(sf::Keyboard::Key key)
{
    const int count = static_cast<int>(order_.size());
    switch (key) {
    case sf::Keyboard::Right:
    case sf::Keyboard::D:
    case sf::Keyboard::Tab:
        keyboardIndex_ = keyboardIndex_ < 0 ? 0 : (keyboardIndex_ + 1) % count;
        return Item::None;
    case sf::Keyboard::Left:
    case sf::Keyboard::A:
        keyboardIndex_ = keyboardIndex_ <= 0 ? count - 1 : keyboardIndex_ - 1;
        return Item::None;
    case sf::Keyboard::Enter:
    case sf::Keyboard::Space:
        return keyboardChoice();
    default:
        return Item::None;
    }
}

void TitleMenu::showPressed(Item item, bool pressed)
{
    if (item == Item::None)
        return;
    const std::size_t i = static_cast<std::size_t>(item);
    // The web site has no pressed frame.
    if (item == Item::WebSite)
        return;
    const std::string frame = std::string(sheets[i]) + (pressed ? "_DOWN" : "_UP");
    buttons_[i].setTexture(TextureManager::get().getTexture(frame));
}

void TitleMenu::draw(sf::RenderTarget& target)
{
    target.draw(background_);
    for (const sf::Sprite& title : title_)
        target.draw(title);
    target.draw(panel_);
    for (Button& button : buttons_)
        button.draw(target);
}
