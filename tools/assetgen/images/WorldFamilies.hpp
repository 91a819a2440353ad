#pragma once

#include "common/Generator.hpp"

// The families of world pictures; drawWorldArt calls each in turn.
namespace gen::world {

void drawSpaceTiles(Context& context); // mapscreen/space_tiles.png
void drawStarfields(Context& context); // credits/starfield*.png
void drawFogMasks(Context& context); // FOW/EdgeMask.png, FOW/Unexplored.png
void drawPlanets(Context& context); // mapscreen/planets/
void drawAsteroids(Context& context); // mapscreen/environment/
void drawShipFrames(Context& context); // mapscreen/ship_*, spaceship_big*, travel_location*
void drawScenes(Context& context); // splash, title backdrops, end_screens/

} // namespace gen::world
