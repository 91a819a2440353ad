#pragma once

#include "crew/Character.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

#include <array>
#include <vector>

class TextureManager;

namespace sf {
class RenderTarget;
}

// The details of one crew member beside the crew grids: name (marked when dead), portrait,
// wrapped biography, traits in two columns (the first trait and species left out), the
// leader, medic and engineer experience with four pips each, and the memento grid, 4 x 5
// to a page. Its texts are made when first shown and removed with the panel. Main thread only.
class CharacterInfoPanel {
public:
    static constexpr int historyWidth = 108;
    static constexpr int gridColumns = 4;
    static constexpr int gridRows = 5;
    static constexpr int pageSize = gridColumns * gridRows;

    CharacterInfoPanel() = default;
    CharacterInfoPanel(const CharacterInfoPanel&) = delete;
    CharacterInfoPanel& operator=(const CharacterInfoPanel&) = delete;
    ~CharacterInfoPanel();

    void show(TextureManager& textures, float x, float y, Character& character, bool withExperience);
    // Empties the name and biography, removes the traits and pips.
    void clear();
    void draw(sf::RenderTarget& target) const;

    // The memento of `page` under `point` in a grid whose first cell is at `origin`, or -1.
    static int mementoAt(const Character& character, int page, sf::Vector2f origin, sf::Vector2f point);
    // The mementos of `page`; `hovered` (an index into all mementos, or -1) is drawn 3 higher.
    static void drawMementoGrid(sf::RenderTarget& target, Character& character, int page, sf::Vector2f origin,
                                int hovered);

    int nameTextId() const { return nameText_; }
    int historyTextId() const { return historyText_; }
    const std::vector<int>& traitTextIds() const { return traitTexts_; }
    const std::vector<sf::Sprite>& pips() const { return pips_; }
    const std::array<int, 3>& experienceLabelIds() const { return labels_; }
    const sf::Sprite& portrait() const { return portrait_; }
    bool showsPortrait() const { return portraitShown_; }

private:
    void ensureTexts();

    int nameText_ = -1;
    int historyText_ = -1;
    std::array<int, 3> labels_ { -1, -1, -1 };
    std::vector<int> traitTexts_;
    std::vector<sf::Sprite> pips_;
    bool experienceShown_ = false;
    sf::Sprite portrait_;
    bool portraitShown_ = false;
};
