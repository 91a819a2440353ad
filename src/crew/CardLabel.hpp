#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>

// The name under a crew card: a TextManager text made the first time the card is shown, on
// the main thread, so characters can be read, copied and changed anywhere (the mission
// script copies and kills them) without touching the text manager. A copy of a card starts
// without a text of its own and makes one when it is shown; the text is removed with the
// card. Cards are destroyed on the main thread only.
class CardLabel {
public:
    CardLabel() = default;
    CardLabel(const CardLabel&) {}
    CardLabel& operator=(const CardLabel&) { return *this; }
    CardLabel(CardLabel&& other) noexcept;
    CardLabel& operator=(CardLabel&& other) noexcept;
    ~CardLabel();

    // Main thread: makes or updates the text with `text` in `colour` at logical (x, y).
    void show(const std::string& text, const sf::Color& colour, int x, int y);
    // The TextManager id, or -1 before the first show().
    int id() const { return id_; }

private:
    void release();

    int id_ = -1;
    std::string shownText_;
    sf::Color shownColour_;
    int x_ = 0;
    int y_ = 0;
};
