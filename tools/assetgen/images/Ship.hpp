#pragma once

#include "common/Canvas.hpp"

namespace gen::world {

// Where and how the colony ship is drawn. The ship's nose points to the left at angle 0, as the
// map turns it: it flies towards (rotation + 180) degrees. (cx, cy) is its turning point.
struct ShipPose {
    float cx = 22, cy = 20;
    float scale = 1;
    float angleDegrees = 0;
    int frame = 0; // 0..2: which lights blink, how the exhaust flickers
    float flameLength = 0; // 0 = engines cold
    bool powered = true; // false: every light out, hull darkened
};

void drawShip(Canvas& canvas, const ShipPose& pose);

} // namespace gen::world
