// One review picture of everything in the assets folder: each picture on a dark cell with
// its path underneath, small pictures enlarged 2x and large ones reduced, all unsmoothed.
#include "common/PixelFont.hpp"
#include "images/InterfaceParts.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace gen {

void writeContactSheet(const std::string& assetsDir, const std::string& path)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(assetsDir))
        if (entry.is_regular_file() && entry.path().extension() == ".png")
            files.push_back(std::filesystem::relative(entry.path(), assetsDir).generic_string());
    std::sort(files.begin(), files.end());

    const int cellW = 172, thumbW = 164, thumbH = 104, labelH = 14, cellH = thumbH + labelH + 4, columns = 12;
    int rows = std::max(1, static_cast<int>((files.size() + columns - 1) / columns));
    Canvas sheet(static_cast<unsigned>(cellW * columns), static_cast<unsigned>(cellH * rows), Rgba::from(20, 20, 24));
    PixelFont tiny(PixelFont::Face::Tiny);
    for (std::size_t n = 0; n < files.size(); ++n) {
        int cx = static_cast<int>(n % columns) * cellW, cy = static_cast<int>(n / columns) * cellH;
        // Checkerboard behind the picture so transparency shows.
        for (int y = 0; y < thumbH; ++y)
            for (int x = 0; x < thumbW; ++x)
                sheet.set(cx + 4 + x, cy + 2 + y, ((x / 4 + y / 4) % 2) ? Rgba::from(44, 44, 52) : Rgba::from(36, 36, 42));
        sf::Image image;
        if (!image.loadFromFile(assetsDir + "/" + files[n]))
            throw std::runtime_error("contact sheet: cannot read " + files[n]);
        auto size = image.getSize();
        // Integer enlargement up to 2x, or an integer reduction to fit.
        int up = (size.x * 2 <= static_cast<unsigned>(thumbW) && size.y * 2 <= static_cast<unsigned>(thumbH)) ? 2 : 1;
        int down = 1;
        while (size.x / static_cast<unsigned>(down) > static_cast<unsigned>(thumbW) || size.y / static_cast<unsigned>(down) > static_cast<unsigned>(thumbH))
            ++down;
        int w = static_cast<int>(size.x) * up / down, h = static_cast<int>(size.y) * up / down;
        int ox = cx + 4 + (thumbW - w) / 2, oy = cy + 2 + (thumbH - h) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                sf::Color p = image.getPixel(static_cast<unsigned>(x * down / up), static_cast<unsigned>(y * down / up));
                sheet.blend(ox + x, oy + y, Rgba::from(p.r, p.g, p.b, p.a));
            }
        std::string label = files[n];
        std::string second;
        const std::size_t perLine = static_cast<std::size_t>(cellW / 4 - 1);
        if (label.size() > perLine) {
            second = label.substr(perLine);
            label = label.substr(0, perLine);
        }
        tiny.draw(sheet, cx + 4, cy + thumbH + 3, label, Rgba::from(200, 200, 200));
        tiny.draw(sheet, cx + 4, cy + thumbH + 9, second.substr(0, perLine), Rgba::from(200, 200, 200));
    }
    sheet.save(path);
}

} // namespace gen
