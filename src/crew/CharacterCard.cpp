#include "crew/CharacterCard.hpp"

#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

const char* const CharacterCard::onlinePlatform = "general/character_related/character_baseplatform_normal_online.png";
const char* const CharacterCard::offlinePlatform = "general/character_related/character_baseplatform_normal_offline.png";
const char* const CharacterCard::nametagTexture = "general/character_related/character_nametag.png";
const char* const CharacterCard::deathIconTexture = "general/character_related/character_death_icon.png";

namespace {

// Points a sprite at a texture, taking the texture's size only when it changes.
void show(sf::Sprite& sprite, const sf::Texture& texture)
{
    if (sprite.getTexture() != &texture || sprite.getTextureRect().width != static_cast<int>(texture.getSize().x)
        || sprite.getTextureRect().height != static_cast<int>(texture.getSize().y))
        sprite.setTexture(texture, true);
}

} // namespace

CharacterCard::CharacterCard()
    : platformName_(onlinePlatform)
{
}

void CharacterCard::clearPictures()
{
    pictures_.clear();
    pictureTextures_.clear();
    portrait_.reset();
}

void CharacterCard::addPicture(const std::string& textureName)
{
    pictures_.emplace_back();
    pictureTextures_.push_back(textureName);
}

void CharacterCard::setPortrait(const sf::Image& image)
{
    addPicture("");
    portrait_ = std::make_shared<Portrait>();
    portrait_->image = image;
}

const sf::Image& CharacterCard::portraitImage() const
{
    static const sf::Image none;
    return portrait_ ? portrait_->image : none;
}

void CharacterCard::setPosition(float x, float y)
{
    for (sf::Sprite& picture : pictures_)
        picture.setPosition(x, y);
    updateBounds();
}

sf::Vector2f CharacterCard::getPosition() const
{
    return pictures_.empty() ? sf::Vector2f() : pictures_.front().getPosition();
}

void CharacterCard::updateBounds()
{
    if (pictures_.empty())
        return;
    sf::FloatRect global = pictures_.front().getGlobalBounds();
    left = global.left;
    top = global.top;
    right = global.left + global.width;
    bottom = global.top + global.height;
}

bool CharacterCard::contains(float x, float y) const
{
    return !pictures_.empty() && x >= left && x <= right && y >= top && y <= bottom;
}

void CharacterCard::placeParts(sf::Vector2f p)
{
    platform_.setPosition(p.x + platformDx, p.y + platformDy);
    badge_.setPosition(p.x + badgeDx, p.y + badgeDy);
    nametag_.setPosition(p.x + nametagDx, p.y + nametagDy);
    setNameTextPosition(p.x + nameTextDx, p.y + nameTextDy);
}

void CharacterCard::setNameTextPosition(float x, float y)
{
    nameTextPosition_ = sf::Vector2f(x, y);
}

const sf::Texture* CharacterCard::pictureTexture(TextureManager& textures, std::size_t index)
{
    if (index == 0 && portrait_) {
        if (!portrait_->texture) {
            portrait_->texture = std::make_unique<sf::Texture>();
            portrait_->texture->loadFromImage(portrait_->image);
            portrait_->texture->setSmooth(false);
        }
        return portrait_->texture.get();
    }
    if (pictureTextures_[index].empty())
        return nullptr;
    return &textures.getTexture(pictureTextures_[index]);
}

const sf::Texture* CharacterCard::faceTexture(TextureManager& textures)
{
    return pictures_.empty() ? nullptr : pictureTexture(textures, 0);
}

void CharacterCard::prepare(TextureManager& textures, const std::string& nameText, const sf::Color& colour,
                            bool deathIcon)
{
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        sf::Sprite& picture = pictures_[i];
        if (i == 0 && deathIcon) {
            show(picture, textures.getTexture(deathIconTexture));
            picture.setOrigin(8.f, -2.f);
            continue;
        }
        if (i == 0)
            picture.setOrigin(0.f, 0.f);
        if (const sf::Texture* texture = pictureTexture(textures, i)) {
            show(picture, *texture);
        } else if (picture.getTexture()) {
            sf::Vector2f position = picture.getPosition();
            picture = sf::Sprite(); // no picture: not even the death icon it showed before
            picture.setPosition(position);
        }
    }
    show(platform_, textures.getTexture(platformName_));
    show(nametag_, textures.getTexture(nametagTexture));
    if (!badgeName_.empty())
        show(badge_, textures.getTexture(badgeName_));
    label_.show(nameText, colour, static_cast<int>(nameTextPosition_.x), static_cast<int>(nameTextPosition_.y));
    updateBounds();
}

void CharacterCard::draw(sf::RenderTarget& target, const sf::Sprite* focusHighlight, bool withPictures,
                         bool lit) const
{
    target.draw(nametag_);
    if (!inSlot && label_.id() >= 0)
        TextManager::get().drawTexts({ label_.id() }, target);
    target.draw(platform_);
    if (focused && focusHighlight) {
        sf::Sprite highlight(*focusHighlight);
        highlight.setPosition(platform_.getPosition());
        target.draw(highlight);
    }
    if (!badgeName_.empty())
        target.draw(badge_);
    if (withPictures)
        drawPictures(target, lit);
}

void CharacterCard::drawPictures(sf::RenderTarget& target, bool lit) const
{
    for (const sf::Sprite& picture : pictures_) {
        if (!picture.getTexture())
            continue;
        target.draw(picture);
        if (lit)
            target.draw(picture, sf::BlendAdd);
    }
}
