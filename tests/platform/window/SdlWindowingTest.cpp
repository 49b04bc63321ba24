// The SDL windowing on the offscreen driver: events pushed into SDL's queue
// come out of PeekMessage as the messages the window procedure expects.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/window/IconResources.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/WindowObject.h"
#include "platform/window/Windowing.h"

namespace Platform {
namespace {

// A 2 x 1 icon: an opaque red pixel and a half-transparent blue one.
constexpr int32_t kIconId = 7;
const uint8_t kIconPixels[] = {255, 0, 0, 255, 0, 0, 255, 128};

class SdlWindowingTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        AddIconResource(kIconId, IconPicture{2, 1, kIconPixels});
        icon = windowing.LoadIcon(kIconId);
        ASSERT_TRUE(windowing.RegisterClass("test class", [this](uint32_t message, WPARAM wParam, LPARAM lParam) {
            received.push_back(Message{nullptr, message, wParam, lParam});
            return LRESULT{0};
        }, icon));
        window = windowing.CreateWindowEx("test class", "Caption", WindowForm::Windowed,
                                          Rect{10, 20, 330, 260}, nullptr);
        ASSERT_NE(window, nullptr);
        Drain(); // whatever the driver said about the new window
        received.clear();
    }
    void TearDown() override {
        if (window) {
            EXPECT_TRUE(windowing.DestroyWindow(window));
        }
        EXPECT_TRUE(windowing.UnregisterClass("test class"));
    }

    void Drain() {
        Message message;
        while (windowing.PeekMessage(message)) {
            windowing.TranslateMessage(message);
            windowing.DispatchMessage(message);
        }
    }

    void PushWindowEvent(SDL_WindowEventID id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(GetSdlWindow(window));
        event.window.event = static_cast<Uint8>(id);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void PushKey(SDL_Scancode scancode, Uint16 mod, Uint8 repeat) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.windowID = SDL_GetWindowID(GetSdlWindow(window));
        event.key.state = SDL_PRESSED;
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    Windowing& windowing = GetWindowing();
    IconHandle icon = nullptr;
    WindowHandle window = nullptr;
    std::vector<Message> received;
};

TEST_F(SdlWindowingTest, TheClassIconIsTheProgramsPictureAndGoesToItsWindows) {
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon->sdlSurface, nullptr);
    EXPECT_EQ(windowing.LoadIcon(kIconId), icon) << "loaded once";
    EXPECT_EQ(windowing.LoadIcon(kIconId + 1), nullptr) << "no picture under that id";
    const SDL_Surface* surface = icon->sdlSurface;
    ASSERT_EQ(surface->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGBA32));
    EXPECT_EQ(surface->w, 2);
    EXPECT_EQ(surface->h, 1);
    EXPECT_EQ(std::memcmp(surface->pixels, kIconPixels, sizeof kIconPixels), 0);
    EXPECT_EQ(window->icon, icon);
}

TEST_F(SdlWindowingTest, WindowIsAnOpenGlSdlWindowAndGoesAway) {
    SDL_Window* sdlWindow = GetSdlWindow(window);
    ASSERT_NE(sdlWindow, nullptr);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL, 0u);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_TRUE(windowing.IsWindow(window));
    EXPECT_EQ(windowing.GetFocus(), window); // headless: ours from creation on

    EXPECT_FALSE(windowing.UnregisterClass("test class")); // still in use
    EXPECT_TRUE(windowing.DestroyWindow(window));
    EXPECT_FALSE(windowing.IsWindow(window));
    EXPECT_EQ(windowing.GetFocus(), nullptr);
    window = nullptr;
}

TEST_F(SdlWindowingTest, QuitAndCloseBecomeWmClose) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    Drain();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, WM_CLOSE);
    EXPECT_EQ(received[1].message, WM_CLOSE);
}

TEST_F(SdlWindowingTest, WindowStateEventsBecomeSystemCommands) {
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(SDL_WINDOWEVENT_MAXIMIZED);
    Drain();
    std::vector<WPARAM> commands;
    for (const Message& message : received) {
        if (message.message == WM_SYSCOMMAND)
            commands.push_back(message.wParam);
    }
    // The maximise is undone at once, which may report one more restore.
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], SC_MINIMIZE);
    EXPECT_EQ(commands[1], SC_RESTORE);
    EXPECT_EQ(commands[2], SC_MAXIMIZE);
}

