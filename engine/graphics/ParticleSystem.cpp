#include "engine/graphics/ParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "engine/core/EngineFileHeader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/graphics/SpriteGroupManager.h"

namespace ZorvaneEngine {

namespace {

// Little-endian fields in the order of the file. Every float must be finite:
// a NaN or an infinity would spread into positions and break the sprite
// sort and the key lookups.
class FieldReader {
public:
    FieldReader(FileBinary& file, const std::string& name) : file(file), name(name) {}

    uint32_t U32()
    {
        uint8_t b[4];
        file.Read(b, 4);
        return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    }
    bool Flag()
    {
        uint8_t b = 0;
        file.Read(&b, 1);
        return b != 0;
    }
    float F32()
    {
        const uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, 4);
        if (!std::isfinite(value)) {
            throw FileError("Incorrect \"" + name + "\" file format: a value is not a finite number");
        }
        return value;
    }
    Vector3 V3()
    {
        const float x = F32(), y = F32();
        return {x, y, F32()};
    }
    void Keys(std::array<float, 6>& keys)
    {
        for (float& key : keys) key = F32();
    }
    void Keys(std::array<Vector3, 6>& keys)
    {
        for (Vector3& key : keys) key = V3();
    }

private:
    FileBinary& file;
    const std::string& name;
};

// (1 − f) · a + f · b
float Blend(float a, float b, float f)
{
    return (1.0f - f) * a + f * b;
}

// The key at or below position (0 to 5 in fifths), the next one (0 after the
// last) and how far position lies between them.
struct KeyPair {
    uint32_t a, b;
    float f;
};

KeyPair KeysAt(float position)
{
    // position lies below 5 up to rounding; the clamp keeps a rounding
    // at the upper end on the last key.
    const float whole = std::min(std::trunc(position), 5.0f);
    const uint32_t a = position > 0.0f ? static_cast<uint32_t>(whole) : 0;
    return {a, a + 1 == 6 ? 0 : a + 1, position - static_cast<float>(a)};
}

} // namespace

ParticleSystem::ParticleSystem(const ParticleSystemServices& services, const std::string& fileName,
                               Camera* camera)
    : name(fileName), services(services)
{
    try {
        auto file = services.files->OpenFile(AddDataFolderPrefix(fileName), false);
        Read(*file);
    } catch (const Error& error) {
        services.log->Error(error.message);
        throw Error(error.message);
    }
    box.Update(false);
    ResetPool();
    std::string materialName = fileName;
    SetFileExtension(materialName, "srf");
    CreateSpriteGroup(materialName, camera);
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : name(source.name),
      parameters(source.parameters),
      spawnShape(source.spawnShape),
      box(source.box),
      services(source.services),
      poolSize(source.poolSize)
{
    ResetPool();
    spriteGroup = services.spriteGroups->CloneSpriteGroup(*source.spriteGroup);
    if (spriteGroup == nullptr) {
        throw Error("Particle system \"" + name + "\": no memory for its sprites");
    }
    // The copy's pool starts empty, so its sprites must too: sprites copied
    // live from a running source would belong to no particle and leave too
    // few free sprites for the pool.
    for (Sprite& sprite : spriteGroup->sprites) sprite.free = true;
    spriteGroup->freeList.clear();
    for (uint32_t i = 0; i < spriteGroup->capacity; ++i) spriteGroup->freeList.push_back(i);
}

ParticleSystem::ParticleSystem(const ParticleSystemServices& services, Camera* camera)
    : name("self_made"), services(services), poolSize(100)
{
    box = BoundingBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f));
    box.Update(false);
    ResetPool();
    CreateSpriteGroup("", camera);
}

ParticleSystem::~ParticleSystem()
{
    if (spriteGroup != nullptr && services.spriteGroups->groups.Remove(spriteGroup)) {
        delete spriteGroup;
    }
}

