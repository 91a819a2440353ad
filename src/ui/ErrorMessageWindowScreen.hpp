#pragma once

#include "ui/BasicMessageWindowScreen.hpp"

// The message window for errors the player must see (a failing mission script): besides
// closing, which returns to the title menu, it offers to open the current log file.
class ErrorMessageWindowScreen : public BasicMessageWindowScreen {
public:
    explicit ErrorMessageWindowScreen(const std::string& text);
    ~ErrorMessageWindowScreen() override;

    void draw(sf::RenderTarget& target) override;
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view) override;

    Button& getOpenLogButton() { return openLogButton; }
    int getOpenLogLabelId() const { return openLogLabelId; }

private:
    Button openLogButton;
    int openLogLabelId;
};
