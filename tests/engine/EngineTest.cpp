#include "engine/Engine.h"
#include "engine/graphics/ScreenCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/input/InputFixture.h"
#include "engine/sound/SoundFileFixture.h"
#include "engine/sound/SoundManager.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "platform/system/scripted/ScriptedCallListener.h"

namespace ZorvaneEngine {
namespace {

using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;

// The journal's calls that mark a service's creation or deletion, in order.
std::vector<std::string> Milestones(const std::vector<std::string>& journal)
{
    static const std::vector<std::string> kMarks = {
        "CoInitialize", "TimeBeginPeriod", "RegisterClass", "CreateWindowEx", "GetDC",
        "ShowWindow",   "GetTickCount",    "ReleaseDC",     "DestroyWindow",  "UnregisterClass",
        "TimeEndPeriod", "CoUninitialize"};
    std::vector<std::string> marks;
    for (const std::string& call : journal)
        if (std::find(kMarks.begin(), kMarks.end(), call) != kMarks.end())
            marks.push_back(call);
    return marks;
}

// Where text occurs in the log file; npos when absent.
size_t Where(const std::string& log, const std::string& text)
{
    return log.find(text);
}

TEST(Engine, BuildsRunsFramesAndTearsDownInItsOrders)
{
    EngineTestEnvironment env;
    env.scripted.SetTime(123456);
    auto engine = std::make_unique<Engine>(env.Settings());

    EXPECT_EQ(Milestones(env.system.Journal()),
              (std::vector<std::string>{"CoInitialize", "TimeBeginPeriod", "RegisterClass",
                                        "CreateWindowEx", "GetDC", "ShowWindow", "GetTickCount"}));
    EXPECT_EQ(RandomSeed.load(), 123456u);
    EXPECT_TRUE(engine->IsComInitialized());
    // The caption is the version text; the size comes from the loaded
    // "v_mode", centred on the 1920 by 1080 desktop.
    const auto* state = env.windowing.StateOf(engine->window->handle);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->caption, "Tangrove 1.03");
    EXPECT_EQ(state->clientRect, (Platform::Rect{448, 156, 1472, 924}));

    // Frame: messages logged before Update are gone after it; a tracked
    // variable stays changed through Update and is cleared by EndFrame.
    int32_t tracked = 0;
    engine->config->AddVariable("0", "t_tracked", ConfigVariableType::Int, false, &tracked, true);
    engine->log->Message("before the frame");
    engine->Update();
    EXPECT_TRUE(engine->log->GetFrameMessages().empty());
    EXPECT_TRUE(engine->config->HasChanged("t_tracked"));
    engine->EndFrame();
    EXPECT_FALSE(engine->config->HasChanged("t_tracked"));
    engine->config->DetachVariable("t_tracked");

    // "exit" is announced by the frame after it was issued.
    engine->RequestExit();
    EXPECT_FALSE(engine->config->IsCommandDone("exit"));
    engine->Update();
    engine->EndFrame();
    const auto messages = engine->log->GetFrameMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "\nExiting...\n\n");

    env.system.ClearJournal();
    engine.reset();
    EXPECT_EQ(Milestones(env.system.Journal()),
              (std::vector<std::string>{"ReleaseDC", "DestroyWindow", "UnregisterClass",
                                        "TimeEndPeriod", "CoUninitialize"}));

    const std::string log = ReadWholeFile(env.LogPath());
    EXPECT_LT(Where(log, "Tangrove Log: "), Where(log, "Initialization of File Manager..."));
    EXPECT_LT(Where(log, "Initialization of File Manager..."), Where(log, "Window creation:"));
    EXPECT_LT(Where(log, "Window creation:"), Where(log, "Window destroying:"));
    EXPECT_LT(Where(log, "Window destroying:"), Where(log, "Tangrove Log end: "));
    EXPECT_NE(ReadWholeFile(env.IniPath()).find("v_mode 1024x768x32\r\n"), std::string::npos);
}

// The steps of a frame in the order they ran. A step that calls the
// platform is seen at that call; a step that only changes state is seen at
// the next platform call after it, or at the end of the frame.
class FrameRecorder {
public:
    // A step seen at the first call that starts with the text and passes the
    // test (none: any such call).
    struct CallStep {
        std::string name;
        std::string call;
        std::function<bool()> test;
    };
    struct StateStep {
        std::string name;
        std::function<bool()> done;
    };

    FrameRecorder(std::vector<CallStep> calls, std::vector<StateStep> states)
        : calls(std::move(calls)), states(std::move(states))
    {
        previous = Platform::SetScriptedCallListener([this](const std::string& call) { OnCall(call); });
    }
    ~FrameRecorder() { Platform::SetScriptedCallListener(previous); }

