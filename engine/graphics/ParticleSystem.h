#pragma once
// An emitter with a fixed pool of particles, drawn as the camera-facing quads
// of its own sprite group. Emission follows a period split into fifths with
// six keyed rates; each particle gets its lifetime, six direction keys and
// six speed keys at birth and blends colour, size, direction and speed keys
// over its life; gravity and a floor act on z. Distances are in units of
// 100 per second of speed.
//
// Read from a particle-system file ("ZVPSF", extension ".psf", below the data
// folder) with its material from the ".srf" file of the same name, or built
// in as "self_made". Owners start and stop a system through emitting and
// looping and turn it on and off through the mesh's visible flag.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class FileBinary;
class FileManager;
class MessageManager;
class ShaderManager;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

// The engine services a system uses; it owns none of them.
struct ParticleSystemServices {
    MessageManager* log = nullptr;
    FileManager* files = nullptr;
    TimerManager* timers = nullptr;  // the frame step
    ShaderManager* shaders = nullptr;
    SpriteGroupManager* spriteGroups = nullptr;
};

// What the file holds besides the pool size, the spawn shape and the box.
// The defaults are those of "self_made".
struct ParticleParameters {
    float duration = 1.0f;  // seconds of one emission period, above 0
    bool gravityOn = true;
    float gravity = 1.0f;
    bool floorOn = true;
    float floorHeight = -1.0f;
    float bounce = 0.9f;
    bool dieWhenSlow = true;
    float minimumBounceSpeed = 0.4f;
    // On: rates are particles per second, blended between keys. Off: a burst
    // of rate[k] particles on entering fifth k of the period.
    bool interpolateEmission = true;
    std::array<float, 6> rate{10, 10, 10, 10, 10, 10};
    std::array<float, 6> lifetime{1, 1, 1, 1, 1, 1};
    std::array<float, 6> lifetimeSpread{};
    std::array<Vector3, 6> direction{};
    std::array<Vector3, 6> directionSpread{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
    std::array<ColorRGBA, 6> color{{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}};
    std::array<float, 6> size{1, 1, 1, 1, 1, 1};    // half the quad's edge
    std::array<float, 6> speed{1, 1, 1, 1, 1, 1};
    std::array<float, 6> speedSpread{};
};

struct Particle {
    bool free = true;
    uint32_t sprite = 0;  // index in the sprite group
    float lifetime = 0.0f;
    float age = 0.0f;
    Vector3 direction;  // the current one, unit length
    std::array<Vector3, 6> directionKeys{};
    std::array<float, 6> speedKeys{};
    float speedFactor = 1.0f;  // lowered by every bounce
    float fallSpeed = 0.0f;
};

enum class SpawnShape : uint32_t {
    Point = 0,      // the emitter position
    Box = 1,        // the emitter position plus a random point of the box
    PointList = 2,  // one of the spawn points, or a point on a segment between two
};

class ParticleSystem {
public:
    static constexpr uint32_t FileVersion = 204;
    static constexpr uint32_t OldFileVersion = 203;  // no speed spread keys
    // The sprite mesh holds six indices per particle and the device takes
    // only 16-bit indices: 6 × 10922 = 65532.
    static constexpr uint32_t MaxPoolSize = 10922;

    // Reads data\<fileName>. A file that cannot be read or holds values the
    // system cannot run with is logged at the error level and raised as an
    // Error with the same text. A null camera means the default camera.
    ParticleSystem(const ParticleSystemServices& services, const std::string& fileName,
                   Camera* camera);
    // The parameters of source with an empty pool and a copy of its sprite
    // group with every sprite free; spawn points are not copied.
    ParticleSystem(const ParticleSystem& source);
    // The built-in "self_made" system with the default material.
    ParticleSystem(const ParticleSystemServices& services, Camera* camera);
    // Removes the sprite group from the sprite-group manager and deletes it.
    virtual ~ParticleSystem();

    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // The frame's step: emission clock, births, movement and deaths. Nothing
    // while the sprite mesh is invisible.
    void Update();

    const ParticleSystemServices& GetServices() const { return services; }
    uint32_t GetPoolSize() const { return poolSize; }
    const std::vector<Particle>& GetParticles() const { return particles; }
    const std::deque<uint32_t>& GetFreeParticles() const { return freeParticles; }
    float GetAccumulator() const { return accumulator; }
    int32_t GetLastRateKey() const { return lastRateKey; }

    std::string name;
    ParticleParameters parameters;
    SpriteGroup* spriteGroup = nullptr;  // owned, registered with the sprite-group manager
    float clock = 0.0f;                  // seconds into the current emission period
    bool looping = false;
    bool emitting = false;
    uint32_t liveParticles = 0;  // counted by the last update
    uint32_t peakParticles = 0;
    Vector3 emitterPosition;
    SpawnShape spawnShape = SpawnShape::Point;
    BoundingBox box;  // its world corners bound shape Box
    std::vector<Vector3> spawnPoints;
    bool spawnOnSegments = false;

private:
    void Read(FileBinary& file);
    void CreateSpriteGroup(const std::string& materialName, Camera* camera);
    void ResetPool();
    void AdvanceClock(float dt);
    void Emit(float dt);
    void Birth(float life, float spread);
    Vector3 SpawnPoint() const;
    void Move(uint32_t index, float dt);

    ParticleSystemServices services;
    float accumulator = 0.0f;  // particles still owed, a fraction after each update
    std::deque<uint32_t> freeParticles;  // the back is taken next
    uint32_t poolSize = 0;
    std::vector<Particle> particles;
    int32_t lastRateKey = -1;  // -1: none yet in this period
};

} // namespace ZorvaneEngine
