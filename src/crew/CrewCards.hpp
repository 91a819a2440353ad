#pragma once

#include "crew/Character.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <cstddef>
#include <deque>
#include <map>
#include <vector>

class TextureManager;

namespace sf {
class RenderTarget;
}

// The crew cards on screen: grids of cards, the rows used to find the card under the
// pointer, and drawing them with the focus highlight and the unseen-memento blink. Works
// on the roster's lists, which the roster keeps locked meanwhile. Main thread only.
class CrewCards {
public:
    static constexpr float columnStep = 57.f;
    static constexpr float rowStep = 53.f;
    static const sf::Vector2f outOfView;
    static const char* const highlightTexture;

    // Cards from `start` on, `perRow` to a row, from (x0, y0); the platforms of the cards
    // before `start`, and of rows beyond `perRow`, leave the view. A card still on a slot
    // (when `clearSlots` is false) stays where it is and only learns its home.
    void layoutGrid(TextureManager& textures, std::deque<Character>& crew, float x0, float y0, int perRow,
                    int start, bool clearSlots);
    // The whole crew, living then dead, four to a row, from member `start` on.
    void layoutCrewView(TextureManager& textures, std::deque<Character>& crew, std::deque<Character>& dead,
                        int start);
    // Rows of the crew grid keyed by the cards' y; cards without pictures are left out.
    void rebuildRows(std::deque<Character>& crew);
    // The crew position of the card containing the point (edges included), or -1.
    int cardAt(const std::deque<Character>& crew, float x, float y) const;

    // Up to 16 cards from `start`, then the cards on slots again on top, then the dragged one.
    // `blinkLit`: unseen mementos light their cards this frame.
    void draw(sf::RenderTarget& target, TextureManager& textures, std::deque<Character>& crew, int start,
              bool blinkLit);
    // The whole-crew view: living then dead, up to 16 cards from `start`.
    void drawCrewView(sf::RenderTarget& target, TextureManager& textures, std::deque<Character>& crew,
                      std::deque<Character>& dead, int start, bool blinkLit);

    std::map<float, std::vector<std::size_t>> rows;
    // Position in the crew of the card being dragged (deploy screen), or -1.
    int draggedIndex = -1;

private:
    void placeInGrid(TextureManager& textures, Character& member, sf::Vector2f p, bool platformShown, bool deathIcon);
    void drawCard(sf::RenderTarget& target, Character& member, bool withPictures, bool blinkLit);
    void prepareHighlight(TextureManager& textures);

    sf::Sprite highlight_;
};
