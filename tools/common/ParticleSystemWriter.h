#pragma once
// Particle-system files ("ZVPSF", version 204 or 203): emission, motion and
// look of an emitter, each keyed at six points of the emission period or of
// a particle's life.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/MathTypes.h"

namespace Tools {

constexpr uint32_t ParticleSystemVersion = 204;
// The sprite mesh holds six 16-bit indices per particle.
constexpr uint32_t MaxParticlePool = 10922;

enum class SpawnShape : uint32_t { Point = 0, Box = 1, PointList = 2 };

// The defaults are those of the engine's built-in system.
struct ParticleSystem {
    uint32_t version = ParticleSystemVersion;  // 203 stores no speed spread
    uint32_t poolSize = 100;
    float duration = 1.0f;  // seconds of one emission period
    bool gravityOn = true;  // gravity and the floor act on z
    float gravity = 1.0f;
    bool floorOn = true;
    float floorHeight = -1.0f;
    float bounce = 0.9f;
    bool dieWhenSlow = true;
    float minimumBounceSpeed = 0.4f;
    // On: rates are particles per second, blended between keys; off: a burst
    // of rate[k] particles on entering each fifth of the period.
    bool interpolateEmission = true;
    std::array<float, 6> rate{10, 10, 10, 10, 10, 10};
    std::array<float, 6> lifetime{1, 1, 1, 1, 1, 1};
    std::array<float, 6> lifetimeSpread{};
    std::array<ZorvaneEngine::Vector3, 6> direction{};
    std::array<ZorvaneEngine::Vector3, 6> directionSpread{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
    std::array<ZorvaneEngine::ColorRGBA, 6> color{{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}};
    std::array<float, 6> size{1, 1, 1, 1, 1, 1};  // half the quad's edge
    std::array<float, 6> speed{1, 1, 1, 1, 1, 1};  // × 100 units per second
    std::array<float, 6> speedSpread{};
    SpawnShape spawnShape = SpawnShape::Point;
    ZorvaneEngine::Vector3 boxMinimum{-0.5f, -0.5f, -0.5f};
    ZorvaneEngine::Vector3 boxMaximum{0.5f, 0.5f, 0.5f};
};

// The whole file: 453 bytes, or 429 for version 203. Throws
// std::invalid_argument for a pool above MaxParticlePool, a duration that is
// not a positive number (the engine's clock would never wrap), an unknown
// spawn shape, or speed spreads in a version-203 file, which cannot hold them.
std::vector<uint8_t> BuildParticleSystemFile(const ParticleSystem& system);

} // namespace Tools
