#pragma once

#include "common/Canvas.hpp"

#include <functional>

namespace gen::world {

// How a lit globe looks: its surface, optional self-light and air. Coordinates handed to the
// functions are points on the unit sphere in the globe's own (spun and tilted) frame.
struct SphereLook {
    std::function<Rgba(float x, float y, float z)> surface;
    // Light the globe gives off itself (lava, city lights); alpha is the strength.
    std::function<Rgba(float x, float y, float z)> glow;
    Rgba atmosphere{0, 0, 0, 0}; // alpha is the strength of the limb glow and halo
    float atmosphereWidth = 0; // pixels of halo outside the disc
    int shadeLevels = 6; // light is quantised to this many dithered steps
    float ambient = 0.12f;
    Rgba nightTint = Rgba::from(12, 15, 36);
    float spin = 0; // radians around the globe's axis
    float tilt = 0; // radians of the axis against the picture's vertical
};

// Direction of the light in every world picture: from the upper left, a little towards the viewer.
void lightDirection(float& x, float& y, float& z);

// Draws a globe of `radius` pixels centred at (cx, cy), hard-edged, lit from the upper left.
void drawSphere(Canvas& canvas, float cx, float cy, float radius, const SphereLook& look);

// Rings in a plane seen at `openness` (0 edge-on .. 1 face-on), turned by `angle` radians.
// `front` selects the half in front of the globe (drawn after it) or behind (drawn before).
struct RingLook {
    float inner = 1.3f, outer = 2.0f; // in globe radii
    float openness = 0.35f;
    float angle = -0.35f;
    std::function<Rgba(float r)> color; // r in globe radii; alpha is the density
};
void drawRings(Canvas& canvas, float cx, float cy, float radius, const RingLook& look, bool front);

} // namespace gen::world
