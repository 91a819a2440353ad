#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>

#include <memory>
#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}

// The credits: a centred column of logos, section headers and lines that scrolls up over two
// star layers and starts again from the top once it has passed, until the player leaves with
// LEAVE, Escape, Space or Enter. The sections and their lines come from "credits/credits.txt"
// in the assets ("[Header]" starts a section, "# " a comment). Pictures are placed in the
// 640 x 360 view, texts in window pixels; both views scroll together. Main thread only.
class CreditsScreen {
public:
    struct Section {
        std::string header;
        std::vector<std::string> lines;
    };
    // The sections of a credits file, in order. Lines before the first header are dropped.
    static std::vector<Section> parse(const std::string& text);

    explicit CreditsScreen(std::string creditsFile);
    ~CreditsScreen();
    CreditsScreen(const CreditsScreen&) = delete;
    CreditsScreen& operator=(const CreditsScreen&) = delete;

    // Rebuilds the column (every entry into the credits): the first item starts at the
    // bottom edge of the screen. `gameView` and `pixelView` are the window's views now.
    void reset(const sf::View& gameView, const sf::View& pixelView);
    // One fixed step: the column moves up one unit, the stars drift.
    void update();
    // True when the event asks to leave (the caller plays the sound and changes the state).
    bool handleEvent(const sf::Event& event, sf::Vector2f pointer);
    void mouseMoved(sf::Vector2f pointer);
    void draw(sf::RenderTarget& target);

    int scrolled() const { return scrolled_; }
    int scrollEnd() const { return scrollEnd_; }
    std::size_t textCount() const { return texts_.size(); }

private:
    void clear();
    void addHeader(const std::string& text);
    void addLine(const std::string& text);
    void addText(const std::string& text, float size, const sf::Color& colour, int after);
    void addPicture(float scale, float xOffset, float gapBefore, const std::string& texture);

    std::string creditsFile_;
    sf::Sprite panel_;
    Button leave_;
    sf::View columnView_;
    sf::View textView_;
    sf::View nearStars_;
    sf::View farStars_;
    sf::Sprite starsNear_;
    sf::Sprite starsFar_;
    int cursorY_ = 180;
    int scrolled_ = 0;
    int scrollEnd_ = 0;
    std::vector<std::unique_ptr<sf::Sprite>> pictures_;
    std::vector<int> texts_;
};
