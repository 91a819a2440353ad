#include "persistence/DisplayModes.hpp"

#include <algorithm>

DisplayModes DisplayModes::fromSystem()
{
    DisplayModes modes;
    modes.fullscreenModes = sf::VideoMode::getFullscreenModes();
    modes.desktop = sf::VideoMode::getDesktopMode();
    return modes;
}

bool DisplayModes::validForFullscreen(unsigned width, unsigned height) const
{
    sf::VideoMode wanted(width, height, 32);
    return std::find(fullscreenModes.begin(), fullscreenModes.end(), wanted) != fullscreenModes.end();
}
