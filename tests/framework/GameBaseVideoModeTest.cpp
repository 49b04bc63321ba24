// The game base's frame and the renderer: a mode asked for at run time
// resets the device in it, and a lost device is re-created.
#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Window.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/TestGame.h"

namespace {

using TestSupport::EngineTestEnvironment;
using TestSupport::TestGame;

TEST(GameBase, VideoModeChangeResetsTheDeviceInTheFrame)
{
    EngineTestEnvironment env;
    TestGame game;
    ZorvaneEngine::RenderSystem* renderer = game.GetEngine()->renderer.get();
    ASSERT_NE(renderer, nullptr);
    ASSERT_TRUE(renderer->IsReady());
    env.windowing.focus = game.GetWindow()->handle;

    ZorvaneEngine::Config* config = game.GetConfig();
    config->videoMode = "800x600x32";
    config->fullscreen = true;
    config->SetCommandDone("g_update_video_mode", false);
    game.Update();
    EXPECT_TRUE(config->IsCommandDone("g_update_video_mode"));
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_TRUE(renderer->IsReady());
    EXPECT_EQ(renderer->GetSelectedMode()->width, 800u);
    EXPECT_TRUE(renderer->GetSelectedDevice()->fullscreen);
    EXPECT_EQ(env.windowing.StateOf(game.GetWindow()->handle)->form,
              Platform::WindowForm::FullScreen);

    // The desktop's mode changing under a window: re-created in the next
    // frame after the one that saw it.
    config->fullscreen = false;
    config->SetCommandDone("g_update_video_mode", false);
    game.Update();
    env.graphics.CooperativeLevelResults() = {Platform::DDERR_WRONGMODE};
    game.Update();
    EXPECT_TRUE(renderer->IsModeChanged());
    env.graphics.ClearCalls();
    game.Update();
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_TRUE(renderer->IsReady());
    EXPECT_FALSE(env.graphics.CallsNamed("DirectDraw::Release").empty());
}

} // namespace
