// Draws one memento's detail view into a 1280 x 720 window (logical 640 x 360) and saves
// a screenshot: memento_demo <work folder> <screenshot.png>.
#include "core/Logger.hpp"
#include "missions/Memento.hpp"

#include <SFML/Graphics.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: memento_demo <work folder> <screenshot.png>" << std::endl;
        return 2;
    }
    std::string assets = std::string(argv[1]) + "/assets/";
    std::filesystem::create_directories(assets + "mementos/images");
    sf::Image picture;
    picture.create(48, 48, sf::Color(200, 40, 40));
    for (unsigned i = 0; i < 48; ++i)
        picture.setPixel(i, i, sf::Color::White);
    picture.saveToFile(assets + "mementos/images/locket.png");
    sf::Image inset;
    inset.create(24, 24, sf::Color(20, 40, 220));
    inset.saveToFile(assets + "mementos/images/locket_inset.png");
    std::ofstream(assets + "mementos/locket.json")
        << R"({"Name": "Locket", "Description": "<charName> found it in a drawer of the derelict and has worn it ever since, )"
           R"(though nobody knows whose picture hides inside.", "MementoSprite": "locket.png", "InsetSprite": "locket_inset.png"})";

    auto memento = Memento::give("Zuveda Dared", 4, "locket", "Relay Kappa", nullptr, assets);
    sf::Font font;
    if (!memento || !font.loadFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"))
        return 1;

    sf::RenderWindow window(sf::VideoMode(1280, 720), "memento demo", sf::Style::Titlebar);
    window.setView(sf::View(sf::FloatRect(0, 0, 640, 360)));
    sf::Texture shot;
    shot.create(1280, 720);
    for (int frame = 0; frame < 3; ++frame) {
        window.clear(sf::Color(12, 12, 12));
        memento->draw(window, font);
        shot.update(window);
        window.display();
    }
    bool saved = shot.copyToImage().saveToFile(argv[2]);
    window.close();
    Logger::close(); // as the game does: the log must not be flushed during static teardown
    return saved ? 0 : 1;
}
