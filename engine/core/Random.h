#pragma once
// The one random-number generator of the program. Every draw, wherever it is
// made, advances this seed, so the sequence is shared: never use std::rand or
// <random> for game randomness. Atomic because the loading thread draws too;
// the sequence on one thread is the plain linear congruential one.
#include <atomic>
#include <cstdint>

namespace ZorvaneEngine {

extern std::atomic<uint32_t> RandomSeed;

// Advances the seed (seed · 1103515245 + 12345) and returns the 15-bit value
// (seed >> 16) & 0x7FFF, 0 to 32767. The functions below all draw through it.
uint32_t RandomValue();

// [0, 1): the 15-bit value / 32768.
float RandomFloat();
// The 15-bit value modulo n; 0 when n is 0.
uint32_t RandomInt(uint32_t n);
// a + (b − a) · RandomFloat().
float RandomFloatRange(float a, float b);
// lo + the 15-bit value modulo (hi − lo + 1).
uint32_t RandomIntRange(uint32_t lo, uint32_t hi);
// centre + (2 · RandomFloat() − 1) · spread.
float RandomSpread(float centre, float spread);

} // namespace ZorvaneEngine
