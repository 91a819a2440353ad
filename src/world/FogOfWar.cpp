#include "world/FogOfWar.hpp"

#include "core/Logger.hpp"
#include "persistence/AtomicFile.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

const sf::Color unexploredPlain(0, 0, 0, 255);
const sf::Color clearPlain(0, 0, 0, 0);
const sf::Color unexploredShaded(255, 0, 0, 0);
// The shader shows a vertex as clear from this fog amount down.
constexpr sf::Uint8 shaderClearLevel = 51;

const sf::Vector2f cellCorners[4] = {{0.f, 0.f}, {1.f, 0.f}, {1.f, 1.f}, {0.f, 1.f}};

const sf::FloatRect wholeGrid(0.f, 0.f, FogOfWar::cellSize * FogOfWar::cellsPerSquareSide * FogOfWar::squareColumns,
                              FogOfWar::cellSize * FogOfWar::cellsPerSquareSide * FogOfWar::squareRows);

// The smallest box holding both (an empty box holds nothing).
sf::FloatRect joined(const sf::FloatRect& a, sf::Vector2f point)
{
    if (a.width < 0.f)
        return {point.x, point.y, 0.f, 0.f};
    const float left = std::min(a.left, point.x), top = std::min(a.top, point.y);
    const float right = std::max(a.left + a.width, point.x), bottom = std::max(a.top + a.height, point.y);
    return {left, top, right - left, bottom - top};
}

// A whole decimal number with an optional sign and nothing else around it but blanks; the
// magnitude stops growing past anything the file could mean, so no digit string overflows.
bool parseNumber(std::string text, long long& number)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t at = 0;
    while (at < text.size() && blank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    if (at == text.size())
        return false;
    long long magnitude = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return false;
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), 1'000'000'000'000LL);
    }
    number = negative ? -magnitude : magnitude;
    return true;
}

// The line as it may be quoted in the log.
std::string quoted(const std::string& line)
{
    std::string shown;
    for (char c : line.substr(0, 40))
        shown += (c >= 32 && c < 127) ? c : '?';
    return "\"" + shown + (line.size() > 40 ? "...\"" : "\"");
}

} // namespace

FogOfWar::FogOfWar(Mode mode)
    : mode_(mode)
    , grid_(sf::Quads, vertexCount)
    , drawn_(sf::Quads)
{
    build();
    reset();
}

float FogOfWar::revealRadius(float sensors)
{
    return sensors * 12.f + 25.f;
}

void FogOfWar::build()
{
    const float square = cellSize * cellsPerSquareSide;
    std::size_t vertex = 0;
    for (int sx = 0; sx < squareColumns; ++sx)
        for (int sy = 0; sy < squareRows; ++sy)
            for (int cx = 0; cx < cellsPerSquareSide; ++cx)
                for (int cy = 0; cy < cellsPerSquareSide; ++cy) {
                    const float x = square * static_cast<float>(sx) + cellSize * static_cast<float>(cx);
                    const float y = square * static_cast<float>(sy) + cellSize * static_cast<float>(cy);
                    for (const sf::Vector2f& corner : cellCorners) {
                        grid_[vertex].position = {x + cellSize * corner.x, y + cellSize * corner.y};
                        grid_[vertex].color = unexploredPlain;
                        ++vertex;
                    }
                }
}

void FogOfWar::reset()
{
    if (mode_ == Mode::Shaded) {
        for (std::size_t i = 0; i < vertexCount; ++i) {
            grid_[i].color = unexploredShaded;
            grid_[i].texCoords = cellCorners[i % 4];
        }
    } else {
        for (std::size_t cell = 0; cell < cellCount; ++cell)
            if (grid_[cell * 4].color != unexploredPlain)
                for (std::size_t k = 0; k < 4; ++k)
                    grid_[cell * 4 + k].color = unexploredPlain;
    }
    refreshDrawn();
    changed(wholeGrid);
}

void FogOfWar::changed(sf::FloatRect area)
{
    ++revision_;
    lastChange_ = area;
}

