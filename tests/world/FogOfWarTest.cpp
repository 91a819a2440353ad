#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "world/FogOfWar.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Mode = FogOfWar::Mode;

std::size_t revealedCells(const FogOfWar& fog)
{
    std::size_t count = 0;
    for (std::size_t cell = 0; cell < FogOfWar::cellCount; ++cell)
        count += fog.isCellRevealed(cell) ? 1 : 0;
    return count;
}

TEST(FogOfWar, VerticesKeepTheirPinnedOrder)
{
    FogOfWar fog(Mode::Plain);
    const sf::VertexArray& grid = fog.vertices();
    ASSERT_EQ(grid.getVertexCount(), 21600u);
    EXPECT_EQ(grid.getPrimitiveType(), sf::Quads);
    // vertex index -> position: the corners of the first cell clockwise from the top left, the
    // next cell down, the next cell column, the next square down, the next square column.
    const std::pair<std::size_t, sf::Vector2f> pinned[] = {
        {0, {0.f, 0.f}}, {1, {7.5f, 0.f}}, {2, {7.5f, 7.5f}}, {3, {0.f, 7.5f}}, {4, {0.f, 7.5f}},
        {24, {7.5f, 0.f}}, {144, {0.f, 45.f}}, {1440, {45.f, 0.f}}, {21598, {675.f, 450.f}}};
    for (const auto& [index, position] : pinned)
        EXPECT_EQ(grid[index].position, position) << index;
}

TEST(FogOfWar, PlainFogClearsCellsWhoseFirstCornerIsWithinTheSensorRadius)
{
    EXPECT_EQ(FogOfWar::revealRadius(4.f), 73.f);
    EXPECT_EQ(FogOfWar::revealRadius(2.f), 49.f);
    FogOfWar fog(Mode::Plain);
    // Cell 0's first corner is (0, 0); the cell below starts at (0, 7.5).
    fog.reveal({72.9f, 0.f}, 4.f);
    EXPECT_TRUE(fog.isCellRevealed(0));
    EXPECT_EQ(fog.vertices()[3].color, sf::Color::Transparent);
    FogOfWar other(Mode::Plain);
    other.reveal({73.1f, 0.f}, 4.f);
    EXPECT_FALSE(other.isCellRevealed(0));
    EXPECT_EQ(other.vertices()[0].color, sf::Color::Black);
    fog.reset();
    EXPECT_EQ(revealedCells(fog), 0u);
}

TEST(FogOfWar, ShadedFogThinsTowardTheShipAndNeverThickensAgain)
{
    FogOfWar fog(Mode::Shaded);
    EXPECT_EQ(fog.vertices()[5].color, sf::Color(255, 0, 0, 0));
    EXPECT_EQ(fog.vertices()[6].texCoords, sf::Vector2f(1.f, 1.f));
    fog.reveal({45.f, 45.f}, 4.f);
    EXPECT_EQ(fog.vertices()[1440 + 144].color.r, 51); // (45, 45): right under the ship
    // The amount falls with the distance, to 0 at the rim (73 pixels), and the fog beyond
    // stays whole.
    for (std::size_t i = 0; i < FogOfWar::vertexCount; ++i) {
        const sf::Vertex& vertex = fog.vertices()[i];
        const sf::Vector2f d = vertex.position - sf::Vector2f(45.f, 45.f);
        const float distance = std::hypot(d.x, d.y);
        if (distance >= 73.f) {
            ASSERT_EQ(vertex.color.r, 255) << i;
        } else {
            ASSERT_NEAR(vertex.color.r, 51.f * (1.f - distance / 73.f), 0.5f) << i;
        }
    }
    // A vertex cleared at the rim stays clear when the ship later passes right over it.
    FogOfWar rim(Mode::Shaded);
    rim.reveal({45.f + 72.5f, 45.f}, 4.f);
    EXPECT_EQ(rim.vertices()[1440 + 144].color.r, 0);
    rim.reveal({45.f, 45.f}, 4.f);
    EXPECT_EQ(rim.vertices()[1440 + 144].color.r, 0);
    EXPECT_EQ(rim.vertices()[264].color.r, 51 - 5); // (37.5, 45): 7.5 pixels off, 80 from the first reveal
    EXPECT_EQ(fog.vertices()[FogOfWar::vertexCount - 1].color.r, 255);
}

