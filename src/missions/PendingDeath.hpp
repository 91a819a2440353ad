#pragma once

#include <cstdint>
#include <string>

// A crew member the script has killed, waiting for the story to get there: the death is
// carried out when the message that was newest at the time has been shown, or at once
// (without the death sound) when the mission ends first.
struct PendingDeath {
    // The newest message id at the time of the kill; 0 when none had been queued.
    std::int32_t messageId = 0;
    // Position in the deploy team.
    std::int32_t crewNumber = -1;
    // May contain "<charName>".
    std::string epitaph;
    bool withSound = true;
    // Carried out at the next hand-over, whatever has been shown.
    bool immediate = false;
};
