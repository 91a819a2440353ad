#pragma once

#include "common/Generator.hpp"

namespace gen {

// Interface art: buttons, panels, icons, cursor, save indicator, splash, window icon, title
// art, crew cards, ranks, origin icons, options and crew-creator controls, achievements, crew
// portraits and the crew's mementos.
void drawInterfaceArt(Context& context);
// World art: map tiles, planets and stations, ship, destination marker, fog masks,
// asteroid fields, ending pictures, the credits starfield.
void drawWorldArt(Context& context);

} // namespace gen
