#include "ui/Dropdown.hpp"

#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

Dropdown::Dropdown()
    : labelId_(TextManager::get().addText(0, 0, "Test", -1.f))
{
    TextManager::get().getText(labelId_).setFillColor(sf::Color(0, 255, 0));
    listBox_.setFillColor(sf::Color::Black);
    listBox_.setOutlineThickness(1.f);
    listBox_.setOutlineColor(sf::Color(78, 78, 78, 255));
    toggleButton_.setTexture(TextureManager::get().getTexture("crew_creator/dropdown.png"));
    toggleButton_.onClick = [this] { open_ = !open_; };
}

Dropdown::~Dropdown()
{
    if (TextManager::exists())
        TextManager::get().removeText(labelId_);
}

void Dropdown::setToggleTexture(const sf::Texture& texture)
{
    toggleButton_.setTexture(texture);
    listBox_.setSize(sf::Vector2f(toggleButton_.getBounds().width - 3.f, listBox_.getSize().y));
}

void Dropdown::setPosition(float x, float y)
{
    toggleButton_.setPosition(x, y);
    TextManager::get().setTextPosition(labelId_, static_cast<int>(labelOffsetX + x), static_cast<int>(y + 1.f));
    listBox_.setPosition(x + 1.f, y + 10.f);
    placeItemButtons();
}

float Dropdown::rowHeight() const
{
    UiHost& host = UiHost::get();
    return host.gameFont().getLineSpacing(static_cast<unsigned>(host.defaultTextSize())) + 1.f;
}

void Dropdown::setItems(const std::vector<std::string>& items)
{
    items_ = items;
    buildItemButtons();
    if (items_.empty())
        selectedIndex_ = -1;
    else
        select(0);
}

void Dropdown::setItemsKeepingSelection(const std::vector<std::string>& items)
{
    items_ = items;
    buildItemButtons();
    if (selectedIndex_ >= 0 && static_cast<std::size_t>(selectedIndex_) < items_.size())
        TextManager::get().getText(labelId_).setString(Utf8::toLabel(items_[static_cast<std::size_t>(selectedIndex_)]));
    else
        selectedIndex_ = -1;
}

void Dropdown::buildItemButtons()
{
    itemButtons_.clear();
    UiHost& host = UiHost::get();
    TextManager& texts = TextManager::get();
    for (const std::string& entry : items_) {
        auto button = std::make_unique<Button>();
        sf::Text& label = texts.getText(button->getLabelId());
        label.setFillColor(sf::Color::White);
        if (fontPreview)
            if (const sf::Font* font = host.previewFont(entry))
                label.setFont(*font);
        button->getBackground().setFillColor(sf::Color::Transparent);
        button->setText(entry);
        itemButtons_.push_back(std::move(button));
    }
    placeItemButtons();
    listBox_.setSize(sf::Vector2f(toggleButton_.getBounds().width - 3.f,
                                  static_cast<float>(items_.size()) * rowHeight() + 6.f));
}

void Dropdown::placeItemButtons()
{
    const sf::Vector2f at = listBox_.getPosition();
    const float row = rowHeight();
    for (std::size_t i = 0; i < itemButtons_.size(); ++i)
        itemButtons_[i]->setPosition(at.x + 5.f, at.y + 5.f + static_cast<float>(i) * row);
}

void Dropdown::select(int index)
{
    choose(index, true);
}

void Dropdown::selectQuietly(int index)
{
    choose(index, false);
}

void Dropdown::choose(int index, bool tell)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size())
        return;
    selectedIndex_ = index;
    const std::string entry = items_[static_cast<std::size_t>(index)];
    TextManager::get().getText(labelId_).setString(Utf8::toLabel(entry));
    open_ = false;
    // Last: the owner may well change this drop-down in its answer.
    if (tell && onSelect)
        onSelect(entry);
}

bool Dropdown::selectByName(const std::string& name)
{
    const std::string wanted = lowerCase(name);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (lowerCase(items_[i]) == wanted) {
            select(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

std::string Dropdown::getSelected() const
{
    if (selectedIndex_ < 0 || static_cast<std::size_t>(selectedIndex_) >= items_.size())
        return noSelection;
    return items_[static_cast<std::size_t>(selectedIndex_)];
}

bool Dropdown::handleClick(float x, float y)
{
    if (!enabled)
        return false;
    if (toggleButton_.contains(x, y)) {
        toggleButton_.onClick();
        return true;
    }
    if (!open_)
        return false;
    for (std::size_t i = 0; i < itemButtons_.size(); ++i) {
        if (itemButtons_[i]->contains(x, y)) {
            select(static_cast<int>(i));
            return true;
        }
    }
    // Between entries, or on the list's frame: used, and nothing changes.
    const sf::FloatRect box(listBox_.getPosition(), listBox_.getSize());
    return x >= box.left && x <= box.left + box.width && y >= box.top && y <= box.top + box.height;
}

void Dropdown::draw(sf::RenderTarget& target)
{
    if (open_) {
        target.draw(listBox_);
        for (const auto& button : itemButtons_)
            button->draw(target);
    }
    toggleButton_.draw(target);
    TextManager::get().drawTexts({labelId_}, target);
}
