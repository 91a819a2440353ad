#pragma once

#include "ui/WindowScreen.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <functional>
#include <string>
#include <vector>

// The sector summary window, shown after every light jump and from the map's sector button:
// the ship's status, a recap of the story, the sector's designation with its points of
// interest, and the report of the jump. It keeps copies of the texts it was opened with, so
// a later rebuild of the summary does not change an open window.
//
// The close button, Escape, Space and Enter release the map's sector button
// (onSectorButtonReleased); only the close button closes the window.
class SectorWindowScreen : public WindowScreen {
public:
    SectorWindowScreen(const std::string& statusText, const std::string& recapText,
                       const std::string& designationText, const std::string& jumpText);
    ~SectorWindowScreen() override;

    void draw(sf::RenderTarget& target) override;
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view) override;

    std::function<void()> onSectorButtonReleased;

    // The rich texts, in drawing order: status, recap, designation, jump (tests).
    const std::vector<int>& textIds() const { return textIds_; }

private:
    bool isClosingGesture(const sf::Event& event, sf::RenderTarget& window, const sf::View& view);

    sf::Sprite blueprint_;
    sf::Sprite panel_;
    std::vector<int> textIds_;
};
