#include "tools/common/ParticleSystemWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "tools/WriterTestSupport.h"

namespace Tools {
namespace {

// Every field distinct, so that a field written out of place shows.
ParticleSystem DistinctSystem() {
    ParticleSystem system;
    system.poolSize = 37;
    system.duration = 2.5f;
    system.gravityOn = false;
    system.gravity = 3;
    system.floorOn = true;
    system.floorHeight = -4;
    system.bounce = 0.5f;
    system.dieWhenSlow = false;
    system.minimumBounceSpeed = 0.25f;
    system.interpolateEmission = false;
    for (int k = 0; k < 6; ++k) {
        const float f = static_cast<float>(k);
        system.rate[k] = 100 + f;
        system.lifetime[k] = 200 + f;
        system.lifetimeSpread[k] = 300 + f;
        system.direction[k] = {400 + f, 410 + f, 420 + f};
        system.directionSpread[k] = {500 + f, 510 + f, 520 + f};
        system.color[k] = {600 + f, 610 + f, 620 + f, 630 + f};
        system.size[k] = 700 + f;
        system.speed[k] = 800 + f;
        system.speedSpread[k] = 900 + f;
    }
    system.spawnShape = SpawnShape::Box;
    system.boxMinimum = {-1, -2, -3};
    system.boxMaximum = {1, 2, 3};
    return system;
}

TEST(ParticleSystemWriterTest, FieldsAtTheirOffsets) {
    const std::vector<uint8_t> bytes = BuildParticleSystemFile(DistinctSystem());
    ASSERT_EQ(bytes.size(), 453u);
    ExpectHeader(bytes, "ZVPSF", 204);
    EXPECT_EQ(U32At(bytes, 13), 37u);
    EXPECT_EQ(F32At(bytes, 17), 2.5f);
    EXPECT_EQ(bytes[21], 0);
    EXPECT_EQ(F32At(bytes, 22), 3.0f);
    EXPECT_EQ(bytes[26], 1);
    EXPECT_EQ(F32At(bytes, 27), -4.0f);
    EXPECT_EQ(F32At(bytes, 31), 0.5f);
    EXPECT_EQ(bytes[35], 0);
    EXPECT_EQ(F32At(bytes, 36), 0.25f);
    EXPECT_EQ(bytes[40], 0);
    for (int k = 0; k < 6; ++k) {
        const float f = static_cast<float>(k);
        EXPECT_EQ(F32At(bytes, 41 + 4 * k), 100 + f);
        EXPECT_EQ(F32At(bytes, 65 + 4 * k), 200 + f);
        EXPECT_EQ(F32At(bytes, 89 + 4 * k), 300 + f);
        EXPECT_EQ(F32At(bytes, 113 + 12 * k), 400 + f);
        EXPECT_EQ(F32At(bytes, 113 + 12 * k + 8), 420 + f);
        EXPECT_EQ(F32At(bytes, 185 + 12 * k + 4), 510 + f);
        EXPECT_EQ(F32At(bytes, 257 + 16 * k), 600 + f);
        EXPECT_EQ(F32At(bytes, 257 + 16 * k + 12), 630 + f);
        EXPECT_EQ(F32At(bytes, 353 + 4 * k), 700 + f);
        EXPECT_EQ(F32At(bytes, 377 + 4 * k), 800 + f);
        EXPECT_EQ(F32At(bytes, 401 + 4 * k), 900 + f);
    }
    EXPECT_EQ(U32At(bytes, 425), 1u);
    EXPECT_EQ(F32At(bytes, 429), -1.0f);
    EXPECT_EQ(F32At(bytes, 449), 3.0f);
}

TEST(ParticleSystemWriterTest, Version203HasNoSpeedSpread) {
    ParticleSystem system = DistinctSystem();
    system.version = 203;
    system.speedSpread = {};
    const std::vector<uint8_t> old = BuildParticleSystemFile(system);
    ASSERT_EQ(old.size(), 429u);
    ExpectHeader(old, "ZVPSF", 203);
    EXPECT_EQ(F32At(old, 397), 805.0f);  // last speed key
    EXPECT_EQ(U32At(old, 401), 1u);
    EXPECT_EQ(F32At(old, 405), -1.0f);

    // Apart from the version and the spreads, the same bytes as version 204.
    system.version = 204;
    std::vector<uint8_t> current = BuildParticleSystemFile(system);
    current.erase(current.begin() + 401, current.begin() + 425);
    current[0] = old[0];
    current[9] = old[9];
    EXPECT_EQ(current, old);
}

TEST(ParticleSystemWriterTest, RejectsWhatTheEngineCannotUse) {
    struct Case {
        const char* what;
        void (*spoil)(ParticleSystem&);
    };
    const Case cases[] = {
        {"pool past the 16-bit sprite mesh", [](ParticleSystem& s) { s.poolSize = MaxParticlePool + 1; }},
        {"zero duration", [](ParticleSystem& s) { s.duration = 0; }},
        {"negative duration", [](ParticleSystem& s) { s.duration = -1; }},
        {"NaN duration", [](ParticleSystem& s) { s.duration = std::nanf(""); }},
        {"endless duration", [](ParticleSystem& s) { s.duration = std::numeric_limits<float>::infinity(); }},
        {"unknown shape", [](ParticleSystem& s) { s.spawnShape = static_cast<SpawnShape>(3); }},
        {"spread lost in 203", [](ParticleSystem& s) { s.version = 203; }},
        {"unknown version", [](ParticleSystem& s) { s.version = 205; }},
    };
    for (const Case& c : cases) {
        ParticleSystem system = DistinctSystem();
        c.spoil(system);
        EXPECT_THROW(BuildParticleSystemFile(system), std::invalid_argument) << c.what;
    }
    ParticleSystem largest;
    largest.poolSize = MaxParticlePool;
    EXPECT_NO_THROW(BuildParticleSystemFile(largest));
}

} // namespace
} // namespace Tools
