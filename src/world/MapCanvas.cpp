#include "world/MapCanvas.hpp"

#include "core/Logger.hpp"
#include "world/FogShader.hpp"
#include "world/Sector.hpp"
#include "world/ShipView.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cmath>

namespace {

const sf::IntRect wholeMap(0, 0, MapCanvas::pixelWidth, MapCanvas::pixelHeight);

// The whole map pixels covering `area`, cut to the map; empty when they miss it.
sf::IntRect coveringPixels(const sf::FloatRect& area)
{
    const int left = std::max(0, static_cast<int>(std::floor(area.left)));
    const int top = std::max(0, static_cast<int>(std::floor(area.top)));
    const int right = std::min(wholeMap.width, static_cast<int>(std::ceil(area.left + area.width)));
    const int bottom = std::min(wholeMap.height, static_cast<int>(std::ceil(area.top + area.height)));
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

sf::IntRect joined(const sf::IntRect& a, const sf::IntRect& b)
{
    const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    const int right = std::max(a.left + a.width, b.left + b.width);
    const int bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}

} // namespace

MapCanvas::MapCanvas(const Sector& sector, ShipView& shipView, SectorPictures pictures, const FogShader& fogShader)
    : sector_(sector)
    , shipView_(shipView)
    , fogShader_(fogShader)
    , sectorView_(sector, std::move(pictures))
{
    seenFog_ = sector_.fog().revision();
}

void MapCanvas::sync()
{
    sectorView_.sync();
    if (sectorView_.backgroundRevision() != seenBackground_) {
        seenBackground_ = sectorView_.backgroundRevision();
        belowStale_ = true;
    }
    const FogOfWar& fog = sector_.fog();
    if (fog.revision() != seenFog_) {
        // One change since the last look: only where it was. More: the whole map.
        markStale(fog.revision() == seenFog_ + 1 ? fog.lastChange() : sf::FloatRect(wholeMap));
        seenFog_ = fog.revision();
    }
}

void MapCanvas::markStale(const sf::FloatRect& area)
{
    const sf::IntRect pixels = coveringPixels(area);
    if (pixels.width == 0)
        return;
    worldStale_ = worldStale_ ? joined(*worldStale_, pixels) : pixels;
}

bool MapCanvas::prepare()
{
    if (tried_)
        return ready_;
    tried_ = true;
    ready_ = below_.create(pixelWidth, pixelHeight) && world_.create(pixelWidth, pixelHeight);
    if (!ready_) {
        QV_LOG << "Warning: MapCanvas, no render textures; the map is drawn directly" << std::endl;
        return false;
    }
    below_.setSmooth(false);
    world_.setSmooth(false);
    return true;
}

void MapCanvas::refresh()
{
    if (belowStale_) {
        below_.clear(sf::Color::Black);
        sectorView_.drawBackground(below_);
        below_.display();
        belowStale_ = false;
        worldStale_ = wholeMap;
    }
    if (!worldStale_)
        return;
    // Only the stale part: a view onto it whose viewport is the same part of the picture
    // keeps every other pixel as it was.
    const sf::IntRect& area = *worldStale_;
    sf::View view {sf::FloatRect(area)};
    view.setViewport(sf::FloatRect(static_cast<float>(area.left) / pixelWidth, static_cast<float>(area.top) / pixelHeight,
                                   static_cast<float>(area.width) / pixelWidth,
                                   static_cast<float>(area.height) / pixelHeight));
    world_.setView(view);
    world_.draw(sf::Sprite(below_.getTexture()), sf::RenderStates(sf::BlendNone));
    sector_.fog().draw(world_, fogShader_.shader());
    world_.display();
    worldStale_.reset();
}

void MapCanvas::draw(sf::RenderTarget& target, bool planetCheat, int hoveredTile)
{
    if (prepare()) {
        refresh();
        target.draw(sf::Sprite(world_.getTexture()), sf::RenderStates(sf::BlendNone));
    } else {
        sectorView_.drawBackground(target);
        sector_.fog().draw(target, fogShader_.shader());
    }
    sectorView_.drawBasesAndNames(target, planetCheat, shipView_.destinationShader(target), hoveredTile);
    shipView_.drawMarkerIcons(target);
    shipView_.drawShip(target);
}
