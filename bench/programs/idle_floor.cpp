// The floor of an idle screen: a window that draws one sprite 30 times a second, the least a
// game at rest can do. bench/idle_cpu.sh measures its CPU time beside the game's. With
// --fill the sprite is stretched over the whole window, as every screen of the game is, so
// the two paint the same number of pixels per frame (the software renderer's cost is pixels).
//
//   idle_floor <picture> [--fill]
#include <SFML/Graphics.hpp>

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const bool fill = argc == 3 && std::string(argv[2]) == "--fill";
    if (argc != 2 && !fill) {
        std::cerr << "usage: idle_floor <picture> [--fill]" << std::endl;
        return 2;
    }
    sf::RenderWindow window(sf::VideoMode(1280, 720), "Quorvane floor", sf::Style::Titlebar | sf::Style::Close);
    window.setFramerateLimit(30);
    sf::Texture texture;
    texture.loadFromFile(argv[1]);
    sf::Sprite sprite(texture);
    if (fill && texture.getSize().x > 0 && texture.getSize().y > 0)
        sprite.setScale(1280.f / static_cast<float>(texture.getSize().x), 720.f / static_cast<float>(texture.getSize().y));
    bool first = true;
    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event))
            if (event.type == sf::Event::Closed)
                window.close();
        window.clear();
        window.draw(sprite);
        window.display();
        if (first) {
            std::cout << "First frame displayed" << std::endl;
            first = false;
        }
    }
    return 0;
}
