#include "world/SectorView.hpp"

#include "core/NumberConversions.hpp"
#include "core/TextFunctions.hpp"
#include "missions/Mission.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "world/Sector.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <string>

namespace {

const char* const spacePicture = "mapscreen/space_tiles.png";
const char* const baseTexture = "mapscreen/mapscreen_base.png";
const char* const visitedBaseTexture = "mapscreen/mapscreen_base_red.png";
constexpr int spaceCellSize = 128;

std::string spaceCellName(int cell)
{
    return std::string(spacePicture) + "_cell" + std::to_string(cell);
}

// Pictures that do not sit on the usual origin of the tile sprites.
sf::Vector2f planetOrigin(const std::string& picture)
{
    if (picture == "barren_moon.png")
        return {6.f, 0.f};
    if (picture == "spacestation.png")
        return {8.f, 0.f};
    if (picture == "spacestation_2.png")
        return {0.f, -8.f};
    return {8.f, 8.f};
}

// Gives the sprite picture `index` of `pictures` at `at`; false when there is no such picture.
bool showPicture(sf::Sprite& sprite, const std::vector<std::string>& pictures, int index, sf::Vector2f at)
{
    if (index < 0 || static_cast<std::size_t>(index) >= pictures.size())
        return false;
    sprite.setTexture(TextureManager::get().getTexture(pictures[static_cast<std::size_t>(index)]));
    sprite.setPosition(at);
    return true;
}

} // namespace

SectorView::SectorView(const Sector& sector, SectorPictures pictures)
    : sector_(sector)
    , pictures_(std::move(pictures))
{
    TextureManager& textures = TextureManager::get();
    // The 4 x 4 cells of the space picture, column by column.
    for (int cell = 0; cell < SectorLayout::spaceCells; ++cell)
        textures.registerFrame(spaceCellName(cell), spacePicture,
                               sf::IntRect(spaceCellSize * (cell / 4), spaceCellSize * (cell % 4), spaceCellSize,
                                           spaceCellSize));
    // Missions name their picture by its bare file name.
    for (const std::string& planet : pictures_.planets)
        textures.registerTexture(planet, "mapscreen/planets/" + planet);
    for (std::size_t i = 0; i < background_.size(); ++i)
        background_[i].setPosition(static_cast<float>(spaceCellSize * static_cast<int>(i / 3)),
                                   static_cast<float>(spaceCellSize * static_cast<int>(i % 3)));
    sync();
}

SectorView::~SectorView()
{
    if (TextManager::exists())
        removeLabels();
}

void SectorView::sync()
{
    const SectorLayout& layout = sector_.layout();
    if (!built_ || builtRevision_ != layout.revision() || tiles_.size() != layout.tiles().size())
        rebuild();
    TextureManager& textures = TextureManager::get();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (!tiles_[i].hasPlanet)
            continue;
        const Mission* mission = sector_.missionOnTile(layout.tiles()[i]);
        const bool visited = mission && mission->isCompleted;
        const bool detected = layout.tiles()[i].shouldDrawNameText;
        if (visited == tiles_[i].visited && detected == tiles_[i].detected)
            continue;
        tiles_[i].base.setTexture(textures.getTexture(visited ? visitedBaseTexture : baseTexture), true);
        tiles_[i].visited = visited;
        tiles_[i].detected = detected;
        ++backgroundRevision_;
    }
}

