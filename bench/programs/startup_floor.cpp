// The floor of the game's start: a program that opens the game's window and decodes every
// asset once (pictures into textures, sound effects into buffers, music and fonts opened,
// every text file read and every JSON file parsed), then shows one frame and prints
// "First frame displayed". bench/startup_vs_floor.sh times it beside the game.
//
//   startup_floor <assets folder>
#include "core/JsonRead.hpp"

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <json/value.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <list>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: startup_floor <assets folder>" << std::endl;
        return 2;
    }
    sf::RenderWindow window(sf::VideoMode(1280, 720), "Quorvane floor", sf::Style::Titlebar | sf::Style::Close);
    std::list<sf::Texture> textures;
    std::list<sf::SoundBuffer> sounds;
    std::list<sf::Music> music;
    std::list<sf::Font> fonts;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        const std::string ext = entry.path().extension().string();
        ++files;
        if (ext == ".png" || ext == ".jpg") {
            textures.emplace_back().loadFromFile(path);
        } else if (ext == ".wav") {
            sounds.emplace_back().loadFromFile(path);
        } else if (ext == ".ogg") {
            music.emplace_back().openFromFile(path);
        } else if (ext == ".ttf" || ext == ".otf") {
            fonts.emplace_back().loadFromFile(path);
        } else {
            std::ifstream in(path, std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            if (ext == ".json") {
                Json::Value root;
                std::string errors;
                parseJsonText(text.str(), root, errors);
            }
        }
    }
    window.clear();
    if (!textures.empty())
        window.draw(sf::Sprite(textures.front()));
    window.display();
    std::cout << "First frame displayed (" << files << " files)" << std::endl;
    while (window.isOpen()) {
        sf::Event event;
        while (window.waitEvent(event))
            if (event.type == sf::Event::Closed) {
                window.close();
                break;
            }
    }
    return 0;
}
