#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

// The arithmetic of the main window: the logical 640 x 360 area, the 16:9 letterbox and the
// smallest window allowed. Kept apart from the window so it can be checked headless.

constexpr unsigned logicalWidth = 640;
constexpr unsigned logicalHeight = 360;

// The viewport (fractions of the window) that shows a 16:9 picture as large as fits in a
// width x height window: bars left and right on wide windows, above and below on tall ones.
sf::FloatRect letterboxViewport(unsigned width, unsigned height);

// A window smaller than 640 x 360 in either direction is put back to 640 x 360.
sf::Vector2u windowSizeAfterResize(unsigned width, unsigned height);

// Where a window of `size` placed at `position` goes so that it lies wholly on a `desktop`
// screen (as much of it as fits, from the top left corner).
sf::Vector2i windowPositionOnScreen(sf::Vector2i position, sf::Vector2u size, sf::Vector2u desktop);
