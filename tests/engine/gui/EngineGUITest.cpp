// The engine's GUI manager: made with the engine, hit-testing in
// Engine::Update and drawing in the scene pass before the models, ended
// before the model manager with its windows still registered.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/ModelManager.h"
#include "engine/gui/GUIManager.h"

namespace ZorvaneEngine {
namespace {

TEST(EngineGUI, WindowsAreHitTestedAndDrawnEachFrame)
{
    TestSupport::EngineTestEnvironment env;
    auto engine = std::make_unique<Engine>(env.Settings());
    GUIManager* gui = engine->guiManager.get();
    ASSERT_NE(gui, nullptr);
    ASSERT_NE(gui->GetCamera(), nullptr);
    gui->GetCamera()->orthoWidth = 800;
    gui->GetCamera()->orthoHeight = 600;

    // A window over the middle of the 800 by 600 GUI area, with a text.
    GUIWindow* panel = gui->CreateQuadWindow(GUIWindowFlags::Visible, {300, 200}, {200, 200},
                                             nullptr, nullptr, {1, 1});
    env.windowing.cursorX = 512;  // GUI (400, 299.2)
    env.windowing.cursorY = 384;
    engine->Update();
    EXPECT_TRUE(panel->hovered);
    panel->AddText(0, 0, u"hello", 0, -1, {}, ColorRGBA(1, 1, 1, 1));
    env.graphics.ClearCalls();
    engine->EndFrame();
    EXPECT_EQ(panel->GetTextCount(), 0u);
    EXPECT_EQ(panel->model->currentTransform[0], 200.0f);
    EXPECT_EQ(panel->model->currentTransform[3], 300.0f);
    EXPECT_EQ(engine->models->GetDrawnModels(), 1u);

    env.windowing.cursorX = 10;
    engine->Update();
    EXPECT_FALSE(panel->hovered);
    engine->EndFrame();
    engine.reset();
}

} // namespace
} // namespace ZorvaneEngine
