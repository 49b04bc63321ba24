// The engine's model manager: made after the materials, drawing the
// registered models in the frame's scene pass, and deleting what is still
// registered before the materials go.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/graphics/ModelManager.h"

namespace ZorvaneEngine {
namespace {

TEST(EngineModels, RegisteredModelsAreDrawnEveryFrame)
{
    TestSupport::EngineTestEnvironment env;
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->models, nullptr);
    // A missing file gives the box; it stays registered until the end.
    Model* box = engine->models->LoadModel("missing.mlf", nullptr, 0);
    Matrix4 ahead = Matrix4::Identity();
    ahead[11] = -10;
    box->ApplyTransform(ahead);
    env.graphics.ClearCalls();

    engine->Update();
    engine->EndFrame();
    EXPECT_EQ(engine->models->GetDrawnModels(), 1u);
    EXPECT_EQ(env.graphics.CallsNamed("Device::DrawIndexedPrimitive").size(), 1u);
    engine.reset();
}

} // namespace
} // namespace ZorvaneEngine
