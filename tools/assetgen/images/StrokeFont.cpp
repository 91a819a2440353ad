#include "images/StrokeFont.hpp"

#include "images/WorldKit.hpp"

#include <map>
#include <sstream>
#include <vector>

namespace gen::world {

namespace {

// Polylines separated by '|', points "x,y" on the 4 x 6 grid.
const std::map<char, const char*>& glyphs()
{
    static const std::map<char, const char*> table = {
        {'A', "0,6 0,2 2,0 4,2 4,6|0,4 4,4"},
        {'B', "0,3 0,0 3,0 4,1 4,2 3,3 0,3 0,6 3,6 4,5 4,4 3,3"},
        {'C', "4,0 1,0 0,1 0,5 1,6 4,6"},
        {'D', "0,0 0,6 3,6 4,5 4,1 3,0 0,0"},
        {'E', "4,0 0,0 0,6 4,6|0,3 3,3"},
        {'F', "4,0 0,0 0,6|0,3 3,3"},
        {'G', "4,1 4,0 1,0 0,1 0,5 1,6 4,6 4,3 2,3"},
        {'H', "0,0 0,6|4,0 4,6|0,3 4,3"},
        {'I', "1,0 3,0|2,0 2,6|1,6 3,6"},
        {'J', "4,0 4,5 3,6 1,6 0,5"},
        {'K', "0,0 0,6|4,0 1,3 0,3|1,3 4,6"},
        {'L', "0,0 0,6 4,6"},
        {'M', "0,6 0,0 2,3 4,0 4,6"},
        {'N', "0,6 0,0 4,6 4,0"},
        {'O', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
        {'P', "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
        {'Q', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2,4 4,6"},
        {'R', "0,6 0,0 3,0 4,1 4,2 3,3 0,3|2,3 4,6"},
        {'S', "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
        {'T', "0,0 4,0|2,0 2,6"},
        {'U', "0,0 0,5 1,6 3,6 4,5 4,0"},
        {'V', "0,0 2,6 4,0"},
        {'W', "0,0 1,6 2,3 3,6 4,0"},
        {'X', "0,0 4,6|4,0 0,6"},
        {'Y', "0,0 2,3 4,0|2,3 2,6"},
        {'Z', "0,0 4,0 0,6 4,6"},
        {'0', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|1,5 3,1"},
        {'1', "1,1 2,0 2,6|1,6 3,6"},
        {'2', "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
        {'3', "0,0 4,0 2,2 3,2 4,3 4,5 3,6 1,6 0,5"},
        {'4', "3,6 3,0 0,4 4,4"},
        {'5', "4,0 0,0 0,3 3,3 4,4 4,5 3,6 0,6"},
        {'6', "3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
        {'7', "0,0 4,0 1,6"},
        {'8', "1,0 3,0 4,1 4,2 3,3 1,3 0,2 0,1 1,0|1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3"},
        {'9', "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,5 3,6 1,6"},
        {':', "2,1.4 2,1.9|2,4.4 2,4.9"},
        {'.', "2,5.5 2,6"},
        {',', "2,5.5 1.5,6.8"},
        {'-', "1,3 3,3"},
        {'\'', "2,0 2,1.5"},
    };
    return table;
}

std::vector<std::vector<sf::Vector2f>> strokes(char c)
{
    std::vector<std::vector<sf::Vector2f>> out;
    auto it = glyphs().find(c);
    if (it == glyphs().end())
        return out;
    std::stringstream all(it->second);
    std::string part;
    while (std::getline(all, part, '|')) {
        std::stringstream points(part);
        std::string point;
        std::vector<sf::Vector2f> line;
        while (points >> point) {
            auto comma = point.find(',');
            line.push_back({std::stof(point.substr(0, comma)), std::stof(point.substr(comma + 1))});
        }
        out.push_back(line);
    }
    return out;
}

} // namespace

float StrokeFont::width(const std::string& text, float height)
{
    float unit = height / 6.f;
    return text.empty() ? 0.f : (static_cast<float>(text.size()) * 6.f - 2.f) * unit;
}

void StrokeFont::draw(Canvas& canvas, const std::string& text, float x, float y, float height, float stroke, const Rgba& color)
{
    float unit = height / 6.f;
    for (std::size_t i = 0; i < text.size(); ++i) {
        float left = x + static_cast<float>(i) * 6.f * unit;
        for (const auto& line : strokes(text[i])) {
            for (std::size_t p = 0; p + 1 < line.size(); ++p)
                crispLine(canvas, left + line[p].x * unit, y + line[p].y * unit, left + line[p + 1].x * unit, y + line[p + 1].y * unit,
                    stroke, color);
            if (line.size() == 1)
                crispLine(canvas, left + line[0].x * unit, y + line[0].y * unit, left + line[0].x * unit, y + line[0].y * unit, stroke, color);
        }
    }
}

void StrokeFont::drawCentred(Canvas& canvas, const std::string& text, float centreX, float y, float height, float stroke,
    const Rgba& color, const Rgba& halo)
{
    float x = centreX - width(text, height) / 2.f;
    draw(canvas, text, x, y, height, stroke + 2.f, halo);
    draw(canvas, text, x, y, height, stroke, color);
}

} // namespace gen::world
