#pragma once

#include "ui/BasicMessageWindowScreen.hpp"

// The message window for errors the player must see (a failing mission script): besides
// closing, which returns to the title menu, it offers to open the current log file. The
// message is wrapped to the panel; what does not fit above the buttons ends in "...".
class ErrorMessageWindowScreen : public BasicMessageWindowScreen {
public:
    explicit ErrorMessageWindowScreen(const std::string& text);
    ~ErrorMessageWindowScreen() override;

    void draw(sf::RenderTarget& target) override;
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view) override;

    Button& getOpenLogButton() { return openLogButton; }
    int getOpenLogLabelId() const { return openLogLabelId; }

private:
    std::string fitToPanel(const std::string& text);

    Button openLogButton;
    int openLogLabelId;
};
