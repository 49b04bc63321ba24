#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/Window.h"

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
