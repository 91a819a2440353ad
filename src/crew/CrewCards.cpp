#include "crew/CrewCards.hpp"

#include "ui/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

const sf::Vector2f CrewCards::outOfView(-50.f, -50.f);
const char* const CrewCards::highlightTexture = "general/character_related/character_baseplatform_selected.png";

namespace {

constexpr int cardsDrawn = 16;

void showRank(Character& member)
{
    if (member.timesDeployed >= 1)
        member.card.setBadgeTexture("general/ranks/rank_" + std::to_string(member.timesDeployed) + ".png");
}

} // namespace

void CrewCards::placeInGrid(TextureManager& textures, Character& member, sf::Vector2f p, bool platformShown,
                            bool deathIcon)
{
    member.card.setPlatformTexture(CharacterCard::onlinePlatform);
    showRank(member);
    member.card.placeParts(p);
    if (!platformShown)
        member.card.setPlatformPosition(outOfView.x, outOfView.y);
    member.setPosition(p.x, p.y);
    member.card.homePosition = p;
    member.prepareCard(textures, deathIcon);
}

void CrewCards::layoutGrid(TextureManager& textures, std::deque<Character>& crew, float x0, float y0, int perRow,
                           int start, bool clearSlots)
{
    perRow = std::max(perRow, 1);
    const std::size_t first = static_cast<std::size_t>(std::max(start, 0));
    for (std::size_t k = 0; k < crew.size() && k < first; ++k)
        crew[k].card.setPlatformPosition(outOfView.x, outOfView.y);
    for (std::size_t k = first; k < crew.size(); ++k) {
        const int number = static_cast<int>(k - first);
        const int column = number % perRow;
        const int row = number / perRow;
        const sf::Vector2f p(x0 + columnStep * static_cast<float>(column), y0 + rowStep * static_cast<float>(row));
        Character& member = crew[k];
        if (clearSlots)
            member.card.inSlot = false;
        if (member.card.inSlot) {
            member.card.homePosition = p;
            continue;
        }
        placeInGrid(textures, member, p, row < perRow, member.isDead);
    }
    rebuildRows(crew);
}

void CrewCards::layoutCrewView(TextureManager& textures, std::deque<Character>& crew, std::deque<Character>& dead,
                               int start)
{
    constexpr int perRow = 4;
    const std::size_t first = static_cast<std::size_t>(std::max(start, 0));
    const std::size_t total = crew.size() + dead.size();
    for (std::size_t k = first; k < total; ++k) {
        const bool living = k < crew.size();
        Character& member = living ? crew[k] : dead[k - crew.size()];
        const int number = static_cast<int>(k - first);
        const sf::Vector2f p(40.f + columnStep * static_cast<float>(number % perRow),
                             57.f + rowStep * static_cast<float>(number / perRow));
        member.card.inSlot = false;
        // Those already moved to the list of the dead show their faces again.
        placeInGrid(textures, member, p, true, living && member.isDead);
    }
    rebuildRows(crew);
}

void CrewCards::rebuildRows(std::deque<Character>& crew)
{
    rows.clear();
    for (std::size_t k = 0; k < crew.size(); ++k) {
        Character& member = crew[k];
        member.updateBounds();
        if (member.card.pictureCount() == 0)
            continue;
        rows[member.card.getPosition().y].push_back(k);
    }
}

int CrewCards::cardAt(const std::deque<Character>& crew, float x, float y) const
{
    for (const auto& [rowY, positions] : rows)
        for (std::size_t position : positions)
            if (position < crew.size() && crew[position].card.contains(x, y))
                return static_cast<int>(position);
    return -1;
}

void CrewCards::prepareHighlight(TextureManager& textures)
{
    const sf::Texture& texture = textures.getTexture(highlightTexture);
    if (highlight_.getTexture() != &texture) {
        highlight_.setTexture(texture, true);
        highlight_.setOrigin(-4.f, -5.f);
    }
}

void CrewCards::drawCard(sf::RenderTarget& target, Character& member, bool withPictures, bool blinkLit)
{
    member.card.draw(target, &highlight_, withPictures, blinkLit && member.unseenMementos);
}

void CrewCards::draw(sf::RenderTarget& target, TextureManager& textures, std::deque<Character>& crew, int start,
                     bool blinkLit)
{
    prepareHighlight(textures);
    const std::size_t first = static_cast<std::size_t>(std::max(start, 0));
    const std::size_t end = std::min(crew.size(), first + cardsDrawn);
    for (std::size_t k = first; k < end; ++k) {
        crew[k].prepareCard(textures, crew[k].isDead);
        drawCard(target, crew[k], static_cast<int>(k) != draggedIndex, blinkLit);
    }
    // Cards on the team slots lie over the grid, and the dragged card over everything.
    for (std::size_t k = 0; k < crew.size(); ++k) {
        if (!crew[k].card.inSlot || static_cast<int>(k) == draggedIndex)
            continue;
        crew[k].prepareCard(textures, crew[k].isDead);
        crew[k].card.drawPictures(target, blinkLit && crew[k].unseenMementos);
    }
    if (draggedIndex >= 0 && static_cast<std::size_t>(draggedIndex) < crew.size()) {
        Character& dragged = crew[static_cast<std::size_t>(draggedIndex)];
        dragged.prepareCard(textures, dragged.isDead);
        target.draw(highlight_);
        dragged.card.drawPictures(target, false);
    }
}

void CrewCards::drawCrewView(sf::RenderTarget& target, TextureManager& textures, std::deque<Character>& crew,
                             std::deque<Character>& dead, int start, bool blinkLit)
{
    prepareHighlight(textures);
    const std::size_t first = static_cast<std::size_t>(std::max(start, 0));
    const std::size_t total = crew.size() + dead.size();
    const std::size_t end = std::min(total, first + cardsDrawn);
    for (std::size_t k = first; k < end; ++k) {
        const bool living = k < crew.size();
        Character& member = living ? crew[k] : dead[k - crew.size()];
        member.prepareCard(textures, living && member.isDead);
        drawCard(target, member, true, blinkLit);
    }
}
