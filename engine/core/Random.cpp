#include "engine/core/Random.h"

namespace ZorvaneEngine {

std::atomic<uint32_t> RandomSeed{0};

uint32_t RandomValue()
{
    // Compare-and-swap so two threads drawing at once take distinct steps.
    uint32_t seed = RandomSeed.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = seed * 1103515245u + 12345u;
    } while (!RandomSeed.compare_exchange_weak(seed, next, std::memory_order_relaxed));
    return (next >> 16) & 0x7FFF;
}

float RandomFloat()
{
    return static_cast<float>(RandomValue() * 0.000030517578125);
}

uint32_t RandomInt(uint32_t n)
{
    const uint32_t value = RandomValue();
    return n == 0 ? 0 : value % n;
}

float RandomFloatRange(float a, float b)
{
    return a + (b - a) * RandomFloat();
}

uint32_t RandomIntRange(uint32_t lo, uint32_t hi)
{
    const uint32_t value = RandomValue();
    const uint32_t span = hi - lo + 1;  // 0 only for the full 32-bit range
    return lo + (span == 0 ? value : value % span);
}

float RandomSpread(float centre, float spread)
{
    return centre + (2.0f * RandomFloat() - 1.0f) * spread;
}

} // namespace ZorvaneEngine
