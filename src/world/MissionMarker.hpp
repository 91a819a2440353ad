#pragma once

#include <string>

// A labelled icon a mission script leaves on the map where the ship stood ("Derelict beacon").
// The ship keeps the markers and saves them; the ship's view draws them.
struct MissionMarker {
    std::string name;
    float x = 0.f;
    float y = 0.f;
    // The pointer is over the icon: its label is drawn (set by the map screen).
    bool showLabel = false;
};
