#include "images/Families.hpp"

namespace gen {

void drawWorldArt(Context&)
{
}

} // namespace gen
