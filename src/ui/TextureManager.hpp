#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The one place where image files become textures. A name is either an image path under
// the assets folder or a frame name (sheet file + "_Up"/"_Down"/"_HI", "_UP"/"_DOWN"/"_HI",
// ...) standing for a rectangle of a sprite sheet. Entries are created once, kept until
// exit and never move, so sprites hold plain references; the first registration of a name
// wins. A file that cannot be loaded is logged once with its full path, and every name
// cut from it stays an empty texture. Main thread only.
class TextureManager {
public:
    // One entry of the start-up set: a frame (a rectangle of `file`) or, with an empty
    // rectangle, a whole image stored under `name`.
    struct StartupEntry {
        std::string name;
        std::string file;
        sf::IntRect rect;
        bool whole() const { return rect.width == 0 && rect.height == 0; }
    };
    // Everything registered at start-up, in order. The sheets in the assets folder are drawn
    // to match these rectangles.
    static const std::vector<StartupEntry>& startupSet();

    // The instance over the game's assets folder, created (start-up set included) on first use.
    static TextureManager& get();
    static void destroy();
    // Tests: the next get() reads from `root` (a folder path ending in '/') and registers the
    // start-up set only when asked.
    static void resetForTests(const std::string& root, bool registerStartupSet);

    explicit TextureManager(std::string root, bool registerStartupSet = true);
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    sf::Texture& registerFrame(const std::string& name, const std::string& file, const sf::IntRect& rect);
    sf::Texture& getTexture(const std::string& name);
    sf::Texture& registerTexture(const std::string& name, const std::string& file);
    // Creates or replaces `name` from PNG bytes (a portrait, a memento picture), checked by
    // PictureBytes; bytes it does not take leave an empty texture. Nothing is logged.
    sf::Texture& setTextureFromMemory(const std::string& name, const void* data, std::size_t size);
    // The same for a picture embedded in a file as Base64.
    sf::Texture& setTextureFromBase64(const std::string& name, std::string_view base64);
    void setRepeated(const std::string& name, bool repeated);
    bool contains(const std::string& name) const { return textures_.count(name) != 0; }

private:
    sf::Texture& setTextureFromImage(const std::string& name, const sf::Image& image);
    sf::Texture& handOut(sf::Texture& texture);
    void load(sf::Texture& texture, const std::string& file, const sf::IntRect* rect);

    std::string root_;
    std::unordered_map<std::string, sf::Texture> textures_;
    std::unordered_set<std::string> reportedMissing_;
};
