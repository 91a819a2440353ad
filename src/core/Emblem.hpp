#pragma once

#include <array>

// The ship's emblem, drawn in text for the top of every log.
const std::array<const char*, 31>& emblemLines();
