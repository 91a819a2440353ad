#include "missions/MissionTextPage.hpp"

#include "core/Logger.hpp"
#include "core/TextFunctions.hpp"
#include "missions/MissionManager.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/TextManager.hpp"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

std::int32_t countWords(const std::string& wrapped)
{
    if (wrapped.empty())
        return 0;
    return static_cast<std::int32_t>(std::count(wrapped.begin() + 1, wrapped.end(), ' '));
}

void colourLabel(Button& button, const sf::Color& color)
{
    TextManager::get().getText(button.getLabelId()).setFillColor(color);
}

sf::Color labelColour(Button& button)
{
    return TextManager::get().getText(button.getLabelId()).getFillColor();
}

} // namespace

MissionTextPage::MissionTextPage() = default;

MissionTextPage::~MissionTextPage()
{
    if (TextManager::exists())
        reset();
}

void MissionTextPage::reset()
{
    for (const Message& message : messages_)
        TextManager::get().removeRichText(message.richTextId);
    messages_.clear();
    choiceSets_.clear();
    nextSequence_ = 0;
    cursorY_ = firstLineY;
}

sf::Color MissionTextPage::defaultTextColor(int textMode)
{
    switch (textMode) {
    case 1:
        return amberColor;
    case 2:
        return sf::Color(12, 12, 12);
    default:
        return sf::Color(0, 255, 0);
    }
}

sf::Color MissionTextPage::choiceColor(int textMode)
{
    return textMode == 2 ? sf::Color(0, 0, 255) : sf::Color(16, 101, 192);
}

sf::Color MissionTextPage::pickedChoiceColor(int textMode)
{
    return textMode == 2 ? sf::Color(92, 92, 255) : sf::Color::White;
}

sf::Color MissionTextPage::halved(const sf::Color& color)
{
    return sf::Color(color.r / 2, color.g / 2, color.b / 2, color.a);
}

void MissionTextPage::update(const MissionManager& missions)
{
    const auto& shown = missions.displayedMessages();
    const auto& offered = missions.offeredChoiceSets();
    // Messages and sets carry one shared sequence; whichever holds the next number goes next.
    // Should one arrive before an earlier one (they travel through separate queues), it
    // waits until the earlier one is here.
    for (;;) {
        if (messages_.size() < shown.size() && shown[messages_.size()].message->sequence == nextSequence_)
            layOutMessage(missions, messages_.size());
        else if (choiceSets_.size() < offered.size() && offered[choiceSets_.size()].set->sequence == nextSequence_)
            layOutChoiceSet(missions, choiceSets_.size());
        else
            break;
        ++nextSequence_;
    }
}

void MissionTextPage::layOutMessage(const MissionManager& missions, std::size_t index)
{
    const MissionMessage& message = *missions.displayedMessages()[index].message;
    TextManager& texts = TextManager::get();
    const std::string wrapped = wrapText(message.text, textWidth);
    Message laidOut;
    laidOut.wordCount = countWords(wrapped);
    laidOut.richTextId = texts.addRichText(-1.f, textLeft, cursorY_);
    sfe::RichText& rich = texts.getRichText(laidOut.richTextId);
    try {
        appendColorMarkup(rich, wrapped, defaultTextColor(textMode_), textMode_);
    } catch (const std::exception& error) {
        // The markup was read when the message was queued; should wrapping have changed
        // that, the words are still shown.
        QV_LOG << "Warning: MissionTextPage, message " << message.id << " shown without colours: " << error.what()
               << std::endl;
        rich.clear();
        rich << defaultTextColor(textMode_) << sf::String(message.plainText);
    }
    laidOut.height = static_cast<int>(std::lround(rich.getGlobalBounds().height / texts.getScale()));
    cursorY_ += laidOut.height;
    messages_.push_back(laidOut);
}

void MissionTextPage::layOutChoiceSet(const MissionManager& missions, std::size_t index)
{
    const MissionChoiceSet& set = *missions.offeredChoiceSets()[index].set;
    ChoiceSet laidOut;
    laidOut.buttons.reserve(set.choices.size());
    for (const MissionChoice& choice : set.choices) {
        Button button;
        button.setText(wrapText(choice.label, textWidth));
        button.getBackground().setFillColor(sf::Color::Transparent);
        button.setPosition(static_cast<float>(textLeft), static_cast<float>(cursorY_));
        button.enabled = !choice.locked;
        colourLabel(button, choice.locked ? halved(choiceColor(textMode_)) : choiceColor(textMode_));
        cursorY_ += static_cast<int>(button.getBounds().height);
        laidOut.buttons.push_back(std::move(button));
    }
    choiceSets_.push_back(std::move(laidOut));
}

void MissionTextPage::applyTextMode(int textMode)
{
    const sf::Color oldDefault = defaultTextColor(textMode_);
    const sf::Color newDefault = defaultTextColor(textMode);
    const sf::Color oldChoice = choiceColor(textMode_);
    textMode_ = textMode;
    TextManager& texts = TextManager::get();
    for (const Message& message : messages_) {
        sfe::RichText& rich = texts.getRichText(message.richTextId);
        rich.replaceColor(oldDefault, newDefault);
        if (textMode == 2)
            rich.applyContrastOutline(newDefault, sf::Color(12, 12, 12), -50, 1.f);
        else
            rich.applyContrastOutline(newDefault, sf::Color(200, 200, 200), 50, 1.f);
    }
    for (ChoiceSet& set : choiceSets_)
        for (Button& button : set.buttons) {
            const sf::Color current = labelColour(button);
            if (current == oldChoice)
                colourLabel(button, choiceColor(textMode));
            else if (current == halved(oldChoice))
                colourLabel(button, halved(choiceColor(textMode)));
        }
}

void MissionTextPage::markAnswered(std::size_t set, std::int32_t picked)
{
    if (set >= choiceSets_.size())
        return;
    auto& buttons = choiceSets_[set].buttons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (static_cast<std::int32_t>(i) == picked)
            colourLabel(buttons[i], pickedChoiceColor(textMode_));
        else
            colourLabel(buttons[i], halved(labelColour(buttons[i])));
    }
}
