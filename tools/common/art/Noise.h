#pragma once
// Seeded value noise for the procedural surfaces: the same seed and point
// give the same value on every machine (integer hashing, no library random).
#include <cstdint>

namespace Tools::Art {

// 0 to 1 from a point of the integer lattice.
float Hash01(int32_t x, int32_t y, uint32_t seed);
// A draw 0 to 1 from a running state (the caller's own sequence).
float NextRandom(uint32_t& state);

// Smooth value noise, 0 to 1, one lattice cell per unit.
float ValueNoise(float x, float y, uint32_t seed);
// Octaves of value noise, each twice the frequency and half the weight of the
// previous one; normalised to 0 to 1.
float Fractal(float x, float y, uint32_t seed, int octaves);

} // namespace Tools::Art
