#pragma once

#include "audio/SongPlan.hpp"

#include <vector>

// The game's music: one plan per track, with the mood of each written into its key, tempo,
// harmony, form and instruments.
class SongBook {
public:
    static std::vector<SongPlan> all();
};