void SectorView::rebuild()
{
    removeLabels();
    const SectorLayout& layout = sector_.layout();
    TextureManager& textures = TextureManager::get();
    TextManager& texts = TextManager::get();
    for (std::size_t i = 0; i < background_.size(); ++i)
        background_[i].setTexture(textures.getTexture(spaceCellName(layout.backgroundCells()[i])), true);

    tiles_.assign(layout.tiles().size(), TileSprites());
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const SectorTile& tile = layout.tiles()[i];
        TileSprites& sprites = tiles_[i];
        const sf::Vector2f corner(tile.left, tile.top);
        for (sf::Sprite* sprite : {&sprites.asteroidBackground, &sprites.asteroidForeground, &sprites.planet,
                                   &sprites.base})
            sprite->setOrigin(8.f, 8.f);
        if (tile.asteroids) {
            sprites.hasAsteroidBackground = showPicture(sprites.asteroidBackground, pictures_.asteroidBackgrounds,
                                                        tile.asteroidBackground, corner);
            sprites.hasAsteroidForeground = showPicture(sprites.asteroidForeground, pictures_.asteroidForegrounds,
                                                        tile.asteroidForeground, corner);
        }
        if (tile.hasMission()) {
            sprites.hasPlanet = true;
            sprites.planet.setTexture(textures.getTexture(tile.textureName));
            sprites.planet.setOrigin(planetOrigin(tile.textureName));
            sprites.planet.setPosition(corner + sf::Vector2f(4.f, 4.f));
            sprites.base.setTexture(textures.getTexture(baseTexture));
            sprites.base.setPosition(sprites.planet.getPosition());
        }
        if (!tile.nameText.empty()) {
            sprites.nameLabelId = texts.addText(4, 9, tile.nameText);
            sf::Text& name = texts.getText(sprites.nameLabelId);
            name.setFillColor(sf::Color::Green);
            name.setOutlineColor(sf::Color::Black);
            name.setOutlineThickness(1.f);
            // Centred over the tile, one line above it.
            const float width = name.getGlobalBounds().width / texts.getScale();
            texts.setTextPosition(sprites.nameLabelId, truncateToInt32(tile.left + 22.f - width / 2.f),
                                  truncateToInt32(tile.top - UiHost::get().defaultTextSize()));
        }
        sprites.tagId = texts.addRichText(-1.f, truncateToInt32(tile.left), truncateToInt32(tile.top));
        sfe::RichText& tag = texts.getRichText(sprites.tagId);
        tag << sf::Color::Green << (std::to_string(tile.gridX) + "," + std::to_string(tile.gridY));
        if (tile.asteroids)
            tag << amberColor << "S";
    }
    builtRevision_ = layout.revision();
    built_ = true;
    ++backgroundRevision_;
}

void SectorView::removeLabels()
{
    TextManager& texts = TextManager::get();
    for (const TileSprites& sprites : tiles_) {
        if (sprites.nameLabelId >= 0)
            texts.removeText(sprites.nameLabelId);
        texts.removeRichText(sprites.tagId);
    }
    tiles_.clear();
}

void SectorView::drawBackground(sf::RenderTarget& target) const
{
    for (const sf::Sprite& cell : background_)
        target.draw(cell);
    const std::vector<SectorTile>& tiles = sector_.layout().tiles();
    for (std::size_t i = 0; i < tiles_.size() && i < tiles.size(); ++i) {
        const TileSprites& sprites = tiles_[i];
        if (sprites.hasAsteroidBackground)
            target.draw(sprites.asteroidBackground);
        if (sprites.hasPlanet) {
            target.draw(sprites.planet);
            if (tiles[i].shouldDrawNameText)
                target.draw(sprites.base);
        }
        if (sprites.hasAsteroidForeground)
            target.draw(sprites.asteroidForeground);
    }
}

void SectorView::drawBasesAndNames(sf::RenderTarget& target, bool planetCheat, const sf::Shader* baseShader,
                                   int hoveredTile) const
{
    const std::vector<SectorTile>& tiles = sector_.layout().tiles();
    for (std::size_t i = 0; i < tiles_.size() && i < tiles.size(); ++i) {
        if (!tiles_[i].hasPlanet || !(tiles[i].shouldDrawNameText || planetCheat))
            continue;
        target.draw(tiles_[i].base, sf::RenderStates(baseShader));
        if (static_cast<int>(i) == hoveredTile && tiles_[i].nameLabelId >= 0)
            TextManager::get().drawTexts({tiles_[i].nameLabelId}, target);
    }
}

void SectorView::drawTags(sf::RenderTarget& target) const
{
    std::vector<int> tags;
    for (const TileSprites& sprites : tiles_)
        tags.push_back(sprites.tagId);
    TextManager::get().drawRichTexts(tags, target);
}
