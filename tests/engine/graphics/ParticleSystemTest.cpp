#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "engine/core/Random.h"
#include "engine/graphics/ShaderUser.h"
#include "tests/engine/ByteEdits.h"
#include "tests/engine/graphics/SpriteFixture.h"
#include "tools/common/MaterialWriter.h"
#include "tools/common/ParticleSystemWriter.h"

namespace ZorvaneEngine {
namespace {

using Bytes = std::vector<uint8_t>;

using ByteEdits::PutF32;
using ByteEdits::PutU32;

// Every field of the file differs from the built-in system's.
Tools::ParticleSystem DistinctSystem(uint32_t version)
{
    Tools::ParticleSystem s;
    s.version = version;
    s.poolSize = 7;
    s.duration = 2.5f;
    s.gravityOn = false;
    s.gravity = -3.0f;
    s.floorOn = false;
    s.floorHeight = 4.0f;
    s.bounce = 0.25f;
    s.dieWhenSlow = false;
    s.minimumBounceSpeed = 0.125f;
    s.interpolateEmission = false;
    for (uint32_t i = 0; i < 6; ++i) {
        const float k = static_cast<float>(i);
        s.rate[i] = 20 + k;
        s.lifetime[i] = 2 + k;
        s.lifetimeSpread[i] = 0.5f + k;
        s.direction[i] = Vector3(k, 1, -k);
        s.directionSpread[i] = Vector3(0.25f, k, 0);
        s.color[i] = ColorRGBA(0.5f, k / 8, 1, 0.75f);
        s.size[i] = 3 + k;
        s.speed[i] = 5 + k;
        if (version == 204) s.speedSpread[i] = 1 + k;
    }
    s.spawnShape = Tools::SpawnShape::Box;
    s.boxMinimum = Vector3(-1, -2, -3);
    s.boxMaximum = Vector3(1, 2, 3);
    return s;
}

void ExpectParameters(const ParticleSystem& system, const Tools::ParticleSystem& file)
{
    const ParticleParameters& p = system.parameters;
    EXPECT_EQ(system.GetPoolSize(), file.poolSize);
    EXPECT_EQ(p.duration, file.duration);
    EXPECT_EQ(p.gravityOn, file.gravityOn);
    EXPECT_EQ(p.gravity, file.gravity);
    EXPECT_EQ(p.floorOn, file.floorOn);
    EXPECT_EQ(p.floorHeight, file.floorHeight);
    EXPECT_EQ(p.bounce, file.bounce);
    EXPECT_EQ(p.dieWhenSlow, file.dieWhenSlow);
    EXPECT_EQ(p.minimumBounceSpeed, file.minimumBounceSpeed);
    EXPECT_EQ(p.interpolateEmission, file.interpolateEmission);
    for (uint32_t i = 0; i < 6; ++i) {
        SCOPED_TRACE("key " + std::to_string(i));
        EXPECT_EQ(p.rate[i], file.rate[i]);
        EXPECT_EQ(p.lifetime[i], file.lifetime[i]);
        EXPECT_EQ(p.lifetimeSpread[i], file.lifetimeSpread[i]);
        ExpectNear(p.direction[i], file.direction[i], 0);
        ExpectNear(p.directionSpread[i], file.directionSpread[i], 0);
        EXPECT_EQ(p.color[i].r, file.color[i].r);
        EXPECT_EQ(p.color[i].g, file.color[i].g);
        EXPECT_EQ(p.color[i].b, file.color[i].b);
        EXPECT_EQ(p.color[i].a, file.color[i].a);
        EXPECT_EQ(p.size[i], file.size[i]);
        EXPECT_EQ(p.speed[i], file.speed[i]);
        EXPECT_EQ(p.speedSpread[i], file.speedSpread[i]);
    }
    EXPECT_EQ(static_cast<uint32_t>(system.spawnShape), static_cast<uint32_t>(file.spawnShape));
    ExpectNear(system.box.worldMin, file.boxMinimum, 0);
    ExpectNear(system.box.worldMax, file.boxMaximum, 0);
}

class ParticleSystemTest : public SpriteFixture {
protected:
    // The particle file data/<name> and, unless told otherwise, a blending
    // material beside it.
    void PutSystem(const std::string& name, const Tools::ParticleSystem& system, bool material = true)
    {
        Put(name, Tools::BuildParticleSystemFile(system));
        if (!material) return;
        Tools::Material blend;
        blend.flags = 1;
        blend.sourceBlend = 4;
        blend.destinationBlend = 5;
        std::string srf = name;
        srf.replace(srf.size() - 3, 3, "srf");
        Put(srf, Tools::BuildMaterialFile(blend));
    }

