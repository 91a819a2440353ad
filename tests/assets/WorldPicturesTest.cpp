// The world pictures in the generated assets folder: every picture of the world list exists with
// its size, the planet folder offers enough distinct pictures for the missions to name, frames
// cut from sheets lie inside them, and the fog masks match the sizes the fog shader assumes.
// Skipped when the build made no assets folder (QV_BUILD_ASSETS off).
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path assetsFolder()
{
    // The test program is <build>/tests/quorvane_tests; the assets sit in <build>/assets.
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "assets";
}

class WorldPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        assets = assetsFolder();
        if (!fs::is_directory(assets / "mapscreen"))
            GTEST_SKIP() << "no generated assets in " << assets;
    }

    sf::Vector2u sizeOf(const std::string& relative)
    {
        sf::Image image;
        if (!image.loadFromFile((assets / relative).string()))
            return {0, 0};
        return image.getSize();
    }

    fs::path assets;
};

TEST_F(WorldPictures, EveryListedPictureExistsWithItsSize)
{
    std::ifstream list(std::string(QV_SOURCE_DIR) + "/assets-src/pictures-world.txt");
    ASSERT_TRUE(list.good());
    std::string line;
    int checked = 0;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string path, size;
        fields >> path >> size;
        unsigned width = 0, height = 0;
        char by = 0;
        std::istringstream(size) >> width >> by >> height;
        ASSERT_EQ(by, 'x') << "bad size in the list: " << line;
        EXPECT_EQ(sizeOf(path), sf::Vector2u(width, height)) << path;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST_F(WorldPictures, PlanetFolderOffersSixteenDistinctPicturesWithTheNamedOnes)
{
    std::set<std::string> names;
    std::set<std::size_t> contents;
    for (const auto& entry : fs::directory_iterator(assets / "mapscreen/planets")) {
        sf::Image image;
        ASSERT_TRUE(image.loadFromFile(entry.path().string())) << entry.path();
        std::string pixels(reinterpret_cast<const char*>(image.getPixelsPtr()), image.getSize().x * image.getSize().y * 4);
        contents.insert(std::hash<std::string>{}(pixels));
        names.insert(entry.path().filename().string());
    }
    EXPECT_GE(names.size(), 16u);
    EXPECT_EQ(contents.size(), names.size()) << "two planet pictures are identical";
    for (const char* required : {"barren_moon.png", "spacestation.png", "spacestation_2.png"})
        EXPECT_TRUE(names.count(required)) << required;
}

TEST_F(WorldPictures, FramesAndOriginsLieInsideTheirPictures)
{
    struct Frame {
        std::string file;
        unsigned left, top, width, height;
    };
    const Frame frames[] = {
        {"credits/starfield1.png", 0, 0, 512, 512},
        {"mapscreen/space_tiles.png", 384, 384, 128, 128}, // the last of the 4 x 4 cells
        // Sprite origins: the point must be a pixel of the picture.
        {"mapscreen/ship_idle0.png", 22, 20, 1, 1},
        {"mapscreen/ship_moving2.png", 22, 20, 1, 1},
        {"mapscreen/travel_location3.png", 10, 10, 1, 1},
        {"mapscreen/planets/barren_moon.png", 6, 0, 1, 1},
        {"mapscreen/planets/spacestation.png", 8, 0, 1, 1},
    };
    for (const Frame& frame : frames) {
        sf::Vector2u size = sizeOf(frame.file);
        EXPECT_LE(frame.left + frame.width, size.x) << frame.file;
        EXPECT_LE(frame.top + frame.height, size.y) << frame.file;
    }
    EXPECT_EQ(sizeOf("mapscreen/space_tiles.png"), sf::Vector2u(512, 512)) << "4 x 4 cells of 128 exactly";
}

TEST_F(WorldPictures, EnvironmentFolderHoldsOnlyAsteroidLayers)
{
    int back = 0, front = 0;
    for (const auto& entry : fs::directory_iterator(assets / "mapscreen/environment")) {
        std::string name = entry.path().filename().string();
        bool isBack = name.find("asteroids_bg") != std::string::npos;
        bool isFront = name.find("asteroids_fg") != std::string::npos;
        EXPECT_TRUE(isBack || isFront) << name << " would be ignored by the sector";
        back += isBack;
        front += isFront;
    }
    EXPECT_GE(back, 2);
    EXPECT_GE(front, 2);
}

TEST_F(WorldPictures, FogMasksHaveTheSizesTheFogShaderAssumes)
{
    std::ifstream file(assets / "FOW/fowShader.frag");
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    // The shader reads the masks one texel per map pixel, dividing map positions by their sizes.
    for (const char* mask : {"FOW/EdgeMask.png", "FOW/Unexplored.png"}) {
        sf::Vector2u size = sizeOf(mask);
        EXPECT_EQ(size.x, size.y) << mask;
        EXPECT_NE(text.str().find("/ " + std::to_string(size.x) + ".0"), std::string::npos)
            << mask << " is " << size.x << " pixels wide but the shader does not divide by that";
    }
}

} // namespace