void ParticleSystem::Read(FileBinary& file)
{
    FieldReader in(file, name);
    const EngineFileHeader header = EngineFileHeader::Read(file);
    if (!header.HasMagic("ZVPSF") || header.fileSize != file.GetSize()) {
        throw FileError("Incorrect \"" + name + "\" file format");
    }
    if (header.version != FileVersion && header.version != OldFileVersion) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " +
                        UIntToText(FileVersion));
    }

    poolSize = in.U32();
    if (poolSize > MaxPoolSize) {
        throw FileError("Incorrect \"" + name + "\" file format: a pool of " + UIntToText(poolSize) +
                        " particles, at most " + UIntToText(MaxPoolSize));
    }
    ParticleParameters& p = parameters;
    p.duration = in.F32();
    // A looping clock wraps by the duration: with none it would never wrap.
    if (!(p.duration > 0.0f)) {
        throw FileError("Incorrect \"" + name + "\" file format: an emission period of " +
                        FloatToText(p.duration, 3) + " s");
    }
    p.gravityOn = in.Flag();
    p.gravity = in.F32();
    p.floorOn = in.Flag();
    p.floorHeight = in.F32();
    p.bounce = in.F32();
    p.dieWhenSlow = in.Flag();
    p.minimumBounceSpeed = in.F32();
    p.interpolateEmission = in.Flag();
    in.Keys(p.rate);
    in.Keys(p.lifetime);
    in.Keys(p.lifetimeSpread);
    in.Keys(p.direction);
    in.Keys(p.directionSpread);
    for (ColorRGBA& color : p.color) {
        color.r = in.F32();
        color.g = in.F32();
        color.b = in.F32();
        color.a = in.F32();
    }
    in.Keys(p.size);
    in.Keys(p.speed);
    if (header.version == FileVersion) {
        in.Keys(p.speedSpread);
    } else {
        p.speedSpread.fill(0.0f);
    }
    spawnShape = static_cast<SpawnShape>(in.U32());
    const Vector3 minimum = in.V3();
    box = BoundingBox(minimum, in.V3());
}

void ParticleSystem::CreateSpriteGroup(const std::string& materialName, Camera* camera)
{
    // A material file that cannot be read has been logged by its reader;
    // the particles are then drawn untextured.
    std::unique_ptr<ShaderDescriptor> material;
    if (!materialName.empty()) {
        try {
            material = std::make_unique<ShaderDescriptor>(materialName, services.log, services.files);
        } catch (const FatalError&) {
            throw;
        } catch (const Error&) {
            material = std::make_unique<ShaderDescriptor>(0);
        }
    }
    spriteGroup = services.spriteGroups->CreateSpriteGroup(poolSize, material.get(), camera);
    if (spriteGroup == nullptr) {
        throw Error("Particle system \"" + name + "\": no memory for its sprites");
    }
}

void ParticleSystem::ResetPool()
{
    particles.assign(poolSize, Particle{});
    freeParticles.clear();
    for (uint32_t i = poolSize; i-- > 0;) freeParticles.push_back(i);
}

void ParticleSystem::Update()
{
    if (spriteGroup == nullptr || (spriteGroup->mesh->flags & ModelFlags::Visible) == 0) return;
    const float dt = services.timers->frameStep;

    AdvanceClock(dt);
    if (emitting) Emit(dt);

    liveParticles = 0;
    for (uint32_t i = 0; i < poolSize; ++i) {
        if (!particles[i].free) Move(i, dt);
    }
    peakParticles = std::max(peakParticles, liveParticles);
}

void ParticleSystem::AdvanceClock(float dt)
{
    if (!emitting) return;
    clock += dt;
    const float duration = parameters.duration;
    // A period of no length (or NaN; set by an owner, files are checked)
    // can neither wrap nor be split into fifths: the system stops as at the
    // end of a single period.
    const bool ends = !(duration > 0.0f);
    if (!ends && clock < duration) return;
    if (looping && !ends) {
        clock -= duration;
        // Several periods in one step: the remainder at once, since a tiny
        // period subtracted in a loop may never bring the clock down.
        if (clock >= duration) clock = std::fmod(clock, duration);
        return;
    }
    clock = 0.0f;
    emitting = false;
    lastRateKey = -1;
}

void ParticleSystem::Emit(float dt)
{
    const ParticleParameters& p = parameters;
    const KeyPair key = KeysAt(clock / p.duration * 5.0f);
    float life, spread;
    if (p.interpolateEmission) {
        accumulator += dt * Blend(p.rate[key.a], p.rate[key.b], key.f);
        life = Blend(p.lifetime[key.a], p.lifetime[key.b], key.f);
        spread = Blend(p.lifetimeSpread[key.a], p.lifetimeSpread[key.b], key.f);
    } else {
        if (static_cast<int32_t>(key.a) != lastRateKey) accumulator += p.rate[key.a];
        life = p.lifetime[key.a];
        spread = p.lifetimeSpread[key.a];
    }
    // Whole particles owed are born now or never: when the pool runs dry the
    // rest is dropped and only the fraction is carried on.
    const float owed = std::trunc(accumulator);
    if (owed > 0.0f) accumulator -= owed;
    for (float born = 0.0f; born < owed && !freeParticles.empty(); born += 1.0f) {
        Birth(life, spread);
    }
    lastRateKey = static_cast<int32_t>(key.a);
}

