#include "tools/common/art/Surfaces.h"

#include <cmath>

#include "tools/common/art/Noise.h"

namespace Tools::Art {

Color Wood(float x, float y, const WoodStyle& style) {
    const float c = std::cos(style.angle);
    const float s = std::sin(style.angle);
    const float along = x * c + y * s;
    const float across = -x * s + y * c;
    // Rings: bands across the grain, bent by slow noise along it.
    const float warp = Fractal(along * 0.012f, across * 0.05f, style.seed, 3) * 5.0f;
    const float v = across * 0.22f * style.grain + warp;
    const float ring = 0.5f + 0.5f * std::sin(v * 3.14159f);
    // Fine streaks: noise stretched along the grain.
    const float streak = Fractal(along * 0.018f, across * 0.9f, style.seed + 7, 2);
    // A darker grain line every few units.
    const float line = SmoothStep(0.78f, 0.95f, ValueNoise(along * 0.03f, across * 0.55f, style.seed + 13));
    Color col = Mix(style.mid, style.light, 0.15f + 0.45f * ring * ring);
    col = Mix(col, style.dark, 0.35f * (1.0f - streak) + 0.45f * line);
    const float speck = ValueNoise(x * 0.9f, y * 0.9f, style.seed + 29);
    return Shade(col, 0.94f + 0.12f * speck);
}

Color Parchment(float x, float y, uint32_t seed) {
    const float n = Fractal(x * 0.012f, y * 0.012f, seed, 5);
    Color col = Mix(Palette::ParchmentBase, Palette::ParchmentShade, SmoothStep(0.35f, 0.8f, n));
    // Fibres: thin streaks in two directions.
    const float f1 = ValueNoise(x * 0.02f, y * 0.6f, seed + 3);
    const float f2 = ValueNoise(x * 0.5f + 3.0f, y * 0.025f, seed + 5);
    const float fibre = SmoothStep(0.82f, 0.97f, f1) + SmoothStep(0.85f, 0.98f, f2);
    col = Mix(col, Palette::ParchmentShade, 0.25f * fibre);
    const float speck = ValueNoise(x * 1.3f, y * 1.3f, seed + 11);
    return Shade(col, 0.97f + 0.05f * speck);
}

Color Gold(float t) {
    static const Color stops[] = {Hex(0xC47F1C), Palette::GoldDeep, Hex(0xF6C552), Hex(0xFFF0B0),
                                  Palette::GoldLight};
    // Dark foot, a bright band above the middle, light top.
    const float k = Clamp01(t) * 4.0f;
    const int i = k >= 4.0f ? 3 : static_cast<int>(k);
    return Mix(stops[i], stops[i + 1], k - static_cast<float>(i));
}

} // namespace Tools::Art
