#pragma once

#include "ui/WindowScreen.hpp"

#include <string>

// A modal window with one green message centred over a small panel, and a close button
// (hidden when the window is not closable).
class BasicMessageWindowScreen : public WindowScreen {
public:
    explicit BasicMessageWindowScreen(const std::string& text);
    ~BasicMessageWindowScreen() override;

    void draw(sf::RenderTarget& target) override;

    int getMessageTextId() const { return messageTextId; }

protected:
    // Shows `file` as the panel, centred on x = 320 at y = 140.
    void setPanel(const std::string& file);
    // Replaces the message, centred on x = 320 as one block from y = 155.
    void setMessage(const std::string& text);

    sf::Sprite panel;
    int messageTextId;
};
