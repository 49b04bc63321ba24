#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Window.h"
#include "engine/input/Controls.h"
#include "InputFixture.h"
#include "platform/capture/scripted/ScriptedCapture.h"

namespace InputTest {
namespace {

using namespace Platform;
using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;
using ZorvaneEngine::Engine;

TEST(EngineInput, PolledInTheFrameAndEndedAfterThePrintScreenRequest) {
    EngineTestEnvironment env;
    ScriptedInput scripted;
    ScopedInput scope(scripted);
    Platform::ScriptedCapture capture;
    Platform::ScopedCapture scopedCapture(capture);
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->input, nullptr);
    EXPECT_TRUE(engine->config->IsCommandDone("sc_take_screenshot"));

    scripted.PushRecord(DeviceKind::SysKeyboard, DIK_SYSRQ, 0x80);
    engine->Update();
    EXPECT_TRUE(engine->input->IsKeyPressed("PRINTSCRN"));
    engine->window->keyEvent = {true, false, 0x2C};
    engine->EndFrame();
    // Taken by the screen capture in the same frame.
    EXPECT_TRUE(engine->config->IsCommandDone("sc_take_screenshot"));
    EXPECT_EQ(capture.copies, 1u);
    EXPECT_FALSE(engine->input->IsKeyPressed("PRINTSCRN"));
    EXPECT_TRUE(engine->input->IsKeyDown("PRINTSCRN"));
    EXPECT_FALSE(engine->window->keyEvent.pending);

    // Held on, it asks for no further picture.
    engine->config->SetCommandDone("sc_take_screenshot", true);
    engine->Update();
    engine->EndFrame();
    EXPECT_TRUE(engine->config->IsCommandDone("sc_take_screenshot"));

    engine.reset();
    EXPECT_FALSE(scripted.keyboard.created);
    const std::string log = ReadWholeFile(env.LogPath());
    const auto at = [&log](const char* text) { return log.find(text); };
    EXPECT_LT(at("Window creation:"), at("Initialization of DirectInput devices..."));
    EXPECT_LT(at("Initialization of DirectInput devices..."), at("DirectInput devices destroying:"));
    EXPECT_LT(at("DirectInput devices destroying:"), at("Window destroying:"));
    EXPECT_NE(at("Window destroying:"), std::string::npos);
}

} // namespace
} // namespace InputTest
