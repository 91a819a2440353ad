#pragma once

#include "ui/FocusableUI.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/String.hpp>

#include <cstdint>
#include <functional>
#include <string>

namespace sf {
class RenderTarget;
class Texture;
}

// A framed box the player types text into: a name, a biography, a number. It reads no events
// itself: the owning screen decides which field has the keyboard, hands it the characters of
// its text-entered events and calls onClick when a click lands inside it.
//
// Options: `wrap` keeps the text inside the frame (spaces become line breaks, and letters
// that no longer fit are taken back); `multiline` lets Enter add a line break; `nameMode`
// turns a space into a line break (a first and a last name on two lines, never a break
// inside a word) and shows the name in the colour a crew member of that name gets.
//
// Only the printable ASCII characters (32 to 126) are taken from the keyboard and the
// clipboard; `content` is UTF-8 and may hold other characters given through setText.
// The label lives in the TextManager and goes with the field. Main thread only.
class TextField : public FocusableUI {
public:
    // The most characters one paste takes: each pasted character re-wraps the text.
    static constexpr std::size_t maxPastedCharacters = 4000;

    TextField();
    ~TextField() override;
    TextField(const TextField&) = delete;
    TextField& operator=(const TextField&) = delete;

    // Fields show no focus.
    void setFocus(bool) override {}

    // The frame ("crew_creator/text_area_small.png" until set); the room for text follows it.
    void setBackground(const sf::Texture& texture);
    // Where the text sits inside the frame (5, 1 until set).
    void setInset(float x, float y);
    void setPosition(float x, float y);
    // Replaces the content (wrapped to the frame's width when `wrap` is set).
    void setText(const std::string& text);
    // One typed character (the unicode of a text-entered event): Backspace (8) takes back
    // the last character, Ctrl+V (22) pastes the system clipboard, Enter (13) adds a line
    // break in a multi-line field, printable ASCII is appended; everything else is ignored.
    virtual void handleTextEntered(std::uint32_t code);
    // What Ctrl+V does with the clipboard's text.
    void paste(const sf::String& clipboard);
    // Whether the point (in the owner's view) lies on the frame, edges included.
    bool contains(float x, float y) const;
    void draw(sf::RenderTarget& target);

    const std::string& content() const { return content_; }
    const sf::Color& textColour() const { return textColour_; }
    int getTextId() const { return textId_; }
    float innerWidth() const { return innerWidth_; }
    float innerHeight() const { return innerHeight_; }

    std::function<void()> onClick;
    bool nameMode = false;
    bool multiline = false;
    bool wrap = false;

protected:
    // Room kept free right of and below the text (a NumberField keeps 10 units).
    void setMargins(float right, float bottom);
    // The content as the label shows it, after it changed.
    void show();
    void removeLastCharacter();

    std::string content_;

private:
    void layout();
    // Makes the content fit the frame after a character was added.
    void wrapToBox();
    void applyNameColour();

    int textId_;
    sf::Sprite background_;
    float insetX_ = 5.f;
    float insetY_ = 1.f;
    float x_ = 0.f;
    float y_ = 0.f;
    float innerWidth_ = 0.f;
    float innerHeight_ = 0.f;
    float marginRight_ = 0.f;
    float marginBottom_ = 0.f;
    sf::Color textColour_ = sf::Color(0, 255, 0);
};
