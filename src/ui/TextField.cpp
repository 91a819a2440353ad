#include "ui/TextField.hpp"

#include "core/TextFunctions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Window/Clipboard.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t backspace = 8;
constexpr std::uint32_t pasteShortcut = 22;
constexpr std::uint32_t enter = 13;

bool printable(std::uint32_t code)
{
    return code >= 32 && code <= 126;
}

// The text as the frame measures it: the game font at the default size, before the
// interface scale.
sf::FloatRect measured(const std::string& text)
{
    UiHost& host = UiHost::get();
    const sf::Text probe(Utf8::toLabel(text), host.gameFont(), static_cast<unsigned>(host.defaultTextSize()));
    return probe.getLocalBounds();
}

// Where the last character (a whole UTF-8 sequence) of `text` starts.
std::size_t lastCharacterStart(const std::string& text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        start = i;
        Utf8::next(text, i);
    }
    return start;
}

} // namespace

TextField::TextField()
    : textId_(TextManager::get().addText(0, 0, "", -1.f))
{
    UiHost& host = UiHost::get();
    const float spacing = std::trunc(host.gameFont().getLineSpacing(static_cast<unsigned>(host.defaultTextSize())));
    marginRight_ = spacing;
    marginBottom_ = spacing;
    TextManager::get().getText(textId_).setFillColor(textColour_);
    background_.setTexture(TextureManager::get().getTexture("crew_creator/text_area_small.png"), true);
    layout();
}

TextField::~TextField()
{
    if (TextManager::exists())
        TextManager::get().removeText(textId_);
}

void TextField::setBackground(const sf::Texture& texture)
{
    background_.setTexture(texture, true);
    layout();
}

void TextField::setInset(float x, float y)
{
    insetX_ = x;
    insetY_ = y;
    layout();
}

void TextField::setMargins(float right, float bottom)
{
    marginRight_ = right;
    marginBottom_ = bottom;
    layout();
}

void TextField::setPosition(float x, float y)
{
    x_ = x;
    y_ = y;
    layout();
}

void TextField::layout()
{
    background_.setPosition(x_, y_);
    TextManager::get().setTextPosition(textId_, static_cast<int>(x_ + insetX_), static_cast<int>(y_ + insetY_));
    const sf::FloatRect frame = background_.getGlobalBounds();
    innerWidth_ = frame.width - insetX_ - marginRight_;
    innerHeight_ = frame.height - insetY_ - marginBottom_;
}

bool TextField::contains(float x, float y) const
{
    const sf::FloatRect frame = background_.getGlobalBounds();
    return x >= frame.left && x <= frame.left + frame.width && y >= frame.top && y <= frame.top + frame.height;
}

void TextField::setText(const std::string& text)
{
    // A name is taken as it is: wrapping could break it inside a word, and every break in a
    // name is read back as a space.
    content_ = wrap && !nameMode ? wrapText(text, static_cast<int>(innerWidth_), -1, false) : text;
    show();
    if (nameMode)
        applyNameColour();
}

void TextField::show()
{
    TextManager::get().getText(textId_).setString(Utf8::toLabel(content_));
}

void TextField::removeLastCharacter()
{
    if (!content_.empty())
        content_.erase(lastCharacterStart(content_));
}

void TextField::handleTextEntered(std::uint32_t code)
{
    bool deleted = false;
    if (code == backspace) {
        if (!content_.empty()) {
            removeLastCharacter();
            deleted = true;
        }
    } else if (code == pasteShortcut) {
        this->paste(sf::Clipboard::getString());
        return;
    } else if (code == enter) {
        if (multiline)
            content_ += '\n';
    } else if (printable(code)) {
        content_ += nameMode && code == ' ' ? '\n' : static_cast<char>(code);
    } else {
        return; // Tab, Escape, Delete, and everything beyond ASCII
    }
    show();
    // Taking a character back never re-wraps: the text only shrinks.
    if (wrap && !deleted)
        wrapToBox();
    if (nameMode)
        applyNameColour();
}

void TextField::paste(const sf::String& clipboard)
{
    std::size_t taken = 0;
    for (sf::Uint32 code : clipboard) {
        if (taken == maxPastedCharacters)
            break;
        // A line break, a NUL or a character beyond ASCII would not survive as one byte.
        if (!printable(code))
            continue;
        ++taken;
        content_ += static_cast<char>(code);
        if (nameMode && code == ' ')
            content_ += '\n';
        show();
        if (wrap)
            wrapToBox();
        if (nameMode)
            applyNameColour();
    }
}

void TextField::wrapToBox()
{
    std::size_t space = content_.rfind(' ');
    const std::size_t lineBreak = content_.rfind('\n');
    if (space != std::string::npos && lineBreak != std::string::npos && space < lineBreak)
        space = std::string::npos;

    sf::FloatRect bounds = measured(content_);
    if (bounds.width >= innerWidth_) {
        if (space != std::string::npos) {
            content_[space] = '\n';
        } else if (bounds.height >= innerHeight_ || nameMode) {
            // A name is never broken inside a word: the letter that does not fit goes.
            removeLastCharacter();
        } else if (!content_.empty()) {
            content_.insert(lastCharacterStart(content_), 1, '\n');
        }
        bounds = measured(content_);
    }
    // Stops at an empty text: a frame too small for even one line holds nothing.
    while (bounds.height > innerHeight_ && !content_.empty()) {
        removeLastCharacter();
        bounds = measured(content_);
    }
    show();
}

void TextField::applyNameColour()
{
    std::string name = content_;
    std::replace(name.begin(), name.end(), '\n', ' ');
    textColour_ = UiHost::get().nameColour(name);
    TextManager::get().getText(textId_).setFillColor(textColour_);
    setContrastOutline(textId_, textColour_);
}

void TextField::draw(sf::RenderTarget& target)
{
    target.draw(background_);
    TextManager::get().drawTexts({textId_}, target);
}
