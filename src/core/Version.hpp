#pragma once

// The version of this build: printed at start-up and by "--version", shown on the options screen.
inline constexpr const char* engineVersion = "v2.13-4-g5e4207ab";
