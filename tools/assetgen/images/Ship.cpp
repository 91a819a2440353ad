// The colony ship in every size it is shown, and the destination marker it flies to.
#include "images/Ship.hpp"

#include "images/WorldFamilies.hpp"
#include "images/WorldKit.hpp"

#include <cmath>
#include <string>
#include <vector>

namespace gen::world {

namespace {

using P = sf::Vector2f;

bool inRect(float u, float v, float u0, float v0, float u1, float v1)
{
    return u >= u0 && u < u1 && v >= v0 && v < v1;
}

bool inEllipse(float u, float v, float cu, float cv, float ru, float rv)
{
    float a = (u - cu) / ru, b = (v - cv) / rv;
    return a * a + b * b <= 1.f;
}

const std::vector<P> nose = {{-16, 0}, {-13, -2.6f}, {-9, -3.6f}, {-7, -3.6f}, {-7, 3.6f}, {-9, 3.6f}, {-13, 2.6f}};
const std::vector<P> finTop = {{5.5f, -5.5f}, {7.5f, -10}, {10, -10}, {10, -5.5f}};
const std::vector<P> finBottom = {{5.5f, 5.5f}, {7.5f, 10}, {10, 10}, {10, 5.5f}};
const std::vector<P> nozzleTop = {{13, -3.6f}, {15.6f, -4.6f}, {15.6f, -0.6f}, {13, -1.3f}};
const std::vector<P> nozzleBottom = {{13, 3.6f}, {15.6f, 4.6f}, {15.6f, 0.6f}, {13, 1.3f}};

// The hull colour at ship coordinates (u, v), or alpha 0 outside the ship.
Rgba hullAt(float u, float v, const ShipPose& pose)
{
    using namespace palette;
    const Rgba glass = pose.powered ? amberBright : Rgba::from(40, 44, 58);
    const Rgba stripe = pose.powered ? amber : Rgba::from(90, 66, 20);
    Rgba c{0, 0, 0, 0};
    if (insidePolygon(finTop, u, v) || insidePolygon(finBottom, u, v)) {
        c = (std::fmod(std::fabs(v), 2.f) < 1.f) ? metalShadow : metalDark;
        if (std::fabs(v) > 9.f && u > 8.5f)
            c = stripe;
    }
    if (inRect(u, v, 5, -1.5f, 13, 1.5f))
        c = band(v, -1.5f, 1.5f, metal, metalDark, metalShadow);
    for (float side : {-1.f, 1.f})
        if (inEllipse(u, v, 7.8f, 3.4f * side, 2.7f, 1.8f)) {
            c = band(v, 3.4f * side - 1.8f, 3.4f * side + 1.8f, metalLight, metal, metalDark);
            if (std::fabs(u - 7.8f) < 0.5f)
                c = stripe;
        }
    if (inRect(u, v, 10, -4.2f, 13.2f, 4.2f)) {
        c = band(v, -4.2f, 4.2f, metal, metalDark, metalShadow);
        if (u > 12.2f)
            c = metalShadow;
    }
    if (insidePolygon(nozzleTop, u, v) || insidePolygon(nozzleBottom, u, v))
        c = (u > 14.8f) ? Rgba::from(30, 32, 44) : metalDark;
    if (inRect(u, v, -7.5f, -1.6f, -3.5f, 1.6f))
        c = band(v, -1.6f, 1.6f, metal, metalDark, metalShadow);
    // The cryo drum that carries the sleepers, with its ring of lit windows.
    if (inRect(u, v, -4, -6.2f, 5.5f, 6.2f) && !(std::fabs(v) > 5.2f && (u < -3 || u > 4.5f))) {
        c = band(v, -6.2f, 6.2f, metalLight, metal, metalDark);
        if (std::fabs(u - 0.5f) < 0.5f || std::fabs(u - 3.5f) < 0.5f)
            c = metalDark;
        if (std::fabs(v + 3.8f) < 0.55f && std::fmod(u + 4.f, 2.f) < 1.f && u < 5)
            c = glass;
        if (std::fabs(v - 2.6f) < 0.55f && u > -3 && u < -1)
            c = stripe;
    }
    if (insidePolygon(nose, u, v)) {
        c = band(v, -3.6f, 3.6f, metalLight, metal, metalDark);
        if (u > -13.2f && u < -10.5f && v > -2.2f && v < -0.8f)
            c = glass; // the bridge
        if (u > -8.6f && u < -7.8f)
            c = metalDark;
    }
    if (c.a > 0 && !pose.powered)
        c = mix(c, Rgba::from(10, 12, 26), 0.45f);
    return c;
}

// Engine exhaust behind the nozzles: a white core in amber flames that taper away.
Rgba flameAt(float u, float v, const ShipPose& pose)
{
    if (pose.flameLength <= 0 || u < 15.6f)
        return {0, 0, 0, 0};
    float along = (u - 15.6f) / pose.flameLength;
    if (along > 1.f)
        return {0, 0, 0, 0};
    for (float side : {-1.f, 1.f}) {
        float centre = 2.6f * side;
        float half = 1.9f * (1.f - along * 0.85f);
        float off = std::fabs(v - centre);
        if (off > half)
            continue;
        float k = off / half;
        if (along < 0.35f && k < 0.45f)
            return Rgba::from(255, 250, 225);
        if (along < 0.7f && k < 0.8f)
            return palette::amberBright;
        return palette::amber;
    }
    return {0, 0, 0, 0};
}

} // namespace

void drawShip(Canvas& canvas, const ShipPose& pose)
{
    Canvas hull(canvas.width(), canvas.height());
    Canvas flame(canvas.width(), canvas.height());
    float angle = pose.angleDegrees * 3.14159265f / 180.f;
    float cosA = std::cos(angle), sinA = std::sin(angle);
    for (unsigned py = 0; py < canvas.height(); ++py)
        for (unsigned px = 0; px < canvas.width(); ++px) {
            float x = static_cast<float>(px) + 0.5f - pose.cx, y = static_cast<float>(py) + 0.5f - pose.cy;
            float u = (x * cosA + y * sinA) / pose.scale;
            float v = (-x * sinA + y * cosA) / pose.scale;
            Rgba c = hullAt(u, v, pose);
            if (c.a > 0)
                hull.set(static_cast<int>(px), static_cast<int>(py), c);
            Rgba f = flameAt(u, v, pose);
            if (f.a > 0)
                flame.set(static_cast<int>(px), static_cast<int>(py), f);
        }
    edgeLight(hull, 0.25f, 0.3f);
    outlineOpaque(hull, palette::outline);
    canvas.draw(flame, 0, 0);
    canvas.draw(hull, 0, 0);
    if (!pose.powered)
        return;
    // Navigation lights on the drum: green above, amber below, blinking by frame.
    auto light = [&](float u, float v, const Rgba& color) {
        float x = pose.cx + (u * cosA - v * sinA) * pose.scale;
        float y = pose.cy + (u * sinA + v * cosA) * pose.scale;
        canvas.set(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), color);
    };
    if (pose.frame == 0)
        light(0.5f, -6.6f, palette::green);
    if (pose.frame == 2)
        light(0.5f, 6.6f, palette::amberBright);
    if (pose.frame != 1)
        light(-15.2f, 0.f, Rgba::from(200, 255, 200));
}

