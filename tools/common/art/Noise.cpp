#include "tools/common/art/Noise.h"

#include <cmath>

namespace Tools::Art {

namespace {

uint32_t Mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

float Hash01(int32_t x, int32_t y, uint32_t seed) {
    const uint32_t h = Mix32(static_cast<uint32_t>(x) * 0x9E3779B1u ^ Mix32(static_cast<uint32_t>(y) + seed * 0x85EBCA77u));
    return static_cast<float>(h >> 8) / 16777216.0f;
}

float NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(Mix32(state) >> 8) / 16777216.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx);
    const int32_t iy = static_cast<int32_t>(fy);
    const float tx = Fade(x - fx);
    const float ty = Fade(y - fy);
    const float a = Hash01(ix, iy, seed);
    const float b = Hash01(ix + 1, iy, seed);
    const float c = Hash01(ix, iy + 1, seed);
    const float d = Hash01(ix + 1, iy + 1, seed);
    const float bottom = a + (b - a) * tx;
    const float top = c + (d - c) * tx;
    return bottom + (top - bottom) * ty;
}

float Fractal(float x, float y, uint32_t seed, int octaves) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 5.1f;
    }
    return sum / total;
}

} // namespace Tools::Art
