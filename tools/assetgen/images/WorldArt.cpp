#include "images/Families.hpp"
#include "images/WorldFamilies.hpp"

namespace gen {

void drawWorldArt(Context& context)
{
    world::drawSpaceTiles(context);
    world::drawStarfields(context);
    world::drawFogMasks(context);
    world::drawPlanets(context);
    world::drawAsteroids(context);
    world::drawShipFrames(context);
    world::drawScenes(context);
}

} // namespace gen
