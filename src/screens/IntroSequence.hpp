#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}

// The opening of a new run: the ship's log types the premise line by line over a drifting
// starfield while the ship flies across it. A click shows the next line (a blank line and
// the line after it come together); once every line is out, one more click ends it, and
// Enter skips it (the game handles that key). The lines' logic runs in update(); draw only
// draws. Main thread only (its lines live in the TextManager).
class IntroSequence {
public:
    // Where a typed line breaks: at the last space before 125 characters.
    static constexpr std::size_t wrapColumn = 125;
    // The rows the text area shows before it scrolls.
    static constexpr int visibleRows = 28;

    IntroSequence();
    ~IntroSequence();
    IntroSequence(const IntroSequence&) = delete;
    IntroSequence& operator=(const IntroSequence&) = delete;

    // The log's texts, in order (the first, the hint, is shown from the start).
    static const std::vector<std::string>& script();
    // `text` broken into rows of at most wrapColumn characters, at the last space before
    // the limit (or at the limit when a row has no space); the rows joined by line breaks.
    static std::string wrap(const std::string& text, int& rows);

    // Entering the intro: the first line shown, the ship at its start, the text view taken
    // from `pixelView` (texts are placed in window pixels).
    void start(const sf::View& pixelView);
    // One fixed step: the ship flies on, a click shows the next line, and the end is reached.
    void update(std::int64_t microseconds);
    void handleEvent(const sf::Event& event);
    void draw(sf::RenderTarget& target);

    bool finished() const { return finished_; }
    // How many lines show (tests and the end-to-end checks).
    std::size_t shownLines() const;
    std::size_t lineCount() const { return lines_.size(); }
    sf::Vector2f shipPosition() const { return shipPosition_; }

private:
    struct Line {
        int textId = -1;
        int rows = 1;
        bool shown = false;
        std::size_t length = 0;
    };

    void clearLines();
    void addLine(const std::string& text, bool shown);
    float lineSpacing() const;

    std::array<sf::Sprite, 15> background_;
    sf::Sprite ship_;
    sf::Vector2f shipPosition_;
    sf::Vector2f shipDirection_;
    std::int64_t frameTime_ = 0;
    int frame_ = 0;

    std::vector<Line> lines_;
    std::size_t nextLine_ = 1;
    bool advance_ = false;
    bool typingDone_ = false;
    bool finished_ = false;
    float textY_ = 9.f;
    int scrolledRows_ = visibleRows;
    sf::View view_;
    float scrolledPixels_ = 0.f;
};