    // The steps in order, the state steps still pending seen now.
    std::vector<std::string> Order()
    {
        Poll();
        return order;
    }

private:
    void OnCall(const std::string& call)
    {
        Poll();
        for (const CallStep& step : calls)
            if (call.rfind(step.call, 0) == 0 && (!step.test || step.test()))
                See(step.name);
    }
    void Poll()
    {
        for (const StateStep& step : states)
            if (step.done())
                See(step.name);
    }
    void See(const std::string& name)
    {
        if (std::find(order.begin(), order.end(), name) == order.end())
            order.push_back(name);
    }

    std::vector<CallStep> calls;
    std::vector<StateStep> states;
    std::vector<std::string> order;
    Platform::ScriptedCallListener previous;
};

// A window of the GUI that reports its update and its drawing as calls.
class ProbeWindow : public GUIWindow {
public:
    explicit ProbeWindow(const GUIManager& gui)
        : GUIWindow(gui, GUIWindowFlags::Visible, {0, 0}, {10, 10}, static_cast<const Model*>(nullptr), nullptr)
    {
    }
    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override
    {
        Platform::ReportScriptedCall("GUIWindow::Update");
        return GUIWindow::Update(cursor, mouseDown, mousePressed);
    }
    bool Draw() override
    {
        Platform::ReportScriptedCall("GUIWindow::Draw");
        return GUIWindow::Draw();
    }
};

TEST(Engine, RunsTheStepsOfAFrameInItsOrder)
{
    EngineTestEnvironment env;
    Platform::ScriptedInput input;
    Platform::ScopedInput scopedInput(input);
    Platform::ScriptedAudio audio;
    {
        using namespace SoundTest;
        const Bytes wav = Riff({FormatChunk(1, 22050, 16), DataChunk(Bytes(8820, 0x10))});
        TestSupport::WriteWholeFile(env.folder / "bin/Data/a.wav", std::string(wav.begin(), wav.end()));
    }
    auto engine = std::make_unique<Engine>(env.Settings());

    // Something for every step to change.
    int32_t tracked = 0;
    engine->config->AddVariable("0", "t_tracked", ConfigVariableType::Int, false, &tracked, true);
    engine->Update();
    engine->EndFrame();
    tracked = 1;
    engine->log->Message("from the frame before");
    Camera* camera = engine->cameras->GetDefaultCamera();
    camera->position = Vector3(0, 0, 5);
    ParticleSystem* system = engine->particleSystems->LoadParticleSystem("missing.psf", nullptr);
    // A few sparks in the shortest frame step, fewer than the pool holds.
    system->parameters.rate.fill(20000.0f);
    system->emitterPosition = Vector3(0, 0, -10);
    system->emitting = true;
    GUIManager* gui = engine->guiManager.get();
    gui->windows.Add(new ProbeWindow(*gui));
    engine->lights->ambient = ColorRGBA(0.5f, 0, 0, 1);
    ShaderUser* animated = engine->materials->CreateShaderUser(
        ShaderDescriptor("fire.tga", "", AnimationGrid, 4, 2, 8, 4.0f, false));
    Sound* sound = engine->soundManager->CreateSound("a.wav");
    engine->soundManager->Play(sound, false);
    input.PushRecord(Platform::DeviceKind::SysKeyboard, Platform::DIK_SYSRQ, 0x80);
    engine->RequestExit();

    // Steps that undo a state the frame had set: true once both were seen.
    bool keyWasPressed = false;
    bool variableWasChanged = false;
    const auto ambientState = [&env] {
        const Platform::GraphicsCall& last = env.graphics.Calls().back();
        return last.args.size() == 2 && last.args[0] == static_cast<double>(Platform::D3DRENDERSTATE_AMBIENT);
    };
    // The sound system refreshes the primary buffer, the only one given a format.
    const auto primaryBuffer = [&audio] {
        return audio.Calls().back().object == audio.CallsOf("SetFormat").front().object;
    };
    FrameRecorder recorder(
        {
            {"timers", "TimeGetTime", nullptr},
            {"window", "GetFocus(", nullptr},
            {"input", "Keyboard.GetDeviceData", nullptr},
            {"GUI update", "GUIWindow::Update", nullptr},
            {"renderer refresh", "DirectDraw::TestCooperativeLevel", nullptr},
            {"GUI draw", "GUIWindow::Draw", nullptr},
            {"lights", "Device::SetRenderState", ambientState},
            {"models", "Device::DrawIndexedPrimitive", nullptr},
            {"sound system", "GetStatus", primaryBuffer},
            {"queued sounds", "Play", nullptr},
            {"present", "DirectDraw::WaitForVerticalBlank", nullptr},
        },
        {
            {"configuration", [&] { return engine->config->HasChanged("t_tracked"); }},
            {"log's frame list", [&] { return engine->log->GetFrameMessages().empty(); }},
            {"cameras", [&] { return camera->view[14] == -5.0f; }},
            {"particles", [&] { return system->liveParticles > 0; }},
            // A build cuts the mesh's indices down to the live sparks.
            {"sprite groups",
             [&] {
                 const uint32_t live = system->liveParticles;
                 return live > 0 && system->spriteGroup->mesh->GetIndexBuffer()->GetCount() == 6 * live;
             }},
            {"materials", [&] { return animated->clocks[0] > 0; }},
            // The screen capture takes the request in the same frame: it is
            // seen issued, or already given a picture name.
            {"print screen",
             [&] {
                 return !engine->config->IsCommandDone("sc_take_screenshot") ||
                        !engine->screenCapture->GetFileName().empty();
             }},
            {"input end",
             [&] {
                 keyWasPressed |= engine->input->IsKeyPressed("PRINTSCRN");
                 return keyWasPressed && !engine->input->IsKeyPressed("PRINTSCRN");
             }},
            {"changed flags",
             [&] {
                 variableWasChanged |= engine->config->HasChanged("t_tracked");
                 return variableWasChanged && !engine->config->HasChanged("t_tracked");
             }},
        });
    engine->Update();
    engine->EndFrame();
    EXPECT_EQ(recorder.Order(),
              (std::vector<std::string>{"configuration", "timers", "window", "input", "GUI update",
                                        "log's frame list", "renderer refresh", "cameras", "particles",
                                        "sprite groups", "GUI draw", "lights", "materials", "models",
                                        "sound system", "queued sounds", "present", "print screen",
                                        "input end", "changed flags"}));
    const auto messages = engine->log->GetFrameMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "\nExiting...\n\n");
}

