// The engine's sprite-group and particle-system managers: made after the
// models, run in the frame's scene pass before the models are drawn, and
// deleted, with what is still registered, before the model manager.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/SpriteGroupManager.h"

namespace ZorvaneEngine {
namespace {

TEST(EngineParticles, SystemsMoveAndTheirSpritesAreBuiltAndDrawnEveryFrame)
{
    TestSupport::EngineTestEnvironment env;
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->particleSystems, nullptr);
    ASSERT_NE(engine->spriteGroups, nullptr);
    // A missing file gives the built-in system, registered.
    ParticleSystem* system = engine->particleSystems->LoadParticleSystem("missing.psf", nullptr);
    // Enough to fill the pool within the shortest frame step, in front of
    // the default camera.
    system->parameters.rate.fill(1e6f);
    system->emitterPosition = Vector3(0, 0, -10);
    system->emitting = true;
    env.graphics.ClearCalls();

    engine->Update();
    engine->EndFrame();
    EXPECT_EQ(system->liveParticles, 100u);
    EXPECT_EQ(system->spriteGroup->mesh->GetIndexBuffer()->GetCount(), 600u);
    EXPECT_EQ(engine->models->GetDrawnModels(), 1u);
    EXPECT_EQ(env.graphics.CallsNamed("Device::DrawIndexedPrimitive").size(), 1u);
    engine.reset();
}

} // namespace
} // namespace ZorvaneEngine
