// libFuzzer entry for a memento file with its embedded pictures: loading must not fail hard
// (nor decode a picture beyond the size cap), and a loaded memento, saved and read again,
// saves the same.

#include "fuzz/FuzzSupport.hpp"
#include "missions/Memento.hpp"

#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The assets hold one small picture, so names that reach it embed it on saving.
    static const std::string assets = [] {
        const std::string root = fuzzFolder() + "/assets/";
        std::filesystem::create_directories(root + "mementos/images");
        sf::Image picture;
        picture.create(4, 3, sf::Color(200, 120, 40));
        picture.saveToFile(root + "mementos/images/keepsake.png");
        return root;
    }();
    const std::string path = scratchFile(data, size, "memento.json");
    Memento memento(assets);
    if (!memento.loadFile(path, "memento.json"))
        return 0;
    for (const sf::Image* image : {&memento.getPictureImage(), &memento.getInsetImage()})
        if (image->getSize().x > 4096 || image->getSize().y > 4096)
            std::abort();
    const Json::Value saved = memento.toJson();
    Memento again(assets);
    try {
        again.fromJson(saved);
    } catch (...) {
        std::abort(); // a saved memento holds only texts
    }
    if (again.toJson() != saved)
        std::abort();
    return 0;
}
