#pragma once

// Ken Perlin's improved gradient noise (2002) in three dimensions, with his permutation table:
// smooth values in about [-1, 1], 0 at every whole-numbered point, the same on every machine.
// The sector's asteroid fields are where it rises above a threshold.
double improvedNoise(double x, double y, double z);
