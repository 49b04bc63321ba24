#include "tools/common/ParticleSystemWriter.h"

#include <cmath>
#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools {

using ZorvaneEngine::Vector3;

namespace {

void Check(const ParticleSystem& system) {
    if (system.version != 203 && system.version != 204) {
        throw std::invalid_argument("particle-system version must be 203 or 204");
    }
    if (system.poolSize > MaxParticlePool) {
        throw std::invalid_argument("particle pool above " + std::to_string(MaxParticlePool));
    }
    if (!std::isfinite(system.duration) || system.duration <= 0.0f) {
        throw std::invalid_argument("the emission duration must be a positive number");
    }
    if (system.spawnShape > SpawnShape::PointList) {
        throw std::invalid_argument("unknown spawn shape");
    }
    if (system.version == 203) {
        for (const float spread : system.speedSpread) {
            if (spread != 0.0f) {
                throw std::invalid_argument("a version-203 file has no speed spread");
            }
        }
    }
}

void Write(BinaryWriter& writer, const Vector3& v) {
    writer.F32(v.x);
    writer.F32(v.y);
    writer.F32(v.z);
}

void Keys(BinaryWriter& writer, const std::array<float, 6>& keys) {
    for (const float key : keys) {
        writer.F32(key);
    }
}

} // namespace

std::vector<uint8_t> BuildParticleSystemFile(const ParticleSystem& system) {
    Check(system);
    BinaryWriter writer;
    BeginEngineFile(writer, "ZVPSF", system.version);
    writer.U32(system.poolSize);
    writer.F32(system.duration);
    writer.U8(system.gravityOn ? 1 : 0);
    writer.F32(system.gravity);
    writer.U8(system.floorOn ? 1 : 0);
    writer.F32(system.floorHeight);
    writer.F32(system.bounce);
    writer.U8(system.dieWhenSlow ? 1 : 0);
    writer.F32(system.minimumBounceSpeed);
    writer.U8(system.interpolateEmission ? 1 : 0);
    Keys(writer, system.rate);
    Keys(writer, system.lifetime);
    Keys(writer, system.lifetimeSpread);
    for (const Vector3& key : system.direction) {
        Write(writer, key);
    }
    for (const Vector3& key : system.directionSpread) {
        Write(writer, key);
    }
    for (const ZorvaneEngine::ColorRGBA& key : system.color) {
        writer.F32(key.r);
        writer.F32(key.g);
        writer.F32(key.b);
        writer.F32(key.a);
    }
    Keys(writer, system.size);
    Keys(writer, system.speed);
    if (system.version >= 204) {
        Keys(writer, system.speedSpread);
    }
    writer.U32(static_cast<uint32_t>(system.spawnShape));
    Write(writer, system.boxMinimum);
    Write(writer, system.boxMaximum);
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
