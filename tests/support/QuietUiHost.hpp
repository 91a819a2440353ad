#pragma once

#include "ui/UiHost.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include <string>

// A UI host for programs that only lay out and draw text (the demo, the benchmark, the fuzz
// entry): a real font, a given view, and no game to play sounds or change state.
class QuietUiHost : public UiHost {
public:
    explicit QuietUiHost(const sf::View& view = sf::View())
        : view_(view)
    {
        loaded_ = font_.loadFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
    }
    bool loaded() const { return loaded_; }

    const sf::Font& gameFont() override { return font_; }
    float defaultTextSize() override { return 7.5f; }
    const sf::View& interfaceView() override { return view_; }
    void playSound(const std::string&) override {}
    void openInShell(const std::string&) override {}
    void requestTitle() override {}
    void refreshOptionsScreen() override {}

private:
    sf::Font font_;
    sf::View view_;
    bool loaded_ = false;
};
