#pragma once

#include <SFML/Window/VideoMode.hpp>

#include <vector>

// What the display offers, as the options' resolution checks need it: the full-screen video
// modes in the platform's order and the desktop's current mode. Read from SFML for the game;
// tests describe a display of their choosing.
struct DisplayModes {
    std::vector<sf::VideoMode> fullscreenModes;
    sf::VideoMode desktop;

    static DisplayModes fromSystem();
    // Whether a 32-bit full-screen mode of that size exists.
    bool validForFullscreen(unsigned width, unsigned height) const;
};