TEST_F(SdlWindowingTest, KeysBecomeVirtualKeysAndTextBecomesUtf16Units) {
    PushKey(SDL_SCANCODE_RETURN, KMOD_NONE, 0);
    PushKey(SDL_SCANCODE_RETURN, KMOD_NONE, 1); // auto-repeat still arrives
    PushKey(SDL_SCANCODE_RETURN, KMOD_LALT, 0);
    PushKey(SDL_SCANCODE_KP_4, KMOD_NONE, 0);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = SDL_GetWindowID(GetSdlWindow(window));
    std::strcpy(text.text.text, "a\xC3\xA4\xF0\x9F\x98\x80"); // a, U+00E4, U+1F600
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    Drain();

    struct Expected {
        uint32_t message;
        WPARAM wParam;
    };
    const std::vector<Expected> expected = {
        {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_RETURN}, {WM_SYSKEYDOWN, VK_RETURN},
        {WM_KEYDOWN, VK_NUMPAD0 + 4}, {WM_CHAR, 0x61}, {WM_CHAR, 0xE4},
        {WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00},
    };
    ASSERT_EQ(received.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(received[i].message, expected[i].message) << i;
        EXPECT_EQ(received[i].wParam, expected[i].wParam) << i;
    }
    EXPECT_EQ(received[0].lParam & (LPARAM{1} << 30), 0);  // first press
    EXPECT_NE(received[1].lParam & (LPARAM{1} << 30), 0);  // was down already
}

TEST_F(SdlWindowingTest, PostedMessageReachesTheProcedureAfterQueuedOnes) {
    ASSERT_TRUE(windowing.PostMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    Message message;
    ASSERT_TRUE(windowing.PeekMessage(message));
    EXPECT_EQ(message.window, window);
    EXPECT_EQ(message.wParam, SC_MINIMIZE);
    EXPECT_FALSE(windowing.PeekMessage(message)); // one per call, then empty
}

TEST_F(SdlWindowingTest, CursorCounterShowsAtZeroOrMore) {
    EXPECT_EQ(windowing.ShowCursor(false), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(windowing.ShowCursor(true), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

// The desktop keeps its own layouts; the program's choice is only recorded,
// and an activation by language id always succeeds, so a program never
// loads (or later unloads) a layout it does not need.
TEST(SdlWindowingKeyboardLayouts, TheProgramsChoiceIsRecorded) {
    Windowing& windowing = GetWindowing();
    const KeyboardLayout original = windowing.GetKeyboardLayout();
    EXPECT_EQ(original >> 16, 0x409u);
    EXPECT_EQ(windowing.ActivateKeyboardLayout(0x407, 0), original);
    EXPECT_EQ(windowing.GetKeyboardLayout(), 0x04070407u);
    EXPECT_EQ(windowing.LoadKeyboardLayout("00000419", KLF_ACTIVATE), 0x04190419u);
    EXPECT_EQ(windowing.GetKeyboardLayout(), 0x04190419u);
    EXPECT_EQ(windowing.LoadKeyboardLayout("0000040C", 0), 0x040C040Cu);
    EXPECT_EQ(windowing.GetKeyboardLayout(), 0x04190419u);
    for (const char* name : {"", "407", "0000G407", "00000000"})
        EXPECT_EQ(windowing.LoadKeyboardLayout(name, KLF_ACTIVATE), 0u) << name;
    EXPECT_EQ(windowing.ActivateKeyboardLayout(0, 0), 0u);
    EXPECT_TRUE(windowing.UnloadKeyboardLayout(0x04190419));
    windowing.ActivateKeyboardLayout(original, 0);
}

TEST(SdlWindowingMessageBox, HeadlessBoxGoesToStandardError) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetWindowing().MessageBox("Unhandled exception!", "Fatal Error", MB_ICONERROR), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: Unhandled exception!\n");
}

} // namespace
} // namespace Platform
