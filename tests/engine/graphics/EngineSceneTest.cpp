// The engine's cameras and lights: made after the renderer and brought up to
// date in every frame's scene pass.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/RenderSystem.h"

namespace ZorvaneEngine {
namespace {

TEST(EngineScene, CamerasAndLightsFollowTheFrame)
{
    TestSupport::EngineTestEnvironment env;
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->cameras, nullptr);
    ASSERT_NE(engine->lights, nullptr);
    Camera* camera = engine->cameras->GetDefaultCamera();
    ASSERT_NE(camera, nullptr);

    camera->position = Vector3(0, 0, 5);
    engine->lights->ambient = ColorRGBA(0.5f, 0, 0, 1);
    engine->cameras->SetAppliedCamera(camera, false);
    engine->Update();
    engine->EndFrame();

    EXPECT_EQ(engine->cameras->GetViewportWidth(), 1024u);
    EXPECT_EQ(engine->cameras->GetViewportHeight(), 768u);
    EXPECT_EQ(camera->view[14], -5.0f);
    EXPECT_EQ(engine->cameras->GetAppliedCamera(), nullptr);
    EXPECT_EQ(engine->renderer->GetStates().ambient.r, 0.5f);
}

} // namespace
} // namespace ZorvaneEngine
