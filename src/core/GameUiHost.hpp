#pragma once

#include "ui/UiHost.hpp"

// The game's answers to what the interface toolkit asks: the fonts and views from the
// options, sounds from the audio manager, the desktop shell, and state requests.
class GameUiHost : public UiHost {
public:
    const sf::Font& gameFont() override;
    float defaultTextSize() override;
    const sf::View& interfaceView() override;
    void playSound(const std::string& fileName) override;
    void openInShell(const std::string& target) override;
    void requestTitle() override;
    void refreshOptionsScreen() override;
    const sf::Font* previewFont(const std::string& name) override;
    sf::Color nameColour(const std::string& name) override;
};
