#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <string>

namespace sf {
class RenderTarget;
class Shader;
}

// The fog over an unexplored sector: 15 x 10 squares of 45 map pixels, each split into 6 x 6
// cells of 7.5 pixels, as one array of quads (5400 cells, 21 600 vertices) covering x 0..675,
// y 0..450. The order of the vertices is fixed — squares in columns left to right, cells in
// columns left to right within a square and top to bottom within a column, corners clockwise
// from the top left — because "fow.save" names vertices by their index.
//
// Shaded: the red channel of each vertex is the fog amount (255 unexplored) and only ever
// falls, in a soft ring around the ship; the fog shader draws it. Plain (no shaders, or
// "--no-shader"): a cell is opaque black until the ship comes near its first corner, then
// transparent.
//
// "fow.save" holds one "index,red" line per vertex whose red is not 255. The plain fog has no
// red amounts of its own, so it writes the corners of its revealed cells with 0 and, reading,
// clears the cell of every listed vertex; files therefore carry over between the two modes.
class FogOfWar {
public:
    enum class Mode { Plain, Shaded };

    static constexpr int squareColumns = 15;
    static constexpr int squareRows = 10;
    static constexpr int cellsPerSquareSide = 6;
    static constexpr float cellSize = 7.5f;
    static constexpr std::size_t cellCount = squareColumns * squareRows * cellsPerSquareSide * cellsPerSquareSide;
    static constexpr std::size_t vertexCount = cellCount * 4;

    explicit FogOfWar(Mode mode);

    Mode mode() const { return mode_; }
    // Radius in map pixels the sensors clear around the ship.
    static float revealRadius(float sensors);

    // Everything unexplored again (a new sector).
    void reset();
    // Clears the fog around the ship's position (map pixels), every frame.
    void reveal(sf::Vector2f ship, float sensors);

    // The text of "fow.save".
    std::string saveText() const;
    // Writes "fow.save" whole or not at all; false (logged) when it could not be written.
    bool saveFog(const std::string& path) const;
    // Lays a "fow.save" text over the freshly reset fog. A line naming a vertex outside the
    // grid or a value outside 0..255 is skipped with a warning; a line that is not two
    // numbers separated by a comma ends the reading with a warning and false. Blank lines and
    // line ends of either kind are fine.
    bool loadText(const std::string& text);
    // False when the file cannot be opened or loadText fails.
    bool loadFog(const std::string& path);

    const sf::VertexArray& vertices() const { return grid_; }
    // Whether a cell is clear: for the plain fog transparent, for the shaded one its first
    // corner below the shader's clear level.
    bool isCellRevealed(std::size_t cell) const;

    // Draws the cells that still hide something; clear cells would cost fill and show nothing.
    void draw(sf::RenderTarget& target, const sf::Shader* shader) const;

    // Grows with every change, so a picture of the fog knows when to redraw.
    unsigned revision() const { return revision_; }
    // The map area the latest change touched: the vertices a reveal changed with the cells
    // around them, or the whole grid after a reset or a load.
    sf::FloatRect lastChange() const { return lastChange_; }

private:
    void build();
    void clearCell(std::size_t cell);
    bool applyLine(const std::string& line, std::size_t lineNumber);
    bool cellShowsFog(std::size_t cell) const;
    void refreshDrawn();
    void changed(sf::FloatRect area);

    Mode mode_;
    sf::VertexArray grid_;
    // The cells of grid_ that show fog, rebuilt whenever the grid changes.
    sf::VertexArray drawn_;
    unsigned revision_ = 0;
    sf::FloatRect lastChange_;
};
