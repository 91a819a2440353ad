#pragma once

#include <cstdint>

// Arithmetic at the edges of int32. Resources, counters and totals that scripts and saved
// files can push anywhere stop at the limits instead of overflowing, and numbers that are not
// finite (a script's 0/0, a saved 1e999) get a fixed, harmless meaning instead of an
// undefined conversion.

// total + amount, held at the int32 limits.
std::int32_t saturatingAdd(std::int32_t total, std::int32_t amount);
// The nearest int32, halves away from zero; NaN gives 0 and values beyond the range give the
// nearer limit.
std::int32_t roundToInt32(double value);
// Like roundToInt32, but toward zero (a position truncated to whole pixels).
std::int32_t truncateToInt32(double value);
// NaN counts as 0; every other value (infinities included) is returned unchanged.
float nanToZero(float value);