void drawShipFrames(Context& context)
{
    // The map ship: 44 x 40, turning about (22, 20). Idle frames blink, moving frames burn.
    const float flames[3] = {6.f, 8.f, 7.f};
    for (int frame = 0; frame < 3; ++frame) {
        Canvas idle(44, 40);
        drawShip(idle, {22, 20, 1, 0, frame, 0, true});
        context.save(idle, "mapscreen/ship_idle" + std::to_string(frame) + ".png");
        Canvas moving(44, 40);
        drawShip(moving, {22, 20, 1, 0, frame, flames[frame], true});
        context.save(moving, "mapscreen/ship_moving" + std::to_string(frame) + ".png");
    }
    // The deploy screen's picture of the ship, nose up to the left; dim when it has run dry.
    Canvas big(48, 48);
    drawShip(big, {25, 25, 1.3f, 28, 0, 5, true});
    context.save(big, "mapscreen/spaceship_big.png");
    Canvas dim(48, 48);
    drawShip(dim, {25, 25, 1.3f, 33, 1, 0, false});
    context.save(dim, "mapscreen/spaceship_big_dim.png");

    // Destination marker: 20 x 20 about (10, 10); four brackets close in from frame 3 to frame 0.
    for (int frame = 0; frame < 4; ++frame) {
        Canvas marker(20, 20);
        int r = 3 + 2 * frame;
        int arm = frame == 0 ? 2 : 3;
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                int cx = 10 + (sx < 0 ? -r - 1 : r), cy = 10 + (sy < 0 ? -r - 1 : r);
                for (int i = 0; i < arm; ++i) {
                    marker.set(cx - sx * i, cy, palette::green);
                    marker.set(cx, cy - sy * i, palette::green);
                }
            }
        marker.fillRect(9, 9, 2, 2, frame == 0 ? palette::green : palette::greenDim);
        outlineOpaque(marker, palette::outline.withAlpha(0.85f));
        context.save(marker, "mapscreen/travel_location" + std::to_string(frame) + ".png");
    }
}

} // namespace gen::world
