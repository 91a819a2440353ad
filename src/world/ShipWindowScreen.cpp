#include "world/ShipWindowScreen.hpp"

#include "core/TextFunctions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"
#include "world/Ship.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>

namespace {

const char* const clickSound = "button_click.wav";
const char* const upSheet = "ship_systems/button_arrow_up.png";
const char* const downSheet = "ship_systems/button_arrow_down.png";
const char* const logSprite = "ship_systems/button_upgrade_log.png";
const char* const emptyLogText = "No ship systems have been upgraded or downgraded.";
const sf::Color disabledTint(128, 128, 128, 255);
// An arrow shows pressed this long after a press.
const sf::Time arrowPressTime = sf::milliseconds(500);

sf::Texture& texture(const std::string& name)
{
    return TextureManager::get().getTexture(name);
}

void place(sf::Sprite& sprite, const char* name, float x, float y)
{
    sprite.setTexture(texture(name), true);
    sprite.setPosition(x, y);
}

// The height a label of `text` takes, in the 640 x 360 view.
float labelHeight(const std::string& text)
{
    TextManager& texts = TextManager::get();
    const sf::Text probe(Utf8::toLabel(text), UiHost::get().gameFont(), texts.characterSize(-1.f));
    return probe.getGlobalBounds().height / texts.getScale();
}

} // namespace

ShipWindowScreen::ShipWindowScreen(Ship& ship, const std::string& systemsPath)
    : ship_(ship)
    , detailsTextId_(TextManager::get().addRichText(-1.f, 25, textTop))
{
    place(blueprint_, "ship_systems/ship_starboard_blueprints.png", 43.f, 17.f);
    place(systemsPanel_, "ship_systems/ship_systems_background.png", 11.f, 127.f);
    place(connectors_, "ship_systems/button_connectors.png", 87.f, 140.f);
    closeButton.setPosition(50.f, 330.f);

    for (const ShipSystemsFile::System& system : ShipSystemsFile::read(systemsPath))
        addButton(system.sprite, system.details);
    addButton(logSprite, emptyLogText);

    upArrow_.onClick = [this] { pressUp(); };
    downArrow_.onClick = [this] { pressDown(); };
    upArrow_.setPosition(596.f, 180.f);
    downArrow_.setPosition(596.f, 210.f);
    setArrow(upArrow_, upSheet, false);
    setArrow(downArrow_, downSheet, true);

    showDetails(entries_.front().details);
    buttons_.front()->setTexture(texture(entries_.front().sprite + "_DOWN"));
    showLogGlow();
}

ShipWindowScreen::~ShipWindowScreen()
{
    if (!TextManager::exists())
        return;
    clearLogTexts();
    TextManager::get().removeRichText(detailsTextId_);
}

void ShipWindowScreen::addButton(const std::string& sprite, const std::string& details)
{
    auto button = std::make_unique<Button>();
    button->setTexture(texture(sprite + "_UP"));
    button->setPosition(46.f + 60.f * static_cast<float>(buttons_.size()), 144.f);
    button->setHighlightTexture(texture(sprite + "_HI"));
    button->onClick = [] { UiHost::get().playSound(clickSound); };
    buttons_.push_back(std::move(button));
    entries_.push_back({sprite, details});
}

void ShipWindowScreen::setArrow(Button& arrow, const char* sheet, bool enabled)
{
    arrow.enabled = enabled;
    arrow.setTexture(texture(std::string(sheet) + (enabled ? "_UP" : "_DOWN")));
    arrow.setColor(enabled ? sf::Color::White : disabledTint);
}

void ShipWindowScreen::update()
{
    ship_.advanceBlink();
    showLogGlow();
}

void ShipWindowScreen::showLogGlow()
{
    buttons_.back()->attention = ship_.isBlinkLit() && ship_.hasUnseenUpgrades();
}

// --- The arrows: one entry further per press ---

void ShipWindowScreen::pressUp()
{
    pressArrow(upArrow_, upSheet, &ShipWindowScreen::pageUp);
}

void ShipWindowScreen::pressDown()
{
    pressArrow(downArrow_, downSheet, &ShipWindowScreen::pageDown);
}

// The arrow shows pressed, the page moves, and an arrow still usable springs back a moment later.
void ShipWindowScreen::pressArrow(Button& arrow, const char* sheet, void (ShipWindowScreen::*page)())
{
    UiHost::get().playSound(clickSound);
    arrow.setTexture(texture(std::string(sheet) + "_DOWN"));
    (this->*page)();
    if (arrow.enabled)
        timedActions.add(
            [&arrow, sheet] {
                if (arrow.enabled)
                    arrow.setTexture(texture(std::string(sheet) + "_UP"));
            },
            arrowPressTime);
}

void ShipWindowScreen::pageUp()
{
    logPage_ = std::max(0, logPage_ - 1);
    setArrow(upArrow_, upSheet, logPage_ != 0);
    if (!downArrow_.enabled)
        setArrow(downArrow_, downSheet, true);
}

