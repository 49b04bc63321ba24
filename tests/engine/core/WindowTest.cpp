#include "engine/core/Window.h"

#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "platform/window/IconResources.h"

namespace ZorvaneEngine {
namespace {

using namespace Platform;
using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;
using TestSupport::WriteWholeFile;

// Hands every queued message to its window, as the message loop does.
void Pump(ScriptedWindowing& windowing)
{
    Message message;
    while (windowing.PeekMessage(message))
        windowing.DispatchMessage(message);
}

struct WindowTest : ::testing::Test {
    void Start(EngineSettings settings)
    {
        engine = std::make_unique<Engine>(settings);
        window = engine->window.get();
        config = engine->config.get();
    }
    void Start() { Start(env.Settings()); }

    EngineTestEnvironment env;
    std::unique_ptr<Engine> engine;
    Window* window = nullptr;
    Config* config = nullptr;
};

TEST_F(WindowTest, MessageTable)
{
    // Each row starts from a fresh state: no key event, every command done,
    // windowed, not minimised.
    struct Case {
        const char* name;
        uint32_t message;
        WPARAM wParam;
        KeyEvent key;             // the recorded event afterwards
        const char* issued;       // the command issued, or null
        bool defaultHandling;     // handed on to DefWindowProc
        bool fullscreenAfter;
        bool minimisedAfter;
    };
    const Case cases[] = {
        {"close box", WM_CLOSE, 0, {}, "exit", false, false, false},
        {"quit", WM_QUIT, 0, {}, "exit", false, false, false},
        {"system close", WM_SYSCOMMAND, SC_CLOSE, {}, "exit", false, false, false},
        {"key down", WM_KEYDOWN, VK_RETURN, {true, false, VK_RETURN}, nullptr, true, false, false},
        {"system key down", WM_SYSKEYDOWN, VK_MENU, {true, false, VK_MENU}, nullptr, true, false,
         false},
        {"character", WM_CHAR, 0x61, {true, true, 0x61}, nullptr, true, false, false},
        {"character beyond one byte", WM_CHAR, 0x263A, {true, true, 0x263A}, nullptr, true, false,
         false},
        {"control character", WM_CHAR, 0x1F, {}, nullptr, true, false, false},
        {"system key up", WM_SYSKEYUP, VK_MENU, {}, nullptr, false, false, false},
        {"maximise", WM_SYSCOMMAND, SC_MAXIMIZE, {}, "v_window_change_mode", false, true, false},
        {"minimise", WM_SYSCOMMAND, SC_MINIMIZE, {}, nullptr, true, false, true},
        {"screen saver", WM_SYSCOMMAND, SC_SCREENSAVE, {}, nullptr, false, false, false},
        {"monitor power", WM_SYSCOMMAND, SC_MONITORPOWER, {}, nullptr, false, false, false},
        // The command is compared whole: a low bit set is another command.
        {"close with low bits", WM_SYSCOMMAND, SC_CLOSE | 2, {}, nullptr, true, false, false},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->keyEvent = {};
        window->minimised = false;
        config->fullscreen = false;
        for (const char* command : {"exit", "v_window_change_mode"})
            config->SetCommandDone(command, true);
        const int defaults = env.windowing.CountCalls("DefWindowProc");

        env.windowing.InjectMessage(c.message, c.wParam);
        Pump(env.windowing);

        EXPECT_EQ(window->keyEvent.pending, c.key.pending);
        EXPECT_EQ(window->keyEvent.isChar, c.key.isChar);
        EXPECT_EQ(window->keyEvent.code, c.key.code);
        for (const char* command : {"exit", "v_window_change_mode"})
            EXPECT_EQ(config->IsCommandDone(command), !(c.issued && std::string(c.issued) == command))
                << command;
        EXPECT_EQ(env.windowing.CountCalls("DefWindowProc") - defaults, c.defaultHandling ? 1 : 0);
        EXPECT_EQ(config->fullscreen, c.fullscreenAfter);
        EXPECT_EQ(window->minimised, c.minimisedAfter);
    }
    // The maximise saved the configuration at once.
    EXPECT_NE(ReadWholeFile(env.IniPath()).find("v_fullscreen 1\r\n"), std::string::npos);

    // Every cursor request sets the window's cursor.
    const int cursors = env.windowing.CountCalls("SetCursor");
    env.windowing.InjectMessage(WM_SETCURSOR, 0, HTCLIENT);
    Pump(env.windowing);
    EXPECT_EQ(env.windowing.CountCalls("SetCursor"), cursors + 1);
    EXPECT_EQ(env.windowing.CurrentCursor(), window->cursor);
}

TEST_F(WindowTest, AltEnterTogglesOncePerPress)
{
    Start();
    const bool initial = config->fullscreen;
    env.windowing.SetKeyDown(VK_LMENU, true);
    env.windowing.SetKeyDown(VK_RETURN, true);
    // Held for two frames: toggling in each would end where it began.
    window->Update();
    window->Update();
    EXPECT_EQ(config->fullscreen, !initial);
    EXPECT_FALSE(config->IsCommandDone("v_window_change_mode"));
    EXPECT_NE(ReadWholeFile(env.IniPath()).find(std::string("v_fullscreen ") + (initial ? "0" : "1")),
              std::string::npos);

    // Let go of Enter only, press it again: a second toggle.
    config->SetCommandDone("v_window_change_mode", true);
    env.windowing.SetKeyDown(VK_RETURN, false);
    window->Update();
    EXPECT_TRUE(config->IsCommandDone("v_window_change_mode"));
    env.windowing.SetKeyDown(VK_RETURN, true);
    window->Update();
    window->Update();
    EXPECT_EQ(config->fullscreen, initial);

    // Without the focus, the keys do nothing.
    env.windowing.SetKeyDown(VK_RETURN, false);
    window->minimizeOnFocusLoss = false;
    env.windowing.focus = nullptr;
    window->Update();
    env.windowing.SetKeyDown(VK_RETURN, true);
    window->Update();
    EXPECT_EQ(config->fullscreen, initial);
}

TEST_F(WindowTest, FocusLossMinimisesOnceUntilRestored)
{
    Start();
    window->Update();
    EXPECT_EQ(env.windowing.CountCalls("PostMessage"), 0);

    env.windowing.focus = nullptr;
    window->Update();
    Pump(env.windowing);
    window->Update();
    Pump(env.windowing);
    EXPECT_EQ(env.windowing.CountCalls("PostMessage"), 1);
    EXPECT_TRUE(window->minimised);
    EXPECT_TRUE(env.windowing.StateOf(window->handle)->minimized);

    env.windowing.InjectMessage(WM_SYSCOMMAND, SC_RESTORE);
    Pump(env.windowing);
    EXPECT_FALSE(window->minimised);
    window->Update();
    EXPECT_EQ(env.windowing.CountCalls("PostMessage"), 2);
}

TEST_F(WindowTest, FormsAndPlacement)
{
    // Out-of-range picture settings, clamped only by the full-screen form.
    WriteWholeFile(env.IniPath(), "v_gamma 3.5\r\nv_brightness -1\r\nv_contrast 1.2\r\n");
    struct Case {
        const char* name;
        bool fullscreen;
        bool center;
        Rect client;
        WindowForm form;
        bool topmost;
        float gamma;
        float brightness;
    };
    const Case cases[] = {
        {"centred", false, true, {448, 156, 1472, 924}, WindowForm::Windowed, false, 3.5f, -1.0f},
        {"placed", false, false, {10, 20, 1034, 788}, WindowForm::Windowed, false, 3.5f, -1.0f},
        {"full screen", true, true, {0, 0, 1024, 768}, WindowForm::FullScreen, true, 2.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineSettings settings = env.Settings();
        settings.saveConfig = false;
        settings.fullscreen = c.fullscreen;
        settings.fullscreenGiven = true;
        settings.centerWindow = c.center;
        settings.windowX = 10;
        settings.windowY = 20;
        Start(settings);
        const auto* state = env.windowing.StateOf(window->handle);
        EXPECT_EQ(state->form, c.form);
        EXPECT_EQ(state->clientRect, c.client);
        EXPECT_EQ(state->topmost, c.topmost);
        EXPECT_EQ(config->gamma, c.gamma);
        EXPECT_EQ(config->brightness, c.brightness);
        EXPECT_FLOAT_EQ(config->contrast, 1.2f);
        EXPECT_TRUE(window->HasFocus());
        engine.reset();
    }

    // The renderer's switch back to windowed, centred on its desktop.
    Start();
    window->ChangeMode(800, 600, false, 1280, 1024);
    EXPECT_EQ(env.windowing.StateOf(window->handle)->clientRect, (Rect{240, 212, 1040, 812}));
    window->ChangeMode(800, 600, true, 1280, 1024);
    EXPECT_EQ(env.windowing.StateOf(window->handle)->form, WindowForm::FullScreen);
    EXPECT_EQ(config->gamma, 2.0f);
}

TEST_F(WindowTest, TheClassTakesTheProgramsIconUnderTheId)
{
    static const uint8_t pixel[4] = {255, 216, 107, 255};
    AddIconResource(101, IconPicture{1, 1, pixel});
    struct Case {
        int32_t iconId;
        bool loaded;         // LoadIcon asked for the id
        int32_t windowIcon;  // 0: the system's default
    };
    for (const Case& c : {Case{101, true, 101}, Case{0, false, 0}, Case{102, true, 0}}) {
        SCOPED_TRACE(c.iconId);
        EngineSettings settings = env.Settings();
        settings.iconId = c.iconId;
        settings.saveConfig = false;
        env.windowing.calls.clear();
        Start(settings);
        EXPECT_EQ(env.windowing.CountCalls("LoadIcon"), c.loaded ? 1 : 0);
        EXPECT_EQ(env.windowing.StateOf(window->handle)->iconId, c.windowIcon);
        engine.reset();
    }
    AddIconResource(101, IconPicture{});
}

TEST_F(WindowTest, ChildOfAHostWindow)
{
    const WindowHandle top = env.windowing.CreateHostWindow({0, 0, 1000, 900});
    const WindowHandle host = env.windowing.CreateHostWindow({50, 60, 690, 540}, top);
    EngineSettings settings = env.Settings();
    settings.parentWindow = host;
    settings.fullscreen = true;
    settings.fullscreenGiven = true;
    Start(settings);

    EXPECT_FALSE(window->fullscreen);
    EXPECT_EQ(env.windowing.StateOf(window->handle)->form, WindowForm::Child);
    EXPECT_EQ(window->width, 640u);
    EXPECT_EQ(window->height, 480u);
    EXPECT_EQ(window->ancestors, (std::vector<WindowHandle>{host, top}));

    // Focus on the child itself does not count; on its host chain it does.
    env.windowing.focus = window->handle;
    EXPECT_FALSE(window->HasFocus());
    env.windowing.focus = top;
    EXPECT_TRUE(window->HasFocus());

    // A child neither minimises, nor toggles, nor maximises.
    env.windowing.focus = nullptr;
    env.windowing.SetKeyDown(VK_MENU, true);
    env.windowing.SetKeyDown(VK_RETURN, true);
    window->Update();
    // Addressed: the host windows came first.
    env.windowing.InjectMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0, window->handle);
    env.windowing.InjectMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0, window->handle);
    Pump(env.windowing);
    EXPECT_EQ(env.windowing.CountCalls("PostMessage"), 0);
    EXPECT_TRUE(config->IsCommandDone("v_window_change_mode"));
    EXPECT_FALSE(window->minimised);

    // The host going away ends the program.
    EXPECT_TRUE(config->IsCommandDone("exit"));
    env.windowing.CloseHostWindow(host);
    window->Update();
    EXPECT_FALSE(config->IsCommandDone("exit"));
}

} // namespace
} // namespace ZorvaneEngine