TEST(Engine, ConstructionFailingPartWayReleasesWhatExistsAndSavesNothing)
{
    struct Case {
        const char* name;
        void (*fail)(Platform::ScriptedWindowing&);
        const char* message;
        std::vector<std::string> teardown;  // after the failure, in order
    };
    const Case cases[] = {
        {"class", [](Platform::ScriptedWindowing& w) { w.failRegisterClass = true; },
         "Failed to register the window class", {"TimeEndPeriod", "CoUninitialize"}},
        {"window", [](Platform::ScriptedWindowing& w) { w.failCreateWindow = true; },
         "Failed to create window", {"UnregisterClass", "TimeEndPeriod", "CoUninitialize"}},
        {"context", [](Platform::ScriptedWindowing& w) { w.failGetDC = true; },
         "Failed to create a device context",
         {"DestroyWindow", "UnregisterClass", "TimeEndPeriod", "CoUninitialize"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineTestEnvironment env;
        c.fail(env.windowing);
        try {
            Engine engine(env.Settings());
            ADD_FAILURE() << "the engine was built";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.message, c.message);
        }
        std::vector<std::string> marks = Milestones(env.system.Journal());
        const auto tail = std::vector<std::string>(
            marks.end() - static_cast<std::ptrdiff_t>(std::min(marks.size(), c.teardown.size())),
            marks.end());
        EXPECT_EQ(tail, c.teardown);

        const std::string log = ReadWholeFile(env.LogPath());
        EXPECT_NE(log.find(std::string("PROGRAM ABORTING: ") + c.message), std::string::npos);
        EXPECT_NE(log.find("Tangrove Log end: "), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(env.IniPath()));
    }
}

TEST(Engine, VersionStringAndFallbackTitle)
{
    struct Case {
        const char* title;
        int32_t version;
        const char* expected;
    };
    const Case cases[] = {
        {"Tangrove", 103, "Tangrove 1.03"},
        {"Tangrove", 1234, "Tangrove 12.34"},
        {"Tangrove", 5, "Tangrove 0.05"},
        {"Tangrove", 0, "Tangrove 0.00"},
        {"", 103, "Zorvane Engine 0.67"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EngineTestEnvironment env;
        EngineSettings settings = env.Settings();
        settings.title = c.title;
        settings.version = c.version;
        settings.saveConfig = false;
        Engine engine(settings);
        EXPECT_EQ(engine.GetVersionString(), c.expected);
        EXPECT_EQ(env.windowing.StateOf(engine.window->handle)->caption, c.expected);
    }
}

TEST(Engine, WithoutSaveConfigNoFileIsWritten)
{
    EngineTestEnvironment env;
    EngineSettings settings = env.Settings();
    settings.saveConfig = false;
    { Engine engine(settings); }
    EXPECT_FALSE(std::filesystem::exists(env.IniPath()));
}

} // namespace
} // namespace ZorvaneEngine
