#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Color.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

class MissionManager;

// The mission text as the mission screen draws it. Each message the runtime has handed over
// is laid out once: wrapped to the text column, coloured (plain text in the text mode's
// colour, marked words in theirs, with a contrast outline where they would be hard to read)
// into a rich text of the TextManager, and measured. Each choice set becomes a column of
// text buttons; locked choices are disabled at half colour. Messages and sets are placed one
// below the other in the order the script queued them, even when they arrive in different
// frames.
//
// Main thread only. The page owns its rich texts and buttons until reset or destroyed.
class MissionTextPage {
public:
    static constexpr int textLeft = 12;
    static constexpr int textWidth = 483;
    static constexpr int firstLineY = 8;

    // A laid-out message; the index is the message's index in displayedMessages().
    struct Message {
        int richTextId = -1;
        // Drawn height in logical units, rounded.
        int height = 0;
        // Spaces left in the wrapped text (line breaks do not count), not counting a leading
        // one: the reveal pacing counts these as words.
        std::int32_t wordCount = 0;
    };
    // A laid-out choice set; the index is the set's index in offeredChoiceSets().
    struct ChoiceSet {
        std::vector<Button> buttons;
    };

    MissionTextPage();
    ~MissionTextPage();
    MissionTextPage(const MissionTextPage&) = delete;
    MissionTextPage& operator=(const MissionTextPage&) = delete;

    // Removes every text and button; the next message goes to the top again.
    void reset();
    // Lays out, in the script's order, what `missions` has handed over since the last call.
    void update(const MissionManager& missions);
    // Text mode 0 green, 1 amber, 2 dark on light: recolours what is laid out and what comes.
    void applyTextMode(int textMode);
    // Colours an answered set: the pick bright, the rest at half their colour.
    void markAnswered(std::size_t set, std::int32_t picked);

    const std::vector<Message>& messages() const { return messages_; }
    std::vector<ChoiceSet>& choiceSets() { return choiceSets_; }
    // Where the next message or button goes.
    int cursorY() const { return cursorY_; }
    int textMode() const { return textMode_; }

    static sf::Color defaultTextColor(int textMode);
    static sf::Color choiceColor(int textMode);
    static sf::Color pickedChoiceColor(int textMode);
    static sf::Color halved(const sf::Color& color);

private:
    void layOutMessage(const MissionManager& missions, std::size_t index);
    void layOutChoiceSet(const MissionManager& missions, std::size_t index);

    std::vector<Message> messages_;
    std::vector<ChoiceSet> choiceSets_;
    std::int64_t nextSequence_ = 0;
    int cursorY_ = firstLineY;
    int textMode_ = 0;
};
