#include "core/Base64.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <fstream>
#include <iterator>
#include <map>

namespace {

class TextureManagerTest : public UiTest {
protected:
    std::size_t count(const std::string& haystack, const std::string& needle)
    {
        std::size_t n = 0;
        for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
            ++n;
        return n;
    }
};

} // namespace

TEST_F(TextureManagerTest, FirstRegistrationOfAFrameWinsAndFramesAreClippedToTheImage)
{
    writeButtonSheet(assets + "general/button_leave.png", 50, 24, sf::Color::Red, sf::Color::Green, sf::Color::Blue);
    TextureManager textures(assets, false);
    sf::Texture& up = textures.registerFrame("leave_Up", "general/button_leave.png", sf::IntRect(2, 0, 50, 24));
    sf::Texture& again = textures.registerFrame("leave_Up", "general/button_leave.png", sf::IntRect(0, 0, 10, 10));
    EXPECT_EQ(&up, &again);
    EXPECT_EQ(up.getSize(), sf::Vector2u(50, 24));
    EXPECT_EQ(up.copyToImage().getPixel(0, 0), sf::Color::Red);

    // The crew icon's Down frame reaches past the bottom of its sheet (52 x 74 here).
    sf::Texture& tall = textures.registerFrame("hi", "general/button_leave.png", sf::IntRect(0, 48, 52, 40));
    EXPECT_EQ(tall.getSize(), sf::Vector2u(52, 26));
    EXPECT_EQ(tall.copyToImage().getPixel(0, 0), sf::Color::Blue);
    EXPECT_FALSE(tall.isSmooth());
}

TEST_F(TextureManagerTest, AMissingFileIsLoggedOnceWithItsFullPathAndStaysEmpty)
{
    TextureManager textures(assets, false);
    sf::Texture& first = textures.getTexture("nowhere/missing.png");
    sf::Texture& second = textures.getTexture("nowhere/missing.png");
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first.getSize(), sf::Vector2u(0, 0));
    // A frame name never registered is taken for a file name.
    textures.getTexture("general/button_leave.png_Up");
    const std::string log = logText();
    EXPECT_EQ(count(log, assets + "nowhere/missing.png\n"), 1u);
    EXPECT_EQ(count(log, assets + "general/button_leave.png_Up\n"), 1u);
}

TEST_F(TextureManagerTest, TexturesFromMemoryAreReplacedInPlace)
{
    writeImage(assets + "a.png", 3, 2, sf::Color::Red);
    writeImage(assets + "b.png", 3, 2, sf::Color::Cyan);
    auto bytes = [&](const std::string& file) {
        std::ifstream in(assets + file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    TextureManager textures(assets, false);
    const std::string red = bytes("a.png");
    sf::Texture& portrait = textures.setTextureFromMemory("portrait", red.data(), red.size());
    sf::Sprite sprite(portrait);
    const std::string cyan = bytes("b.png");
    sf::Texture& replaced = textures.setTextureFromMemory("portrait", cyan.data(), cyan.size());
    EXPECT_EQ(&replaced, sprite.getTexture());
    EXPECT_EQ(sprite.getTexture()->copyToImage().getPixel(1, 1), sf::Color::Cyan);

    const std::string junk = "not a picture";
    textures.setTextureFromMemory("portrait", junk.data(), junk.size());
    EXPECT_EQ(portrait.getSize(), sf::Vector2u(0, 0));

    // Through Base64, and past the size cap: the previous picture never stays.
    textures.setTextureFromBase64("portrait", Base64::encode(red));
    EXPECT_EQ(portrait.copyToImage().getPixel(1, 1), sf::Color::Red);
    std::string huge = red;
    huge[16] = huge[20] = '\x7f';
    textures.setTextureFromMemory("portrait", huge.data(), huge.size());
    EXPECT_EQ(portrait.getSize(), sf::Vector2u(0, 0));
}

TEST_F(TextureManagerTest, RepetitionNeedsAnExistingEntry)
{
    writeImage(assets + "tile.png", 2, 2, sf::Color::White);
    TextureManager textures(assets, false);
    textures.setRepeated("tile.png", true);
    EXPECT_NE(logText().find("Could not set repeated. Texture tile.png does not exist.\n"), std::string::npos);
    EXPECT_FALSE(textures.contains("tile.png"));
    textures.getTexture("tile.png");
    textures.setRepeated("tile.png", true);
    EXPECT_TRUE(textures.getTexture("tile.png").isRepeated());
}

TEST_F(TextureManagerTest, StartupSetHoldsTheKnownFramesAndNamesAreUnique)
{
    const std::map<std::string, sf::IntRect> known = {
        {"general/button_leave.png_Up", {2, 0, 50, 24}},
        {"general/button_leave.png_Down", {2, 24, 50, 24}},
        {"general/button_leave.png_HI", {0, 48, 52, 26}},
        {"ingamescreen/button_pause.png_HI", {0, 22, 35, 24}},
        {"mapscreen/button_lightjump.png_HI", {0, 42, 72, 23}},
        {"title_screen/button_newgame.png_HI", {0, 40, 53, 22}},
        {"ship_systems/button_arrow_up.png_DOWN", {2, 26, 24, 26}},
        {"mapscreen/button_crew_icon.png_Down", {0, 19, 17, 38}},
        {"deploymanager/deploymanager_ready_text.png_NotReady", {0, 0, 41, 5}},
        {"deploymanager/deploymanager_ready_text.png_Ready", {0, 5, 41, 10}},
        {"credits/starfield.png", {0, 0, 512, 512}},
    };
    std::map<std::string, int> seen;
    for (const auto& entry : TextureManager::startupSet()) {
        ++seen[entry.name];
        auto found = known.find(entry.name);
        if (found != known.end()) {
            EXPECT_EQ(entry.rect, found->second) << entry.name;
        }
    }
    for (const auto& [name, times] : seen)
        EXPECT_EQ(times, 1) << name;
    for (const auto& [name, rect] : known)
        EXPECT_EQ(seen.count(name), 1u) << name;
    EXPECT_EQ(seen.count("title_screen/button_deeds.png_UP"), 1u);
    EXPECT_EQ(seen.count("mission_bg_dark"), 1u);

    // Each start-up file that is missing is reported once by the registry.
    TextureManager textures(assets, true);
    const std::string log = logText();
    EXPECT_EQ(count(log, assets + "general/button_leave.png\n"), 1u); // three frames, one line
    EXPECT_EQ(count(log, assets + "ingamescreen/mission_text_background_dark.png\n"), 1u);
}