Vector3 ParticleSystem::SpawnPoint() const
{
    switch (spawnShape) {
    case SpawnShape::Box: {
        const float x = RandomFloatRange(box.worldMin.x, box.worldMax.x);
        const float y = RandomFloatRange(box.worldMin.y, box.worldMax.y);
        const float z = RandomFloatRange(box.worldMin.z, box.worldMax.z);
        return emitterPosition + Vector3(x, y, z);
    }
    case SpawnShape::PointList: {
        const uint32_t count = static_cast<uint32_t>(spawnPoints.size());
        if (count == 0) return {};
        if (spawnOnSegments && count >= 2) {
            const uint32_t i = RandomIntRange(0, count - 2);
            const float t = RandomFloat();
            return spawnPoints[i] + (spawnPoints[i + 1] - spawnPoints[i]) * t;
        }
        if (spawnOnSegments) return spawnPoints[0];
        return spawnPoints[RandomIntRange(0, count - 1)];
    }
    default:
        // A shape this engine does not know spawns at the emitter.
        return emitterPosition;
    }
}

void ParticleSystem::Birth(float life, float spread)
{
    const ParticleParameters& p = parameters;
    const uint32_t index = freeParticles.back();
    freeParticles.pop_back();
    Particle& particle = particles[index];
    particle.free = false;

    particle.sprite = spriteGroup->AddSprite(SpawnPoint(), p.size[0], p.color[0]);
    particle.lifetime = RandomSpread(life, spread);
    particle.age = 0.0f;
    particle.direction = Vector3();
    for (uint32_t j = 0; j < 6; ++j) {
        // A key left empty in the file continues the one before it.
        if (j > 0 && Length3D(p.direction[j]) < 0.05f && Length3D(p.directionSpread[j]) < 0.05f) {
            particle.directionKeys[j] = particle.directionKeys[j - 1];
            continue;
        }
        Vector3 key;
        key.x = RandomSpread(p.direction[j].x, p.directionSpread[j].x);
        key.y = RandomSpread(p.direction[j].y, p.directionSpread[j].y);
        key.z = RandomSpread(p.direction[j].z, p.directionSpread[j].z);
        Normalize3D(key, 1.0f);
        particle.directionKeys[j] = key;
    }
    for (uint32_t i = 0; i < 6; ++i) particle.speedKeys[i] = RandomSpread(p.speed[i], p.speedSpread[i]);
    particle.speedFactor = 1.0f;
    particle.fallSpeed = 0.0f;
}

void ParticleSystem::Move(uint32_t index, float dt)
{
    const ParticleParameters& p = parameters;
    Particle& particle = particles[index];
    Sprite& sprite = spriteGroup->sprites[particle.sprite];
    particle.age += dt;
    if (!(particle.age < particle.lifetime)) {
        sprite.free = true;
        spriteGroup->freeList.push_back(particle.sprite);
        particle.free = true;
        freeParticles.push_back(index);
        return;
    }

    const KeyPair key = KeysAt(particle.age / particle.lifetime * 5.0f);
    const float f = key.f;
    const float speed = Blend(particle.speedKeys[key.a], particle.speedKeys[key.b], f) *
                        particle.speedFactor;
    const Vector3& da = particle.directionKeys[key.a];
    const Vector3& db = particle.directionKeys[key.b];
    Vector3 direction(Blend(da.x, db.x, f), Blend(da.y, db.y, f), Blend(da.z, db.z, f));
    Normalize3D(direction, 1.0f);
    particle.direction = direction;

    // Speeds are in hundreds of units per second.
    Vector3 move = direction * speed * 100.0f * dt;
    if (p.gravityOn) {
        particle.fallSpeed += dt * p.gravity;
        move.z -= dt * particle.fallSpeed * 100.0f;
    }
    sprite.position = sprite.position + move;

    if (p.floorOn && p.floorHeight > sprite.position.z) {
        sprite.position.z = p.floorHeight + 0.001f;
        particle.fallSpeed = 0.0f;
        particle.speedFactor *= p.bounce;
        if (particle.speedFactor < p.minimumBounceSpeed) {
            particle.speedFactor = 0.0f;
            if (p.dieWhenSlow) particle.age = particle.lifetime + 0.0001f;
        }
        // Off the floor upwards, along the move that hit it.
        Vector3 bounce(move.x, move.y, std::fabs(move.z));
        Normalize3D(bounce, 1.0f);
        particle.direction = bounce;
        particle.directionKeys.fill(bounce);
    }

    const ColorRGBA& ca = p.color[key.a];
    const ColorRGBA& cb = p.color[key.b];
    sprite.color = ColorRGBA(Blend(ca.r, cb.r, f), Blend(ca.g, cb.g, f), Blend(ca.b, cb.b, f),
                             Blend(ca.a, cb.a, f));
    sprite.size = Blend(p.size[key.a], p.size[key.b], f);
    ++liveParticles;
}

} // namespace ZorvaneEngine
