#include "images/Sphere.hpp"

#include "images/WorldKit.hpp"

#include <algorithm>
#include <cmath>

namespace gen::world {

void lightDirection(float& x, float& y, float& z)
{
    x = -0.62f;
    y = -0.52f;
    z = 0.59f;
    float length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
}

void drawSphere(Canvas& canvas, float cx, float cy, float radius, const SphereLook& look)
{
    float lx, ly, lz;
    lightDirection(lx, ly, lz);
    float halo = look.atmosphereWidth;
    int x0 = static_cast<int>(std::floor(cx - radius - halo - 1)), x1 = static_cast<int>(std::ceil(cx + radius + halo + 1));
    int y0 = static_cast<int>(std::floor(cy - radius - halo - 1)), y1 = static_cast<int>(std::ceil(cy + radius + halo + 1));
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, static_cast<int>(canvas.width()) - 1);
    y1 = std::min(y1, static_cast<int>(canvas.height()) - 1);
    float cosTilt = std::cos(look.tilt), sinTilt = std::sin(look.tilt);
    float cosSpin = std::cos(look.spin), sinSpin = std::sin(look.spin);
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            float nx = (static_cast<float>(px) + 0.5f - cx) / radius;
            float ny = (static_cast<float>(py) + 0.5f - cy) / radius;
            float d2 = nx * nx + ny * ny;
            float d = std::sqrt(d2);
            if (d2 > 1.f) {
                // Halo: a dithered glow on the lit side only.
                if (look.atmosphere.a <= 0 || halo <= 0)
                    continue;
                float outside = (d - 1.f) * radius / halo;
                if (outside >= 1.f)
                    continue;
                float facing = clamp01((nx * lx + ny * ly) / d * 0.9f + 0.35f);
                float strength = (1.f - outside) * (1.f - outside) * facing * look.atmosphere.a;
                if (strength > bayer4(px, py) * 0.9f + 0.05f)
                    canvas.blend(px, py, look.atmosphere.withAlpha(0.55f + 0.3f * strength));
                continue;
            }
            float nz = std::sqrt(1.f - d2);
            float diffuse = std::max(0.f, nx * lx + ny * ly + nz * lz);
            float light = look.ambient + (1.f - look.ambient) * std::pow(diffuse, 0.85f);
            float shade = ditherLevel(light, look.shadeLevels, px, py);
            // Into the globe's frame: undo the tilt (around the view axis), then the spin.
            float tx = nx * cosTilt + ny * sinTilt;
            float ty = -nx * sinTilt + ny * cosTilt;
            float sx = tx * cosSpin + nz * sinSpin;
            float sz = -tx * sinSpin + nz * cosSpin;
            Rgba surface = look.surface ? look.surface(sx, ty, sz) : Rgba::from(128, 128, 128);
            Rgba lit{surface.r * shade, surface.g * shade, surface.b * shade, 1};
            Rgba color = mix(look.nightTint, lit, clamp01(shade * 1.6f));
            if (look.atmosphere.a > 0) {
                float limb = smoothstep(0.72f, 1.f, d) * clamp01(diffuse * 1.4f + 0.1f) * look.atmosphere.a;
                color = mix(color, look.atmosphere, ditherLevel(limb, 4, px, py) * 0.7f);
            }
            if (look.glow) {
                Rgba glow = look.glow(sx, ty, sz);
                float k = glow.a * (0.45f + 0.55f * (1.f - shade));
                color = mix(color, Rgba{glow.r, glow.g, glow.b, 1}, clamp01(k));
            }
            canvas.set(px, py, color);
        }
}

void drawRings(Canvas& canvas, float cx, float cy, float radius, const RingLook& look, bool front)
{
    float reach = radius * look.outer + 1;
    float cosA = std::cos(look.angle), sinA = std::sin(look.angle);
    float lx, ly, lz;
    lightDirection(lx, ly, lz);
    for (int py = static_cast<int>(cy - reach); py <= static_cast<int>(cy + reach); ++py)
        for (int px = static_cast<int>(cx - reach); px <= static_cast<int>(cx + reach); ++px) {
            float x = static_cast<float>(px) + 0.5f - cx, y = static_cast<float>(py) + 0.5f - cy;
            float u = (x * cosA + y * sinA) / radius;
            float v = (-x * sinA + y * cosA) / radius / look.openness;
            float r = std::sqrt(u * u + v * v);
            if (r < look.inner || r > look.outer)
                continue;
            if ((v > 0) != front)
                continue;
            Rgba c = look.color ? look.color(r) : Rgba::from(200, 190, 160);
            // The globe's shadow falls on the rings behind it, away from the light.
            float shadowSide = u * (-lx) + v * (-ly);
            bool shadowed = !front && shadowSide > 0 && std::fabs(u * ly - v * lx) < 1.f;
            float k = shadowed ? 0.35f : 1.f;
            if (c.a > bayer4(px, py) * 0.8f + 0.1f)
                canvas.set(px, py, Rgba{c.r * k, c.g * k, c.b * k, 1});
        }
}

} // namespace gen::world
