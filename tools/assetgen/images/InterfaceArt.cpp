#include "images/Families.hpp"

namespace gen {

void drawInterfaceArt(Context&)
{
}

} // namespace gen
