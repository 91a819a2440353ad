#pragma once

#include <cstdint>

// The screen the game loop drives. The values are fixed: they are stored and compared as
// integers, and 8 is deliberately unused.
enum class GameState : std::int32_t {
    Boot = 0,
    Splash = 1,
    Title = 2,
    CrewSelect = 3,
    Intro = 4,
    Map = 5,
    Deploy = 6,
    Mission = 7,
    Quit = 9,
    Options = 10,
    CrewView = 11,
    CrewCreator = 12,
    Credits = 13,
    FinalCrewView = 14,
    Ending = 15,
    Achievements = 16,
};
