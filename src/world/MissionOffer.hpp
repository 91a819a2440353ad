#pragma once

#include <string>

class Mission;

// What the map hands to the deploy screen when travel is interrupted — the ship reached a
// planet, or a random event, starvation or an empty tank stopped it: the mission, whether the
// deploy screen shows the ship instead of a place, whether the crew goes without credit, and
// the picture to show. The mission lives in the run's lists or among the named events; the
// pointer holds until those lists are replaced (a loaded game), so the offer is taken up in
// the step that made it.
struct MissionOffer {
    Mission* mission = nullptr;
    bool useShipImage = false;
    bool skipCrewCredit = false;
    std::string picture;
};