void FogOfWar::reveal(sf::Vector2f ship, float sensors)
{
    const float radius = revealRadius(sensors);
    if (!(radius > 0.f))
        return;
    const auto distance = [&ship](const sf::Vector2f& point) {
        const sf::Vector2f d = point - ship;
        return std::sqrt(d.x * d.x + d.y * d.y);
    };
    // The box of the changed vertices; a negative width while nothing changed.
    sf::FloatRect touched(0.f, 0.f, -1.f, -1.f);
    const auto finish = [this, &touched] {
        if (touched.width < 0.f)
            return;
        refreshDrawn();
        // A changed corner changes the colours across its whole cell.
        changed({touched.left - cellSize, touched.top - cellSize, touched.width + 2.f * cellSize,
                 touched.height + 2.f * cellSize});
    };
    if (mode_ == Mode::Plain) {
        for (std::size_t cell = 0; cell < cellCount; ++cell) {
            const sf::Vertex& first = grid_[cell * 4];
            if (first.color == unexploredPlain && distance(first.position) < radius) {
                clearCell(cell);
                touched = joined(touched, first.position);
                touched = joined(touched, grid_[cell * 4 + 2].position);
            }
        }
        finish();
        return;
    }
    // From 51 right at the ship down to 0 at the rim; the amount never rises again.
    for (std::size_t i = 0; i < vertexCount; ++i) {
        sf::Vertex& vertex = grid_[i];
        if (std::fabs(vertex.position.x - ship.x) >= radius || std::fabs(vertex.position.y - ship.y) >= radius)
            continue;
        const float d = std::min(distance(vertex.position) / radius, 1.f);
        if (!(d < 1.f))
            continue;
        const auto value = static_cast<sf::Uint8>(std::lround(255.f * (1.f - (0.8f + 0.2f * d))));
        if (value < vertex.color.r) {
            vertex.color = sf::Color(value, 0, 0, 0);
            touched = joined(touched, vertex.position);
        }
    }
    finish();
}

void FogOfWar::clearCell(std::size_t cell)
{
    for (std::size_t k = 0; k < 4; ++k)
        grid_[cell * 4 + k].color = clearPlain;
}

// Plain: an opaque cell. Shaded: a cell with a corner above the clear level; with all four at
// or below it the shader discards every pixel of the cell.
bool FogOfWar::cellShowsFog(std::size_t cell) const
{
    if (mode_ == Mode::Plain)
        return grid_[cell * 4].color.a != 0;
    for (std::size_t k = 0; k < 4; ++k)
        if (grid_[cell * 4 + k].color.r > shaderClearLevel)
            return true;
    return false;
}

void FogOfWar::refreshDrawn()
{
    drawn_.clear();
    for (std::size_t cell = 0; cell < cellCount; ++cell)
        if (cellShowsFog(cell))
            for (std::size_t k = 0; k < 4; ++k)
                drawn_.append(grid_[cell * 4 + k]);
}

bool FogOfWar::isCellRevealed(std::size_t cell) const
{
    const sf::Color& first = grid_[cell * 4].color;
    return mode_ == Mode::Plain ? first == clearPlain : first.r <= shaderClearLevel;
}

std::string FogOfWar::saveText() const
{
    std::ostringstream text;
    if (mode_ == Mode::Shaded) {
        for (std::size_t i = 0; i < vertexCount; ++i)
            if (grid_[i].color.r != 255)
                text << i << ',' << static_cast<int>(grid_[i].color.r) << '\n';
        return text.str();
    }
    for (std::size_t cell = 0; cell < cellCount; ++cell)
        if (isCellRevealed(cell))
            for (std::size_t k = 0; k < 4; ++k)
                text << cell * 4 + k << ",0\n";
    return text.str();
}

bool FogOfWar::saveFog(const std::string& path) const
{
    return writeFileAtomically(path, saveText());
}

bool FogOfWar::loadText(const std::string& text)
{
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    bool whole = true;
    while (whole && start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        whole = applyLine(text.substr(start, end - start), lineNumber);
        start = end + 1;
    }
    refreshDrawn();
    changed(wholeGrid);
    return whole;
}

bool FogOfWar::applyLine(const std::string& line, std::size_t lineNumber)
{
    if (line.find_first_not_of(" \t\r") == std::string::npos)
        return true;
    const std::size_t comma = line.find(',');
    long long index = 0, value = 0;
    if (comma == std::string::npos || !parseNumber(line.substr(0, comma), index)
        || !parseNumber(line.substr(comma + 1), value)) {
        QV_LOG << "Warning: FogOfWar::loadFog, line " << lineNumber << " is not \"index,value\": " << quoted(line)
               << std::endl;
        return false;
    }
    if (index < 0 || index >= static_cast<long long>(vertexCount) || value < 0 || value > 255) {
        QV_LOG << "Warning: FogOfWar::loadFog, skipped line " << lineNumber << " outside the fog (index 0.."
               << vertexCount - 1 << ", value 0..255): " << quoted(line) << std::endl;
        return true;
    }
    const auto vertex = static_cast<std::size_t>(index);
    if (mode_ == Mode::Shaded)
        grid_[vertex].color.r = static_cast<sf::Uint8>(value);
    else if (value < 255)
        clearCell(vertex / 4);
    return true;
}

bool FogOfWar::loadFog(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream text;
    text << in.rdbuf();
    return loadText(text.str());
}

void FogOfWar::draw(sf::RenderTarget& target, const sf::Shader* shader) const
{
    sf::RenderStates states;
    states.shader = shader;
    target.draw(drawn_, states);
}
