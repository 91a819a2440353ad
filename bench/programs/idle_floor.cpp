// The floor of an idle screen: a window that draws one sprite 30 times a second, the least a
// game at rest can do. bench/idle_cpu.sh measures its CPU time beside the game's.
//
//   idle_floor <picture>
#include <SFML/Graphics.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: idle_floor <picture>" << std::endl;
        return 2;
    }
    sf::RenderWindow window(sf::VideoMode(1280, 720), "Quorvane floor", sf::Style::Titlebar | sf::Style::Close);
    window.setFramerateLimit(30);
    sf::Texture texture;
    texture.loadFromFile(argv[1]);
    sf::Sprite sprite(texture);
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