// One revealing flight, saved and read into a fresh fog of either kind.
TEST(FogOfWar, SavedFogCarriesOverInBothModes)
{
    for (Mode from : {Mode::Plain, Mode::Shaded}) {
        FogOfWar fog(from);
        EXPECT_TRUE(fog.saveText().empty()) << "a fresh sector saves an empty file";
        for (float x = 100.f; x < 300.f; x += 20.f)
            fog.reveal({x, 150.f}, 3.f);
        const std::string text = fog.saveText();
        for (Mode to : {Mode::Plain, Mode::Shaded}) {
            FogOfWar loaded(to);
            ASSERT_TRUE(loaded.loadText(text));
            if (from == to) {
                for (std::size_t i = 0; i < FogOfWar::vertexCount; ++i)
                    ASSERT_EQ(loaded.vertices()[i].color, fog.vertices()[i].color) << i;
            }
            // Every cell clear before is clear after; a plain fog read from a shaded file also
            // clears cells the shaded fog had only begun to thin.
            for (std::size_t cell = 0; cell < FogOfWar::cellCount; ++cell) {
                if (fog.isCellRevealed(cell)) {
                    ASSERT_TRUE(loaded.isCellRevealed(cell)) << cell;
                }
            }
            EXPECT_GT(revealedCells(loaded), 100u);
            EXPECT_LT(revealedCells(loaded), 1000u);
        }
    }
}

TEST(FogOfWar, SaveIsWrittenToDiskAndAMissingFileFailsTheLoad)
{
    LogCapture log;
    const std::string path = log.home().root() + "/fow.save";
    FogOfWar fog(Mode::Shaded);
    EXPECT_FALSE(fog.loadFog(path));
    fog.reveal({300.f, 200.f}, 4.f);
    ASSERT_TRUE(fog.saveFog(path));
    EXPECT_EQ(readAll(path), fog.saveText());
    FogOfWar loaded(Mode::Shaded);
    EXPECT_TRUE(loaded.loadFog(path));
    EXPECT_EQ(loaded.saveText(), fog.saveText());
}

TEST(FogOfWar, BadLinesAreSkippedOrFailTheLoadWithoutTouchingOtherVertices)
{
    struct Case {
        const char* text;
        bool loads;
        int vertex12; // red of vertex 12 afterwards
        const char* logged;
    };
    const Case cases[] = {
        {"12,5\n", true, 5, nullptr},
        {"12,5\r\n13,7\r\n", true, 5, nullptr},
        {"\n\n12,5\n   \n", true, 5, nullptr},
        {"12,5", true, 5, nullptr},
        {"99999999999999999999999,5\n12,5\n", true, 5, "skipped line 1"},
        {"21600,5\n-1,5\n12,5\n", true, 5, "skipped line 2"},
        {"12,256\n", true, 255, "skipped line 1"},
        {"12,-3\n", true, 255, "skipped line 1"},
        {"12\n", false, 255, "line 1 is not"},
        {"a,5\n", false, 255, "line 1 is not"},
        {"12,5\n13,x\n14,5\n", false, 5, "line 2 is not"},
        {"12,\n", false, 255, "line 1 is not"},
        {"12,5,6\n", false, 255, "line 1 is not"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        FogOfWar fog(Mode::Shaded);
        EXPECT_EQ(fog.loadText(c.text), c.loads) << c.text;
        EXPECT_EQ(fog.vertices()[12].color, sf::Color(static_cast<sf::Uint8>(c.vertex12), 0, 0, 0)) << c.text;
        EXPECT_EQ(fog.vertices()[11].color.r, 255) << c.text;
        if (c.logged) {
            EXPECT_TRUE(log.contains("Warning: FogOfWar::loadFog, " + std::string(c.logged))) << c.text;
        } else {
            EXPECT_FALSE(log.contains("Warning")) << c.text;
        }
    }
}

} // namespace
