// The screens before the menus: the splash pictures, the start-up load
// behind the background's intro, and the game's cursor.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUILogosWindow.h"
#include "game/menus/MenuPlayer.h"
#include "game/menus/MenuWorld.h"
#include "platform/window/IconResources.h"
#include "platform/window/WindowObject.h"
#include "tools/common/ImageFile.h"

namespace ActionPuzzle {
namespace {

using GameFramework::WindowAction;
using ZorvaneEngine::ModelFlags;

// Seconds from the logos' Open to their result, in frames of 20 ms.
TEST(GUILogosWindowTest, EachPictureStandsAndFadesThenTheScreenIsDone)
{
    struct Case {
        bool first, second;
        float seconds;
    };
    for (const Case& c : {Case{true, true, 5.0f}, Case{false, true, 2.5f}, Case{false, false, 0.0f}}) {
        SCOPED_TRACE(std::to_string(c.first) + std::to_string(c.second));
        TestSupport::EngineTestEnvironment env;
        ZorvaneEngine::Image picture;
        picture.Create(8, 8, 24, nullptr);
        std::string error;
        std::filesystem::create_directories(env.folder / "bin/data");
        if (c.first) {
            ASSERT_TRUE(Tools::SaveImageFile(env.folder / "bin/data/splash1.jpg", picture, error)) << error;
        }
        if (c.second) {
            ASSERT_TRUE(Tools::SaveImageFile(env.folder / "bin/data/splash2.jpg", picture, error)) << error;
        }
        auto engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
        const uint32_t windowsBefore = engine->guiManager->windows.GetCount();
        auto logos = std::make_unique<GUILogosWindow>(engine.get());
        ZorvaneEngine::GUIWindow* front = logos->GetSplash(0);
        ASSERT_EQ(front != nullptr, c.first || c.second);
        if (front) {
            EXPECT_EQ(front->layer, 101);
            // The picture blends, so that its fade shows.
            EXPECT_TRUE(front->model->GetMaterial()->flags & ZorvaneEngine::ShaderAlphaBlend);
        }
        logos->Open();
        int frames = 0;
        while (frames < 400) {
            env.scripted.Advance(20);
            engine->Update();
            logos->Update();
            engine->EndFrame();
            ++frames;
            if (logos->result == WindowAction::Done)
                break;
            if (frames == 100 && c.first) {
                EXPECT_NEAR(front->GetColor().a, 0.5f, 0.01f);  // 2 s in: half faded
            }
        }
        EXPECT_NEAR(frames * 0.02f, c.seconds, 0.05f);

        logos->Close();
        EXPECT_EQ(logos->GetSplash(0), nullptr);
        EXPECT_EQ(engine->guiManager->windows.GetCount(), windowsBefore + 1);
        logos.reset();
        EXPECT_EQ(engine->guiManager->windows.GetCount(), windowsBefore);
    }
}

TEST(GUIGameLoadingWindowTest, TheCatalogueLoadsOnceWhenTheIntroIsReady)
{
    TestSupport::GameEnvironment world;
    world.UseBuiltData();
    TestSupport::GameUnderTest& game = world.Start();
    TestSupport::MenuPlayer player(world);
    game.Logos()->result = WindowAction::Done;
    BackgroundState stateAtLoad = BackgroundState::IntroFrame;
    for (int i = 0; i < 1000 && !game.HasAllWindows(); ++i) {
        const BackgroundState state = game.Background()->GetState();
        player.Frame();
        if (game.Data()->levelRootWindow && stateAtLoad == BackgroundState::IntroFrame)
            stateAtLoad = state;
    }
    ASSERT_TRUE(game.HasAllWindows());
    EXPECT_EQ(stateAtLoad, BackgroundState::ReadyForLoading);
    const size_t models = game.Data()->GetModels().size();
    auto* cursor = static_cast<GUIGameCursor*>(game.Cursor());
    EXPECT_NE(cursor->GetTrail(), nullptr);
    EXPECT_TRUE(cursor->IsShown());
    player.Wait(1.0f);
    EXPECT_EQ(game.Data()->GetModels().size(), models);
    EXPECT_EQ(game.Background()->GetState(), BackgroundState::PlateDown);
}

class GUIGameCursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's pictures of the first two kinds; the third is missing.
        static const uint8_t pixels[4 * 4 * 4] = {};
        Platform::AddCursorResource(1000, {{4, 4, pixels}, 2, 0});
        Platform::AddCursorResource(107, {{4, 4, pixels}, 0, 0});
        Platform::AddCursorResource(106, {});
        TestSupport::WriteWholeFile(world.env.IniPath(), "ui_custom_cursor 1\r\n");
        world.Start();
        cursor = std::make_unique<GUIGameCursor>(world.engine.get());
    }
    void TearDown() override
    {
        cursor.reset();
        Platform::AddCursorResource(1000, {});
        Platform::AddCursorResource(107, {});
    }

