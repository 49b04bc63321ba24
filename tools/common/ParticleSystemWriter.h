#pragma once
// Particle-system files ("ZVPSF", version 204 or 203): emission, motion and
// look of an emitter, each keyed at six points of the emission period or of
// a particle's life.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/graphics/ParticleSystem.h"

namespace Tools {

constexpr uint32_t ParticleSystemVersion = 204;
// The sprite mesh holds six 16-bit indices per particle.
constexpr uint32_t MaxParticlePool = 10922;

using ZorvaneEngine::SpawnShape;

// The engine's parameter record, with its defaults, plus what the file holds
// besides: the version, the pool size, the spawn shape and the box.
struct ParticleSystem : ZorvaneEngine::ParticleParameters {
    uint32_t version = ParticleSystemVersion;  // 203 stores no speed spread
    uint32_t poolSize = 100;
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
