#pragma once

#include "crew/CardLabel.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <memory>
#include <string>
#include <vector>

class TextureManager;

namespace sf {
class RenderTarget;
}

// The drawable side of a crew member: its pictures (the portrait first) standing on a base
// platform, a name tag with the name under it, and a small badge beside the portrait (rank
// insignia or origin mark). The card keeps the *names* of its textures and a decoded
// portrait; its sprites are pointed at textures by prepare(), on the main thread, just
// before the card is laid out or drawn. So cards can be read, copied and changed on any
// thread and without a window. A portrait belongs to its character (copies share it), never
// to a name, so two characters of the same name keep their own faces.
class CharacterCard {
public:
    // Where the parts stand relative to the card position P.
    static constexpr float platformDx = -14.f, platformDy = -5.f;
    static constexpr float badgeDx = 14.f, badgeDy = 0.f;
    static constexpr float nametagDx = -20.f, nametagDy = 28.f;
    static constexpr float nameTextDx = -16.f, nameTextDy = 31.f;
    static const char* const onlinePlatform;
    static const char* const offlinePlatform;
    static const char* const nametagTexture;
    static const char* const deathIconTexture;

    CharacterCard();

    // Pictures, in order; the first is the card's face and defines its bounds.
    void clearPictures();
    // A picture showing the registry texture `textureName` ("" for none).
    void addPicture(const std::string& textureName);
    // The first picture shows `image` from now on, on a texture of this card's own.
    void setPortrait(const sf::Image& image);
    std::size_t pictureCount() const { return pictures_.size(); }
    bool hasPortrait() const { return portrait_ != nullptr; }
    // The decoded portrait (an empty image without one).
    const sf::Image& portraitImage() const;

    // Every picture goes to (x, y); then the bounds follow.
    void setPosition(float x, float y);
    sf::Vector2f getPosition() const;
    // Left, top, right, bottom of the first picture; left as they were without pictures.
    void updateBounds();
    bool contains(float x, float y) const;
    float left = 0.f, top = 0.f, right = 0.f, bottom = 0.f;

    // Platform, badge, name tag and name text at their offsets from P.
    void placeParts(sf::Vector2f p);
    void setPlatformPosition(float x, float y) { platform_.setPosition(x, y); }
    void setBadgePosition(float x, float y) { badge_.setPosition(x, y); }
    void setNametagPosition(float x, float y) { nametag_.setPosition(x, y); }
    void setNameTextPosition(float x, float y);
    void setPlatformTexture(const std::string& name) { platformName_ = name; }
    const std::string& getPlatformTexture() const { return platformName_; }
    // "" shows no badge.
    void setBadgeTexture(const std::string& name) { badgeName_ = name; }
    const std::string& getBadgeTexture() const { return badgeName_; }
    sf::Vector2f getPlatformPosition() const { return platform_.getPosition(); }
    sf::Vector2f getBadgePosition() const { return badge_.getPosition(); }
    sf::Vector2f getNametagPosition() const { return nametag_.getPosition(); }
    sf::Vector2f getNameTextPosition() const { return nameTextPosition_; }

    // Main thread: textures of every part (the death icon on the first picture when
    // `deathIcon`) and the name label, then the bounds for the new picture sizes.
    void prepare(TextureManager& textures, const std::string& nameText, const sf::Color& colour, bool deathIcon);
    // The texture the first picture shows when alive (the info panel's portrait); nullptr
    // without pictures. Main thread.
    const sf::Texture* faceTexture(TextureManager& textures);
    // Main thread, after prepare(): name tag, name text (not while in a slot), platform, the
    // focus highlight when focused, badge, and the pictures unless `withPictures` is false.
    // `lit` draws each picture a second time, additively.
    void draw(sf::RenderTarget& target, const sf::Sprite* focusHighlight, bool withPictures, bool lit) const;
    void drawPictures(sf::RenderTarget& target, bool lit) const;
    int nameTextId() const { return label_.id(); }

    sf::Vector2f homePosition;
    bool inSlot = false;
    bool focused = false;

private:
    struct Portrait {
        sf::Image image;
        std::unique_ptr<sf::Texture> texture; // made on the main thread when first shown
    };
    const sf::Texture* pictureTexture(TextureManager& textures, std::size_t index);

    std::vector<sf::Sprite> pictures_;
    std::vector<std::string> pictureTextures_;
    std::shared_ptr<Portrait> portrait_;
    sf::Sprite platform_;
    sf::Sprite nametag_;
    sf::Sprite badge_;
    std::string platformName_;
    std::string badgeName_;
    sf::Vector2f nameTextPosition_;
    CardLabel label_;
};