    // A frame with the pointer at GUI (x, y) and the left button as given.
    void Frame(float x, float y, bool down)
    {
        const float h = 768.0f;
        world.env.windowing.cursorX = static_cast<int32_t>(x * 1024.0f / 800.0f);
        world.env.windowing.cursorY = static_cast<int32_t>(h - 1 - y * h / 600.0f);
        world.engine->input->SetKeyState(down, "MOUSE1");
        world.Frame([&] { cursor->Update(); });
    }

    TestSupport::MenuWorld world;
    std::unique_ptr<GUIGameCursor> cursor;
};

TEST_F(GUIGameCursorTest, StartsWithTheSystemCursorOfKindZeroAndPointsWithTheArrowWithoutAPicture)
{
    EXPECT_FALSE(cursor->IsCustomCursorInUse());
    EXPECT_EQ(cursor->GetCurrentId(), 0);
    ASSERT_NE(world.env.windowing.CurrentCursor(), nullptr);
    EXPECT_EQ(world.env.windowing.CurrentCursor()->cursorId, 1000u);
    cursor->SelectCursor(1);
    EXPECT_EQ(world.env.windowing.CurrentCursor()->cursorId, 107u);
    cursor->SelectCursor(2);
    ASSERT_NE(world.env.windowing.CurrentCursor(), nullptr);
    EXPECT_EQ(world.env.windowing.CurrentCursor()->cursorId, Platform::IDC_ARROW);
}

TEST_F(GUIGameCursorTest, TheTrailFollowsThePointerWhileShownAndEveryClickBursts)
{
    ZorvaneEngine::ParticleSystemManager& systems = *world.engine->particleSystems;
    const uint32_t before = systems.systems.GetCount();
    // Nothing to move before the start-up load.
    cursor->Show(true);
    Frame(400, 300, true);
    EXPECT_EQ(systems.systems.GetCount(), before);

    cursor->CreateParticles(*world.data);
    ZorvaneEngine::ParticleSystem* trail = cursor->GetTrail();
    ZorvaneEngine::ParticleSystem* click = cursor->GetClick();
    ASSERT_TRUE(trail && click);
    EXPECT_EQ(systems.systems.GetCount(), before + 2);
    for (const ZorvaneEngine::ParticleSystem* system : {trail, click}) {
        const ZorvaneEngine::Model& mesh = *system->spriteGroup->mesh;
        EXPECT_TRUE(mesh.flags & ModelFlags::FixedDepthKey);
        EXPECT_TRUE(mesh.flags & ModelFlags::Visible);
        EXPECT_EQ(mesh.depthKey, -21.0f);
    }
    EXPECT_TRUE(trail->looping && trail->emitting);
    EXPECT_FALSE(click->looping || click->emitting);

    Frame(400, 300, false);
    EXPECT_NEAR(trail->emitterPosition.x, 412.0f, 1.0f);
    EXPECT_NEAR(trail->emitterPosition.y, 282.0f, 1.0f);
    EXPECT_FALSE(click->emitting);
    Frame(200, 100, true);
    EXPECT_TRUE(click->emitting);
    EXPECT_NEAR(click->emitterPosition.x, 200.0f, 1.0f);
    EXPECT_NEAR(click->emitterPosition.y, 100.0f, 1.0f);

    // Hidden: the trail stops at once, the clicks still burst.
    cursor->Show(false);
    EXPECT_FALSE(trail->emitting);
    Frame(200, 100, false);
    click->emitting = false;
    Frame(300, 150, true);
    EXPECT_TRUE(click->emitting);
    EXPECT_NEAR(click->emitterPosition.x, 300.0f, 1.0f);
    cursor->Show(true);
    EXPECT_TRUE(trail->emitting);

    systems.watchList.push_back(click);
    cursor.reset();
    EXPECT_EQ(systems.systems.GetCount(), before);
    EXPECT_EQ(systems.watchList.back(), nullptr);
}

} // namespace
} // namespace ActionPuzzle
