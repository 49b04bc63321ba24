#pragma once
// A small random generator whose sequence is the same on every machine and
// library, so that generated data comes out byte for byte the same.
#include <cstdint>

namespace Tools {

class SeededRandom {
public:
    explicit SeededRandom(uint64_t seed) : state(seed) {}

    // splitmix64
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, 1) with 24 bits, exact in a float.
    float Unit() { return static_cast<float>(Next() >> 40) / 16777216.0f; }
    // [low, high)
    float Range(float low, float high) { return low + (high - low) * Unit(); }
    // [0, count); count must not be 0.
    uint32_t Below(uint32_t count) { return static_cast<uint32_t>(Next() % count); }
    bool Coin() { return (Next() >> 63) != 0; }

private:
    uint64_t state;
};

} // namespace Tools