void ShipWindowScreen::pageDown()
{
    const int entries = static_cast<int>(ship_.getUpgradeLog().size());
    logPage_ = std::max(0, std::min(logPage_ + 1, entries - 1));
    setArrow(downArrow_, downSheet, logPage_ < entries - 1);
    if (!upArrow_.enabled)
        setArrow(upArrow_, upSheet, true);
}

// --- Events ---

void ShipWindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    WindowScreen::handleEvent(event, window, view);
    sf::Vector2f at;
    if (event.type == sf::Event::MouseMoved && pointerPosition(event, window, view, at)) {
        for (auto& button : buttons_)
            button->setFocus(button->contains(at.x, at.y));
        return;
    }
    if (isLeftPress(event) && pointerPosition(event, window, view, at)) {
        bool changed = false;
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            Button& button = *buttons_[i];
            if (i != selected_ && button.contains(at.x, at.y) && button.onClick) {
                selected_ = i;
                changed = true;
                break;
            }
        }
        if (downArrow_.contains(at.x, at.y)) {
            downArrow_.onClick();
            changed = true;
        }
        if (upArrow_.contains(at.x, at.y)) {
            upArrow_.onClick();
            changed = true;
        }
        if (closeButton.contains(at.x, at.y) && closeButton.onClick) {
            releaseShipButton();
            return;
        }
        if (changed)
            refresh();
        return;
    }
    if (event.type != sf::Event::KeyPressed)
        return;
    const std::size_t count = buttons_.size();
    switch (event.key.code) {
    case sf::Keyboard::A:
    case sf::Keyboard::Left:
        selected_ = (selected_ + count - 1) % count;
        refresh();
        break;
    case sf::Keyboard::D:
    case sf::Keyboard::Right:
        selected_ = (selected_ + 1) % count;
        refresh();
        break;
    case sf::Keyboard::S:
    case sf::Keyboard::Down:
        pressDown();
        refresh();
        break;
    case sf::Keyboard::W:
    case sf::Keyboard::Up:
        pressUp();
        refresh();
        break;
    case sf::Keyboard::Escape:
        releaseShipButton();
        break;
    default:
        break;
    }
}

void ShipWindowScreen::releaseShipButton()
{
    if (onShipButtonReleased)
        onShipButtonReleased();
}

void ShipWindowScreen::refresh()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setTexture(texture(entries_[i].sprite + (i == selected_ ? "_DOWN" : "_UP")));
    if (buttons_[selected_]->onClick)
        buttons_[selected_]->onClick();

    const std::vector<std::string> log = ship_.getUpgradeLog();
    showingLog_ = selected_ == logButtonIndex() && !log.empty();
    if (showingLog_) {
        ship_.markUpgradesSeen();
        showLogGlow();
        showDetails("");
        listLog(log);
    } else {
        logPage_ = 0;
        showDetails(entries_[selected_].details);
    }
}

void ShipWindowScreen::showDetails(const std::string& details)
{
    sfe::RichText& text = TextManager::get().getRichText(detailsTextId_);
    text.clear();
    text << amberColor;
    if (!details.empty())
        text << wrapText(details, 593, -1, false);
}

void ShipWindowScreen::clearLogTexts()
{
    for (int id : logTextIds_)
        TextManager::get().removeText(id);
    logTextIds_.clear();
}

// Newest first from logPage on, while the entries fit; one that does not fit is not made.
void ShipWindowScreen::listLog(const std::vector<std::string>& log)
{
    clearLogTexts();
    TextManager& texts = TextManager::get();
    int height = 0;
    for (int k = static_cast<int>(log.size()) - 1 - logPage_; k >= 0; --k) {
        const std::string text = wrapText("> " + log[static_cast<std::size_t>(k)], 562, -1, false) + "\n\n";
        const int top = height;
        height += static_cast<int>(std::trunc(labelHeight(text)));
        if (height > logPageHeight)
            break;
        const int id = texts.addText(25, textTop + top, text);
        texts.getText(id).setFillColor(amberColor);
        logTextIds_.push_back(id);
    }
    const int entries = static_cast<int>(log.size());
    setArrow(downArrow_, downSheet, logPage_ < entries - 1);
    setArrow(upArrow_, upSheet, logPage_ >= 1);
}

// --- Drawing ---

void ShipWindowScreen::draw(sf::RenderTarget& target)
{
    closeButton.setFocus(false);
    target.draw(blackout);
    target.draw(blueprint_);
    target.draw(systemsPanel_);
    closeButton.draw(target);
    if (showingLog_) {
        TextManager::get().drawTexts(logTextIds_, target);
        downArrow_.draw(target);
        upArrow_.draw(target);
    } else {
        TextManager::get().drawRichTexts({detailsTextId_}, target);
    }
    for (auto& button : buttons_)
        button->draw(target);
    target.draw(connectors_);
}
