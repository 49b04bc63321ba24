#include "tools/mapgen/TotemPainter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace MapGen {

namespace {

using ZorvaneEngine::Image;

constexpr uint32_t Supersample = 3;

float Smooth(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Signed distances in the totem's frame: u across (-1 .. 1 is the full
// width), v up (0 .. 1 the full height); negative inside.
float Box(float u, float v, float u0, float v0, float u1, float v1, float round) {
    const float cu = (u0 + u1) / 2, cv = (v0 + v1) / 2;
    const float hu = (u1 - u0) / 2 - round, hv = (v1 - v0) / 2 - round;
    const float du = std::fabs(u - cu) - hu, dv = std::fabs(v - cv) - hv;
    const float outside = std::hypot(std::max(du, 0.0f), std::max(dv, 0.0f));
    return outside + std::min(std::max(du, dv), 0.0f) - round;
}

float Ellipse(float u, float v, float cu, float cv, float ru, float rv) {
    const float k = std::hypot((u - cu) / ru, (v - cv) / rv);
    return (k - 1) * std::min(ru, rv);
}

// One wing on the side of sign: a feathered sweep from the pole outwards.
float Wing(float u, float v, float sign) {
    const float x = u * sign;
    if (x < 0.3f) {
        return 1;
    }
    const float t = std::clamp((x - 0.3f) / 0.7f, 0.0f, 1.0f);
    const float top = 0.745f + 0.05f * t;           // the upper edge sweeps up
    const float bottom = 0.60f + 0.16f * t * t;     // the lower edge rises to a tip
    // Feathers: the lower edge notched three times.
    const float notch = 0.012f * std::fabs(std::sin(t * 3.0f * 3.14159f));
    const float inside = std::min(top - v, v - bottom - notch);
    return std::max(-inside, x - 1.0f);
}

float Silhouette(float u, float v) {
    float d = Box(u, v, -0.78f, 0.0f, 0.78f, 0.075f, 0.02f);     // plinth
    d = std::min(d, Box(u, v, -0.56f, 0.05f, 0.56f, 0.80f, 0.05f));  // pole
    d = std::min(d, Wing(u, v, 1));
    d = std::min(d, Wing(u, v, -1));
    d = std::min(d, Ellipse(u, v, 0, 0.865f, 0.62f, 0.115f));     // head
    // Ear tufts.
    for (const float side : {-1.0f, 1.0f}) {
        const float x = u * side;
        const float t = (v - 0.93f) / 0.07f;
        if (t >= 0 && t <= 1) {
            d = std::min(d, std::fabs(x - (0.42f + 0.14f * t)) - 0.13f * (1 - t));
        }
    }
    return d;
}

struct Colour {
    float r, g, b;
};

Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Paint and carving: grooves between the segments, a face on each segment,
// the stage's colour on eyes, bands and wing feathers.
Colour Surface(float u, float v, const Colour& paint) {
    const Colour dark{0x5A / 255.0f, 0x3A / 255.0f, 0x1E / 255.0f};
    const Colour mid{0x8B / 255.0f, 0x5A / 255.0f, 0x2B / 255.0f};
    const Colour light{0xC6 / 255.0f, 0x8E / 255.0f, 0x4E / 255.0f};
    const Colour ink{0.16f, 0.10f, 0.05f};
    const Colour cream{1.0f, 0.95f, 0.84f};
    // Wood grain along the pole.
    const float grain = 0.5f + 0.5f * std::sin(u * 23.0f + std::sin(v * 17.0f) * 1.5f);
    Colour c = Mix(mid, light, 0.35f + 0.25f * grain);

    // Grooves between carved segments.
    for (const float groove : {0.075f, 0.30f, 0.53f, 0.745f}) {
        const float k = 1 - Smooth(0.004f, 0.012f, std::fabs(v - groove));
        c = Mix(c, dark, 0.8f * k);
    }
    const auto paintIn = [&](float distance, const Colour& with) {
        const float k = 1 - Smooth(-0.006f, 0.006f, distance);
        c = Mix(c, with, k);
    };
    // Segment 1: a broad grinning face.
    paintIn(Box(u, v, -0.40f, 0.12f, 0.40f, 0.17f, 0.02f), paint);
    for (const float side : {-0.22f, 0.22f}) {
        paintIn(Ellipse(u, v, side, 0.235f, 0.13f, 0.035f), cream);
        paintIn(Ellipse(u, v, side, 0.235f, 0.05f, 0.022f), ink);
    }
    // Segment 2: chevrons in the stage's colour.
    for (int i = 0; i < 3; ++i) {
        const float centre = 0.35f + 0.06f * static_cast<float>(i);
        const float chevron = std::fabs(v - (centre + 0.5f * 0.06f * (1 - std::fabs(u) / 0.56f))) - 0.012f;
        paintIn(std::max(chevron, std::fabs(u) - 0.5f), i % 2 == 0 ? paint : cream);
    }
    // Segment 3: eyes under a brow, a beak.
    paintIn(Box(u, v, -0.46f, 0.69f, 0.46f, 0.715f, 0.01f), paint);
    for (const float side : {-0.24f, 0.24f}) {
        paintIn(Ellipse(u, v, side, 0.625f, 0.12f, 0.045f), cream);
        paintIn(Ellipse(u, v, side, 0.625f, 0.05f, 0.025f), ink);
    }
    paintIn(std::max(std::fabs(u) - 0.08f * (v - 0.55f) / 0.05f, std::max(0.55f - v, v - 0.60f)), light);
    // Wings: feathers in stripes of the stage's colour.
    if (std::fabs(u) > 0.56f && v > 0.58f && v < 0.82f) {
        const float stripe = std::sin((std::fabs(u) - 0.56f) * 28.0f);
        c = Mix(c, paint, stripe > 0.2f ? 0.75f : 0.15f);
    }
    // Head: big round eyes.
    if (v > 0.75f) {
        for (const float side : {-0.27f, 0.27f}) {
            paintIn(Ellipse(u, v, side, 0.87f, 0.2f, 0.055f), paint);
            paintIn(Ellipse(u, v, side, 0.87f, 0.12f, 0.034f), cream);
            paintIn(Ellipse(u, v, side + 0.02f, 0.868f, 0.055f, 0.018f), ink);
        }
        paintIn(std::max(std::fabs(u) - 0.07f * (0.86f - v) / 0.05f + 0.0f, std::max(v - 0.86f, 0.80f - v)), light);
    }
    // Light from the upper left: the pole is round.
    const float across = std::clamp(u / 0.56f, -1.0f, 1.0f);
    const float light_ = 0.78f + 0.32f * std::cos((across + 0.35f) * 1.2f);
    return {c.r * light_, c.g * light_, c.b * light_};
}

} // namespace

TotemPictures PaintTotem(const Image& scenery, uint32_t side, const std::array<float, 3>& paintColour) {
    if (scenery.GetBits() != 24 || scenery.GetWidth() != side || scenery.GetHeight() != side) {
        throw std::invalid_argument("the scenery must be a 24-bit square of the totem's side");
    }
    const Colour paint{paintColour[0], paintColour[1], paintColour[2]};
    TotemPictures pictures;
    pictures.colour = scenery;
    pictures.alpha.Create(side, side, 8, nullptr);
    const float height = static_cast<float>(side);
    const float halfWidth = height * 7.0f / 12.0f / 2.0f;
    const float centre = height / 2.0f;
    const float pixel = 1.0f / height;  // one pixel in v units

    for (uint32_t y = 0; y < side; ++y) {
        uint8_t* colourRow = pictures.colour.GetRow(y);
        uint8_t* alphaRow = pictures.alpha.GetRow(y);
        for (uint32_t x = 0; x < side; ++x) {
            float coverage = 0, shadow = 0;
            Colour sum{0, 0, 0};
            for (uint32_t sy = 0; sy < Supersample; ++sy) {
                for (uint32_t sx = 0; sx < Supersample; ++sx) {
                    const float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / Supersample;
                    const float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / Supersample;
                    const float u = (px - centre) / halfWidth;
                    const float v = py / height;
                    if (Silhouette(u, v) < 0) {
                        coverage += 1;
                        const Colour c = Surface(u, v, paint);
                        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    } else {
                        // A soft shadow cast down and to the right.
                        const float d = Silhouette(u - 6 * pixel * height / halfWidth, v + 5 * pixel);
                        shadow += 1 - Smooth(-0.005f, 0.03f, d);
                    }
                }
            }
            const float samples = static_cast<float>(Supersample * Supersample);
            uint8_t* p = colourRow + x * 3;
            const float keep = (1 - 0.45f * shadow / samples) * (1 - coverage / samples);
            const float colour[3] = {sum.r, sum.g, sum.b};
            for (int k = 0; k < 3; ++k) {
                const float value = p[k] * keep + 255.0f * colour[k] / samples;
                p[k] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
            }
            alphaRow[x] = static_cast<uint8_t>(std::lround(255.0f * coverage / samples));
        }
    }
    return pictures;
}

} // namespace MapGen
