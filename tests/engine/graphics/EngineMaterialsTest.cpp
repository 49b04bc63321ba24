// The engine's materials: made after the renderer, animated in every scene
// pass, deleted before the renderer.
#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/TextureManager.h"

namespace ZorvaneEngine {
namespace {

using TestSupport::EngineTestEnvironment;

TEST(EngineMaterials, UsersAnimateInTheScenePassAndLeaveBeforeTheRenderer)
{
    EngineTestEnvironment env;
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->materials, nullptr);
    // Twelve pictures (substitute boards), one frame per second.
    ShaderUser* user = engine->materials->CreateShaderUser(
        ShaderDescriptor("fx\\fire00.tga", "", AnimationDiffuse, 1, 1, 12, 1.0f, false));
    std::vector<Texture2D*> textures;
    engine->materials->GetTextureManager()->GetTextures(textures);
    ASSERT_EQ(textures.size(), 12u);

    engine->Update();
    EXPECT_EQ(user->clocks[0], 0.0f);
    engine->EndFrame();
    EXPECT_GT(user->clocks[0], 0.0f);
    EXPECT_EQ(user->clocks[0], engine->timers->frameStep);

    // The user is still held: its textures leave the renderer's registry
    // while the renderer exists.
    engine.reset();
}

} // namespace
} // namespace ZorvaneEngine
