#pragma once

#include <json/json.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <memory>
#include <string>

class PlayerStats;

namespace sf {
class Font;
class RenderTarget;
}

// A keepsake a crew member carries: a name, a picture with a small inset picture, a
// description and the line that says where it came from. Mementos are read from
// "mementos/<name>.json" in the assets and saved inside the character that holds them,
// pictures included (as Base64), so a saved crew member keeps its mementos even when the
// assets change. The four badges every crew member wears are mementos too, renamed and
// re-pictured after each mission. Crew members share them by shared_ptr.
//
// Pictures are kept decoded in memory and become textures only when first drawn, so
// loading, giving and saving never need a window.
class Memento {
public:
    // `assetsRoot` is the assets folder (ending in "/") that holds "mementos/images/".
    explicit Memento(std::string assetsRoot);
    Memento();
    Memento(const Memento&) = delete;
    Memento& operator=(const Memento&) = delete;

    // Loads a memento file; `fileName` (memento name + ".json") identifies it afterwards,
    // even when the file carries a "LoadedFilename" of its own.
    // False when the file is missing, unparsable or holds a value of the wrong type (all
    // logged with the file); the memento is then not fit to be given.
    bool loadFile(const std::string& fullPath, const std::string& fileName);
    // Throws std::runtime_error("generation") for a member that is not text.
    void fromJson(const Json::Value& object);
    // Self-contained: both pictures are embedded as Base64.
    Json::Value toJson() const;

    // Personalises the memento for the crew member it is given to. `day` is the jump count
    // at that moment (-1 for the badges); `missionName` may be "" or "null" for none.
    void setOwner(const std::string& characterName, int day, const std::string& missionName);

    // The badges: new title, description (an empty one keeps the old), pictures from the
    // assets' "mementos/images/" (the next save embeds the new file).
    void setName(const std::string& newName) { name = newName; }
    void setDescription(const std::string& newDescription);
    void setPicture(const std::string& fileName);
    void setInsetPicture(const std::string& fileName);

    // The memento given to a crew member: loads "mementos/<mementoName>.json" from the
    // assets, personalises it and counts it in the player statistics (the "death" memento
    // is not a collectible). nullptr, with a log line, when it cannot be loaded; the
    // character appends the result to its mementos and marks them unseen.
    static std::shared_ptr<Memento> give(const std::string& characterName, int day, const std::string& mementoName,
                                         const std::string& missionName, PlayerStats* stats,
                                         const std::string& assetsRoot);
    // Whether this memento came from the file of `mementoName` (how hasMemento compares).
    bool answersTo(const std::string& mementoName) const { return loadedFilename == mementoName + ".json"; }

    // The detail view at the right of the crew view: picture, inset, origin and description.
    void draw(sf::RenderTarget& target, const sf::Font& font);
    // One cell of a crew member's memento grid: the picture on a small framed screen,
    // `cellSize` square, with its top-left corner at `position`.
    static constexpr float cellSize = 36.f;
    void drawCell(sf::RenderTarget& target, sf::Vector2f position);

    const std::string& getName() const { return name; }
    const std::string& getDescription() const { return description; }
    const std::string& getOrigin() const { return origin; }
    const std::string& getLoadedFilename() const { return loadedFilename; }
    const std::string& getMementoSprite() const { return mementoSprite; }
    const std::string& getInsetSprite() const { return insetSprite; }
    const sf::Image& getPictureImage() const { return pictureImage; }
    const sf::Image& getInsetImage() const { return insetImage; }

private:
    // One picture slot: its file name under "mementos/images/", the embedded copy (empty
    // when it comes from the assets), the decoded pixels and, once drawn, the texture.
    struct Picture {
        std::string& sprite;
        std::string& base64;
        sf::Image& image;
        std::unique_ptr<sf::Texture>& texture;
    };
    Picture picture();
    Picture inset();
    // The picture's texture, made from its pixels the first time it is drawn; nullptr for
    // an empty picture. Main thread.
    static const sf::Texture* texture(Picture slot);
    void loadPicture(Picture slot, const Json::Value& object, const char* key);
    void loadPictureFromAssets(Picture slot);
    std::string embeddedPicture(const std::string& sprite, const std::string& base64) const;

    std::string assetsRoot;
    std::string name;
    std::string description;
    std::string origin;
    std::string loadedFilename;
    std::string mementoSprite;
    std::string mementoImageBase64;
    std::string insetSprite;
    std::string insetImageBase64;
    sf::Image pictureImage;
    sf::Image insetImage;
    std::unique_ptr<sf::Texture> pictureTexture;
    std::unique_ptr<sf::Texture> insetTexture;
};