    void Step(ParticleSystem* system, float dt)
    {
        timers.frameStep = dt;
        system->Update();
    }

    // Particles born in the last update: their first step made them dt old.
    static uint32_t Newborns(const ParticleSystem& system, float dt)
    {
        uint32_t count = 0;
        for (const Particle& particle : system.GetParticles()) {
            if (!particle.free && particle.age == dt) ++count;
        }
        return count;
    }

    // A system that bursts one particle when it starts and no more; it
    // neither falls nor hits a floor.
    static Tools::ParticleSystem OneBurst()
    {
        Tools::ParticleSystem s;
        s.duration = 100;
        s.interpolateEmission = false;
        s.rate = {1, 0, 0, 0, 0, 0};
        s.gravityOn = false;
        s.floorOn = false;
        s.lifetime.fill(4);
        return s;
    }

    static void Start(ParticleSystem* system, bool looping)
    {
        system->emitting = true;
        system->looping = looping;
    }
};

TEST_F(ParticleSystemTest, FilesLoadPerVersionAndDamagedOnesGiveTheBuiltInSystem)
{
    const Bytes good = Tools::BuildParticleSystemFile(DistinctSystem(204));
    struct Case {
        const char* label;
        std::function<Bytes()> bytes;  // null: no file at all
        std::string error;             // empty: loads
        uint32_t version = 204;
        uint32_t pool = 7;
    };
    const std::string quoted = "\"fx/spark.psf\"";
    const Case cases[] = {
        {"version 204", [&] { return good; }, ""},
        {"version 203, 24 bytes shorter, without speed spreads",
         [] { return Tools::BuildParticleSystemFile(DistinctSystem(203)); }, "", 203},
        {"pool at the 16-bit index limit", [&] { Bytes b = good; PutU32(b, 13, 10922); return b; }, "", 204, 10922},
        {"missing", nullptr, "Failed to open"},
        {"wrong magic", [&] { Bytes b = good; b[4] = 'X'; return b; },
         "Incorrect " + quoted + " file format"},
        {"size field differs from the file",
         [&] { Bytes b = good; b.push_back(0); return b; }, "Incorrect " + quoted + " file format"},
        {"version 205", [&] { Bytes b = good; PutU32(b, 9, 205); return b; },
         "Incorrect " + quoted + " format version, current is 204"},
        {"cut short", [&] { Bytes b(good.begin(), good.end() - 4); PutU32(b, 0, uint32_t(b.size())); return b; },
         "Failed to read 4 bytes from"},
        {"pool above the limit", [&] { Bytes b = good; PutU32(b, 13, 10923); return b; },
         "Incorrect " + quoted + " file format: a pool of 10923 particles, at most 10922"},
        {"huge pool", [&] { Bytes b = good; PutU32(b, 13, 0xFFFFFFFF); return b; },
         "Incorrect " + quoted + " file format: a pool of 4294967295 particles, at most 10922"},
        {"emission period of 0", [&] { Bytes b = good; PutF32(b, 17, 0.0f); return b; },
         "Incorrect " + quoted + " file format: an emission period of 0.000 s"},
        {"negative emission period", [&] { Bytes b = good; PutF32(b, 17, -1.0f); return b; },
         "Incorrect " + quoted + " file format: an emission period of -1.000 s"},
        {"NaN gravity", [&] { Bytes b = good; PutF32(b, 22, std::nanf("")); return b; },
         "Incorrect " + quoted + " file format: a value is not a finite number"},
        {"infinite box corner",
         [&] { Bytes b = good; PutF32(b, b.size() - 4, std::numeric_limits<float>::infinity()); return b; },
         "Incorrect " + quoted + " file format: a value is not a finite number"},
    };
    Camera* camera = cameras->CreateCamera(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(folder / "data/fx/spark.psf");
        if (c.bytes) {
            Tools::ParticleSystem material;  // only for the .srf beside it
            PutSystem("fx/spark.psf", material);
            Put("fx/spark.psf", c.bytes());
        }
        const uint32_t registered = particleSystems->systems.GetCount();
        ParticleSystem* system = particleSystems->LoadParticleSystem("fx/spark.psf", camera);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(particleSystems->systems.GetCount(), registered + 1);
        EXPECT_EQ(system->spriteGroup->camera, camera);
        EXPECT_EQ(system->spriteGroup->capacity, system->GetPoolSize());
        EXPECT_EQ(system->GetFreeParticles().size(), system->GetPoolSize());
        EXPECT_FALSE(system->emitting);
        const std::vector<std::string> lines = TakeLog();
        if (c.error.empty()) {
            EXPECT_EQ(system->name, "fx/spark.psf");
            EXPECT_TRUE(lines.empty()) << lines.front();
            Tools::ParticleSystem expected = DistinctSystem(c.version);
            expected.poolSize = c.pool;
            ExpectParameters(*system, expected);
            EXPECT_FALSE(system->spriteGroup->mesh->GetIndexBuffer()->Is32Bit());
            EXPECT_EQ(system->spriteGroup->mesh->GetMaterial()->destinationBlend, 5u);
        } else {
            EXPECT_EQ(system->name, "self_made");
            ExpectParameters(*system, Tools::ParticleSystem{});
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].rfind("2 ", 0), 0u) << lines[0];
            EXPECT_NE(lines[0].find(c.error), std::string::npos) << lines[0];
            EXPECT_EQ(system->spriteGroup->mesh->GetMaterial()->destinationBlend, 0u);
        }
        ASSERT_TRUE(particleSystems->systems.Remove(system));
        delete system;
    }

