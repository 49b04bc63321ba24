#pragma once
// A small seeded generator (xorshift32), so that every build draws the same
// numbers on every machine.
#include <cstdint>

namespace Tools::Synth {

class Noise {
public:
    // A zero seed would stay zero for ever; it is replaced.
    explicit Noise(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // [0, 1)
    float Uniform() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    // [-1, 1)
    float White() { return Uniform() * 2.0f - 1.0f; }
    float Range(float low, float high) { return low + (high - low) * Uniform(); }

private:
    uint32_t state;
};

} // namespace Tools::Synth
