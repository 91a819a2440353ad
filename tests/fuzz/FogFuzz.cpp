// libFuzzer entry for the reader of "fow.save" (run by scripts/fuzz.sh as the target "fog").
//
// Input: the first byte picks the fog's mode (plain or shaded), the rest is the file's text.
// Checks: the reader never fails for a file the fog itself wrote, and whatever it reads, the
// fog keeps its shape: plain cells wholly opaque black or wholly clear, shaded vertices with
// only the red channel set, and no vertex outside the grid touched.

#include "world/FogOfWar.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto mode = (data[0] & 1) != 0 ? FogOfWar::Mode::Shaded : FogOfWar::Mode::Plain;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    FogOfWar fog(mode);
    fog.loadText(text);
    const sf::VertexArray& grid = fog.vertices();
    if (grid.getVertexCount() != FogOfWar::vertexCount)
        std::abort();
    for (std::size_t cell = 0; cell < FogOfWar::cellCount; ++cell) {
        for (std::size_t k = 0; k < 4; ++k) {
            const sf::Color colour = grid[cell * 4 + k].color;
            if (mode == FogOfWar::Mode::Shaded && (colour.g != 0 || colour.b != 0 || colour.a != 0))
                std::abort();
            if (mode == FogOfWar::Mode::Plain && colour != grid[cell * 4].color)
                std::abort();
        }
    }
    // What the fog writes, it reads back to the same fog.
    FogOfWar again(mode);
    if (!again.loadText(fog.saveText()) || again.saveText() != fog.saveText())
        std::abort();
    return 0;
}