    // Without its material file the system loads, untextured, and the
    // material reader's error is the one line logged.
    Put("fx/bare.psf", good);
    ParticleSystem* bare = particleSystems->LoadParticleSystem("fx/bare.psf", nullptr);
    EXPECT_EQ(bare->name, "fx/bare.psf");
    EXPECT_EQ(bare->spriteGroup->camera, cameras->GetDefaultCamera());
    EXPECT_EQ(bare->spriteGroup->mesh->GetMaterial()->stageCount, 0u);
    const std::vector<std::string> lines = TakeLog();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("bare.srf"), std::string::npos) << lines[0];

    // Unregistered loads fall back the same way.
    ParticleSystem* unregistered = particleSystems->LoadUnregisteredParticleSystem("fx/none.psf", nullptr);
    EXPECT_EQ(unregistered->name, "self_made");
    EXPECT_EQ(particleSystems->systems.GetCount(), 1u);
    delete unregistered;
}

TEST_F(ParticleSystemTest, EachBirthDrawsItsRandomValuesInOrder)
{
    struct Case {
        const char* label;
        SpawnShape shape;
        std::vector<Vector3> points;
        bool segments;
        bool emptyLaterKeys;  // direction keys 2 to 5 with no base and no spread
        uint32_t draws;
    };
    const std::vector<Vector3> three = {{0, 0, 0}, {4, 0, 0}, {4, 8, 0}};
    const Case cases[] = {
        {"point", SpawnShape::Point, {}, false, false, 25},
        {"box", SpawnShape::Box, {}, false, false, 28},
        {"empty later keys continue key 1", SpawnShape::Point, {}, false, true, 13},
        {"point on a segment", SpawnShape::PointList, three, true, false, 27},
        {"one of the points", SpawnShape::PointList, three, false, false, 26},
        {"segments of a single point", SpawnShape::PointList, {{3, 2, 1}}, true, false, 25},
        {"no points", SpawnShape::PointList, {}, true, false, 25},
        {"unknown shape", static_cast<SpawnShape>(7), {}, false, false, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Tools::ParticleSystem file = OneBurst();
        file.lifetimeSpread[0] = 0.5f;
        file.speed = {0, 0, 0, 0, 0, 0};  // the particle stays where it was born
        file.speedSpread = {0, 0, 0.5f, 0, 0, 0.25f};  // keys 0 and 1, used now, stay 0
        for (uint32_t j = 0; j < 6; ++j) {
            file.direction[j] = Vector3(1, static_cast<float>(j), 0);
            file.directionSpread[j] = Vector3(0.5f, 0.25f, 1);
            if (c.emptyLaterKeys && j >= 2) file.direction[j] = file.directionSpread[j] = Vector3(0.02f, 0, 0.02f);
        }
        file.boxMinimum = Vector3(-1, -2, -4);
        file.boxMaximum = Vector3(1, 2, 4);
        PutSystem("fx/draws.psf", file);
        ParticleSystem* system = particleSystems->LoadParticleSystem("fx/draws.psf", nullptr);
        system->spawnShape = c.shape;
        system->spawnPoints = c.points;
        system->spawnOnSegments = c.segments;
        system->emitterPosition = Vector3(10, 20, 30);

        // The draws replayed in the order a birth makes them.
        RandomSeed = 12345;
        Vector3 spawn = system->emitterPosition;
        if (c.shape == SpawnShape::Box) {
            const float x = -1 + 2 * RandomFloat(), y = -2 + 4 * RandomFloat(), z = -4 + 8 * RandomFloat();
            spawn = spawn + Vector3(x, y, z);
        } else if (c.shape == SpawnShape::PointList) {
            const auto& p = c.points;
            if (p.empty()) {
                spawn = Vector3();
            } else if (c.segments && p.size() >= 2) {
                const uint32_t i = RandomValue() % (p.size() - 1);
                spawn = p[i] + (p[i + 1] - p[i]) * RandomFloat();
            } else if (c.segments) {
                spawn = p[0];
            } else {
                spawn = p[RandomValue() % p.size()];
            }
        }
        const float lifetime = 4 + (2 * RandomFloat() - 1) * 0.5f;
        Vector3 keys[6];
        for (uint32_t j = 0; j < (c.emptyLaterKeys ? 2u : 6u); ++j) {
            keys[j].x = file.direction[j].x + (2 * RandomFloat() - 1) * 0.5f;
            keys[j].y = file.direction[j].y + (2 * RandomFloat() - 1) * 0.25f;
            keys[j].z = file.direction[j].z + (2 * RandomFloat() - 1) * 1.0f;
            Normalize3D(keys[j], 1);
        }
        if (c.emptyLaterKeys) std::fill(keys + 2, keys + 6, keys[1]);
        float speeds[6];
        for (uint32_t i = 0; i < 6; ++i) speeds[i] = (2 * RandomFloat() - 1) * file.speedSpread[i];
        const uint32_t seedAfter = RandomSeed;

        RandomSeed = 12345;
        for (uint32_t i = 0; i < c.draws; ++i) RandomValue();
        EXPECT_EQ(seedAfter, RandomSeed.load()) << "the replay's own count";

        RandomSeed = 12345;
        Start(system, false);
        Step(system, 0.125f);
        EXPECT_EQ(RandomSeed.load(), seedAfter);
        ASSERT_EQ(system->liveParticles, 1u);
        const Particle& particle = system->GetParticles()[0];
        EXPECT_EQ(particle.sprite, 99u);
        EXPECT_EQ(particle.lifetime, lifetime);
        for (uint32_t j = 0; j < 6; ++j) ExpectNear(particle.directionKeys[j], keys[j], 0);
        for (uint32_t i = 0; i < 6; ++i) EXPECT_EQ(particle.speedKeys[i], speeds[i]);
        ExpectNear(system->spriteGroup->sprites[particle.sprite].position, spawn, 0);

        ASSERT_TRUE(particleSystems->systems.Remove(system));
        delete system;
    }
}

TEST_F(ParticleSystemTest, EmissionFollowsTheRateKeysAndTheClock)
{
    // The built-in system emits 10 a second: 1.25 a frame at 1/8 s.
    for (const bool looping : {true, false}) {
        SCOPED_TRACE(looping ? "looping" : "once");
        auto* system = new ParticleSystem(particleSystems->GetServices(), nullptr);
        particleSystems->systems.Add(system);
        Start(system, looping);
        std::vector<uint32_t> births;
        for (int frame = 0; frame < 8; ++frame) {
            Step(system, 0.125f);
            births.push_back(Newborns(*system, 0.125f));
            if (frame == 0) {
                EXPECT_FALSE(system->GetParticles()[0].free);
                EXPECT_EQ(system->GetParticles()[0].sprite, 99u);
            }
        }
        if (looping) {
            EXPECT_EQ(births, (std::vector<uint32_t>{1, 1, 1, 2, 1, 1, 1, 2}));
            EXPECT_TRUE(system->emitting);
            EXPECT_EQ(system->clock, 0.0f);
        } else {
            // The eighth frame reaches the end of the period: no births.
            EXPECT_EQ(births, (std::vector<uint32_t>{1, 1, 1, 2, 1, 1, 1, 0}));
            EXPECT_FALSE(system->emitting);
            EXPECT_EQ(system->GetLastRateKey(), -1);
        }
        // Eight alive after seven frames; the eighth frame's births outlive
        // the first particle's death only when looping.
        EXPECT_EQ(system->peakParticles, looping ? 9u : 8u);
        ASSERT_TRUE(particleSystems->systems.Remove(system));
        delete system;
    }

    // Bursts: rate key k on entering fifth k. The second burst finds the
    // pool short and drops what it cannot place.
    Tools::ParticleSystem bursts = OneBurst();
    bursts.duration = 1;
    bursts.rate = {20, 15, 0, 0, 0, 0};
    bursts.poolSize = 30;
    PutSystem("fx/bursts.psf", bursts);
    ParticleSystem* system = particleSystems->LoadParticleSystem("fx/bursts.psf", nullptr);
    Start(system, true);
    std::vector<uint32_t> births;
    for (int frame = 0; frame < 5; ++frame) {
        Step(system, 0.0625f);
        births.push_back(Newborns(*system, 0.0625f));
    }
    EXPECT_EQ(births, (std::vector<uint32_t>{20, 0, 0, 10, 0}));
    EXPECT_EQ(system->GetAccumulator(), 0.0f);
    EXPECT_TRUE(system->GetFreeParticles().empty());
    EXPECT_TRUE(system->spriteGroup->freeList.empty());

    // Blended: period 2 s at clock 0.5 s lies a quarter of the way from
    // key 1 to key 2, for the rate and the lifetime alike.
    Tools::ParticleSystem blended = OneBurst();
    blended.duration = 2;
    blended.interpolateEmission = true;
    blended.rate = {0, 4, 8, 0, 0, 0};
    blended.lifetime = {0, 2, 6, 0, 0, 0};
    PutSystem("fx/blended.psf", blended);
    system = particleSystems->LoadParticleSystem("fx/blended.psf", nullptr);
    Start(system, true);
    Step(system, 0.5f);
    EXPECT_EQ(system->GetLastRateKey(), 1);
    EXPECT_EQ(Newborns(*system, 0.5f), 2u);            // 0.5 × (0.75 × 4 + 0.25 × 8) = 2.5
    EXPECT_EQ(system->GetAccumulator(), 0.5f);
    EXPECT_EQ(system->GetParticles()[0].lifetime, 3.0f);  // 0.75 × 2 + 0.25 × 6
}

TEST_F(ParticleSystemTest, ParticlesFallBounceOnTheFloorAndDieWhenTooSlow)
{
    struct Case {
        const char* label;
        float bounce;
        bool dies;
    };
    for (const Case c : {Case{"bounces on", 0.9f, false}, Case{"too slow after the bounce", 0.3f, true}}) {
        SCOPED_TRACE(c.label);
        Tools::ParticleSystem file = OneBurst();
        file.poolSize = 2;
        file.gravityOn = true;
        file.gravity = 2;
        file.floorOn = true;
        file.floorHeight = -10;
        file.bounce = c.bounce;
        file.dieWhenSlow = true;
        file.minimumBounceSpeed = 0.4f;
        file.direction.fill(Vector3(1, 0, 0));
        file.directionSpread.fill(Vector3());
        file.color[0] = ColorRGBA(1, 0, 0, 1);
        file.color[1] = ColorRGBA(0, 1, 0, 0);
        file.size[0] = 2;
        file.size[1] = 4;
        PutSystem("fx/fall.psf", file);
        ParticleSystem* system = particleSystems->LoadParticleSystem("fx/fall.psf", nullptr);
        Start(system, false);
        const SpriteGroup& group = *system->spriteGroup;

        // 100 units a second along x; gravity 2 adds 0.25 to the fall
        // speed each frame and lowers z by 12.5 × the fall speed.
        Step(system, 0.125f);
        const Particle& particle = system->GetParticles()[0];
        const Sprite& sprite = group.sprites[particle.sprite];
        ExpectNear(sprite.position, {12.5f, 0, -3.125f}, 0);
        // A quarter life of 4 s has s = 0.15625 between keys 0 and 1.
        EXPECT_EQ(sprite.color.r, 0.84375f);
        EXPECT_EQ(sprite.color.g, 0.15625f);
        EXPECT_EQ(sprite.color.a, 0.84375f);
        EXPECT_EQ(sprite.size, 2.3125f);
        Step(system, 0.125f);
        ExpectNear(sprite.position, {25, 0, -9.375f}, 0);

        // Through the floor at −10: back on it, no fall speed, slowed, and
        // off upwards along the move that hit it, (12.5, 0, −9.375).
        Step(system, 0.125f);
        ExpectNear(sprite.position, {37.5f, 0, -9.999f});
        EXPECT_EQ(particle.fallSpeed, 0.0f);
        for (const Vector3& key : particle.directionKeys) ExpectNear(key, {0.8f, 0, 0.6f});
        EXPECT_EQ(system->liveParticles, 1u);
        if (!c.dies) {
            EXPECT_EQ(particle.speedFactor, 0.9f);
            Step(system, 0.125f);
            ExpectNear(sprite.position, {46.5f, 0, -6.374f}, 1e-4f);
            continue;
        }
        EXPECT_EQ(particle.speedFactor, 0.0f);
        EXPECT_EQ(particle.age, particle.lifetime + 0.0001f);
        // Dead in the next update: both indices back on their free lists.
        const uint32_t spriteIndex = particle.sprite;
        Step(system, 0.125f);
        EXPECT_TRUE(particle.free);
        EXPECT_TRUE(group.sprites[spriteIndex].free);
        EXPECT_EQ(group.freeList.back(), spriteIndex);
        EXPECT_EQ(system->GetFreeParticles().back(), 0u);
        EXPECT_EQ(system->liveParticles, 0u);
        EXPECT_EQ(system->peakParticles, 1u);
    }
}

TEST_F(ParticleSystemTest, APeriodWithoutLengthNeverHangsTheClock)
{
    struct Case {
        const char* label;
        float duration;
        bool emitting;  // afterwards
    };
    const Case cases[] = {
        {"zero", 0.0f, false},
        {"negative", -1.0f, false},
        {"NaN", std::nanf(""), false},
        {"endless", std::numeric_limits<float>::infinity(), true},
        {"tiny", 1e-30f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ParticleSystem system(particleSystems->GetServices(), nullptr);
        system.parameters.duration = c.duration;
        Start(&system, true);
        Step(&system, 0.125f);
        EXPECT_EQ(system.emitting, c.emitting);
        if (c.emitting) {
            EXPECT_LT(system.clock, c.duration);
        } else {
            EXPECT_EQ(system.clock, 0.0f);
        }
    }
}

TEST_F(ParticleSystemTest, WatchedSystemsAreHiddenOnceQuietAndNullEntriesDropped)
{
    Tools::ParticleSystem file = OneBurst();
    file.duration = 0.25f;
    file.rate.fill(1);  // a burst in every fifth the clock enters
    file.lifetime.fill(0.5f);
    PutSystem("fx/puff.psf", file);
    ParticleSystem* model = particleSystems->LoadUnregisteredParticleSystem("fx/puff.psf", nullptr);
    ParticleSystem* once = particleSystems->CloneParticleSystem(*model);
    ParticleSystem* loop = particleSystems->CloneParticleSystem(*model);
    Start(once, false);
    Start(loop, true);
    particleSystems->watchList = {once, nullptr, loop};
    auto visible = [](const ParticleSystem* s) {
        return (s->spriteGroup->mesh->flags & ModelFlags::Visible) != 0;
    };

    timers.frameStep = 0.125f;
    particleSystems->Update();  // both burst one particle
    EXPECT_EQ(once->liveParticles, 1u);
    EXPECT_EQ(model->liveParticles, 0u) << "templates are not updated";
    EXPECT_EQ(particleSystems->watchList, (std::vector<ParticleSystem*>{once, loop}));
    particleSystems->Update();  // "once" ends its period; its particle lives on
    EXPECT_FALSE(once->emitting);
    particleSystems->Update();
    EXPECT_TRUE(visible(once));
    EXPECT_EQ(particleSystems->watchList.size(), 2u);
    particleSystems->Update();  // its particle dies at 0.5 s
    EXPECT_FALSE(visible(once));
    EXPECT_TRUE(visible(loop));
    EXPECT_EQ(particleSystems->watchList, (std::vector<ParticleSystem*>{loop}));

    // A hidden system stands still.
    once->emitting = true;
    particleSystems->Update();
    EXPECT_EQ(once->clock, 0.0f);
    delete model;
}

TEST_F(ParticleSystemTest, ACopyOfARunningSystemStartsWithEveryParticleAndSpriteFree)
{
    ParticleSystem* source = particleSystems->CloneParticleSystem(
        ParticleSystem(particleSystems->GetServices(), nullptr));
    source->spawnPoints = {{1, 2, 3}};
    Start(source, true);
    for (int frame = 0; frame < 4; ++frame) Step(source, 0.125f);
    ASSERT_EQ(source->liveParticles, 5u);

    ParticleSystem* copy = particleSystems->CloneParticleSystem(*source);
    EXPECT_EQ(copy->name, "self_made");
    EXPECT_FALSE(copy->emitting);
    EXPECT_TRUE(copy->spawnPoints.empty());
    EXPECT_EQ(copy->spriteGroup->freeList.size(), 100u);
    for (const Sprite& sprite : copy->spriteGroup->sprites) EXPECT_TRUE(sprite.free);

    // Its pool fills to the last particle, each with a sprite of its own.
    copy->parameters.lifetime.fill(100);
    copy->parameters.rate.fill(1000);
    Start(copy, true);
    Step(copy, 0.125f);
    EXPECT_EQ(copy->liveParticles, 100u);
    EXPECT_TRUE(copy->spriteGroup->freeList.empty());
    for (const Sprite& sprite : copy->spriteGroup->sprites) EXPECT_FALSE(sprite.free);
}

} // namespace
} // namespace ZorvaneEngine
