#include "world/ShipView.hpp"

#include "core/Logger.hpp"
#include "core/NumberConversions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "world/Ship.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

const char* const markerIcon = "mapscreen/map_icon_small.png";

// A green label with a black outline, as every label on the map.
int addMapLabel(const std::string& text)
{
    TextManager& texts = TextManager::get();
    const int id = texts.addRichText(-1.f, 0, 0);
    sfe::RichText& label = texts.getRichText(id);
    label << sf::Color::Green << text;
    label.setOutlineForColor(1.f, sf::Color::Green, sf::Color::Black);
    return id;
}

// The label's width in map pixels.
float labelWidth(int id)
{
    TextManager& texts = TextManager::get();
    return texts.getRichText(id).getGlobalBounds().width / texts.getScale();
}

} // namespace

ShipView::ShipView(const Ship& ship, const std::string& assetsRoot, bool allowShader)
    : ship_(ship)
{
    if (allowShader && sf::Shader::isAvailable()
        && shader_.loadFromFile(assetsRoot + "mapscreen/destShader.frag", sf::Shader::Fragment)) {
        usingShader_ = true;
        shader_.setUniform("texture", sf::Shader::CurrentTexture);
    } else {
        QV_LOG << "Shader Warning: Is not using ShaderDest" << std::endl;
    }
    shipSprite_.setOrigin(22.f, 20.f);
    destinationSprite_.setOrigin(10.f, 10.f);
    nameLabelId_ = addMapLabel("Ruri");
    sync();
}

ShipView::~ShipView()
{
    // Labels outliving the text manager at shutdown are gone with it.
    if (!TextManager::exists())
        return;
    TextManager::get().removeRichText(nameLabelId_);
    removeMarkers();
}

void ShipView::sync()
{
    TextureManager& textures = TextureManager::get();
    shipSprite_.setTexture(textures.getTexture(ship_.getShipFrame()), true);
    shipSprite_.setPosition(ship_.getSpritePosition());
    shipSprite_.setRotation(ship_.getRotation());
    destinationSprite_.setTexture(textures.getTexture(ship_.getDestinationFrame()), true);
    destinationSprite_.setPosition(ship_.getDestinationMarkerPosition());

    // Beside the ship, its right end 10 pixels past the ship's centre.
    const sf::Vector2f at = shipSprite_.getPosition();
    TextManager::get().setRichTextPosition(nameLabelId_, truncateToInt32(at.x - labelWidth(nameLabelId_) + 10.f),
                                           truncateToInt32(at.y - 30.f));
    showNameLabel_ = ship_.isNameLabelShown();
    syncMarkers();
}

void ShipView::syncMarkers()
{
    const std::vector<MissionMarker> markers = ship_.getMissionMarkers();
    bool same = markers.size() == markers_.size();
    for (std::size_t i = 0; same && i < markers.size(); ++i)
        same = markers[i].name == markers_[i].name && markers[i].x == markers_[i].icon.getPosition().x
               && markers[i].y == markers_[i].icon.getPosition().y;
    if (!same) {
        removeMarkers();
        sf::Texture& icon = TextureManager::get().getTexture(markerIcon);
        for (const MissionMarker& marker : markers) {
            Marker view;
            view.name = marker.name;
            view.icon.setTexture(icon);
            view.icon.setPosition(marker.x, marker.y);
            view.labelId = addMapLabel(marker.name);
            // Centred over the icon.
            TextManager::get().setRichTextPosition(view.labelId,
                                                   truncateToInt32(marker.x - labelWidth(view.labelId) / 2.f + 10.f),
                                                   truncateToInt32(marker.y - 5.f));
            markers_.push_back(std::move(view));
        }
    }
    for (std::size_t i = 0; i < markers.size(); ++i)
        markers_[i].showLabel = markers[i].showLabel;
}

void ShipView::removeMarkers()
{
    for (const Marker& marker : markers_)
        TextManager::get().removeRichText(marker.labelId);
    markers_.clear();
}

void ShipView::drawShip(sf::RenderTarget& target) const
{
    target.draw(shipSprite_);
}

void ShipView::drawMarkerIcons(sf::RenderTarget& target) const
{
    for (const Marker& marker : markers_)
        target.draw(marker.icon);
}

const sf::Shader* ShipView::destinationShader(const sf::RenderTarget& target)
{
    if (!usingShader_)
        return nullptr;
    // The shader measures in window pixels with y counted from the bottom.
    const sf::Vector2i ship = target.mapCoordsToPixel(shipSprite_.getPosition());
    shader_.setUniform("shipPos", sf::Glsl::Vec2(static_cast<float>(ship.x),
                                                 static_cast<float>(target.getSize().y) - static_cast<float>(ship.y)));
    return &shader_;
}

void ShipView::draw(sf::RenderTarget& target)
{
    target.draw(destinationSprite_, sf::RenderStates(destinationShader(target)));
    std::vector<int> labels;
    for (const Marker& marker : markers_)
        if (marker.showLabel)
            labels.push_back(marker.labelId);
    if (showNameLabel_)
        labels.push_back(nameLabelId_);
    TextManager::get().drawRichTexts(labels, target);
}
