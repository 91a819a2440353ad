#include "images/Families.hpp"
#include "images/InterfaceParts.hpp"

namespace gen {

void drawInterfaceArt(Context& context)
{
    drawGeneralArt(context);
    drawButtonArt(context);
    drawScreenArt(context);
    drawAchievementArt(context);
    drawCrewArt(context);
    drawKeepsakeArt(context);
}

} // namespace gen
