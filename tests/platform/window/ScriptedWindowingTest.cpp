// The scripted windowing as engine tests drive it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/scripted/ScriptedWindowing.h"

namespace Platform {
namespace {

struct ScriptedWindowingTest : testing::Test {
    ScriptedWindowing scripted;
    std::vector<Message> received;
    WindowHandle window = nullptr;

    void Open() {
        ASSERT_TRUE(scripted.RegisterClass("class", [this](uint32_t message, WPARAM wParam, LPARAM lParam) {
            received.push_back(Message{nullptr, message, wParam, lParam});
            if (message == WM_SYSCOMMAND)
                return scripted.DefWindowProc(window, message, wParam, lParam);
            return LRESULT{0};
        }, nullptr));
        window = scripted.CreateWindowEx("class", "Tangrove", WindowForm::Windowed, Rect{448, 156, 1472, 924},
                                         nullptr);
        ASSERT_NE(window, nullptr);
    }
};

TEST_F(ScriptedWindowingTest, FailuresOnRequest) {
    scripted.failRegisterClass = true;
    EXPECT_FALSE(scripted.RegisterClass("class", [](uint32_t, WPARAM, LPARAM) { return LRESULT{0}; }, nullptr));
    scripted.failRegisterClass = false;
    scripted.failCreateWindow = true;
    scripted.failGetDC = true;
    EXPECT_EQ(scripted.CreateWindowEx("class", "x", WindowForm::Windowed, Rect{}, nullptr), nullptr);
    scripted.failCreateWindow = false;
    Open();
    EXPECT_EQ(scripted.GetDC(window), nullptr);
    EXPECT_EQ(scripted.calls.front(), "RegisterClass(class)");
    EXPECT_EQ(scripted.calls[scripted.calls.size() - 2],
              "CreateWindowEx(class, Tangrove, windowed, 448 156 1472 924, null)");
    EXPECT_EQ(scripted.calls.back(), "GetDC(window1)");
}

TEST_F(ScriptedWindowingTest, InjectedAndPostedMessagesReachTheProcedureInOrder) {
    Open();
    scripted.InjectMessage(WM_KEYDOWN, VK_RETURN);
    scripted.InjectMessage(WM_CHAR, 0x61);
    ASSERT_TRUE(scripted.PostMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    Message message;
    while (scripted.PeekMessage(message)) {
        scripted.TranslateMessage(message);
        scripted.DispatchMessage(message);
    }
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ(received[1].message, WM_CHAR);
    EXPECT_EQ(received[2].wParam, SC_MINIMIZE);
    EXPECT_TRUE(scripted.StateOf(window)->minimized);
    EXPECT_EQ(scripted.CountCalls("PeekMessage"), 4);
    EXPECT_EQ(scripted.CountCalls("DefWindowProc"), 1);
}

TEST_F(ScriptedWindowingTest, HostChainFocusKeysAndBoxes) {
    WindowHandle outer = scripted.CreateHostWindow(Rect{0, 0, 800, 600});
    WindowHandle host = scripted.CreateHostWindow(Rect{0, 0, 640, 480}, outer);
    ASSERT_TRUE(scripted.RegisterClass("class", [](uint32_t, WPARAM, LPARAM) { return LRESULT{0}; }, nullptr));
    WindowHandle child = scripted.CreateWindowEx("class", "", WindowForm::Child, Rect{0, 0, 640, 480}, host);
    EXPECT_EQ(scripted.GetParent(child), host);
    EXPECT_EQ(scripted.GetParent(host), outer);
    EXPECT_EQ(scripted.GetParent(outer), nullptr);
    scripted.focus = outer;
    EXPECT_EQ(scripted.GetFocus(), outer);
    scripted.CloseHostWindow(host);
    EXPECT_FALSE(scripted.IsWindow(host));

    scripted.SetKeyDown(VK_MENU, true);
    EXPECT_EQ(scripted.GetAsyncKeyState(VK_MENU), 0x8000);
    EXPECT_EQ(scripted.GetAsyncKeyState(VK_RETURN), 0);
    EXPECT_EQ(scripted.ShowCursor(false), -1);
    scripted.MessageBox("text", "Fatal Error", MB_ICONERROR);
    ASSERT_EQ(scripted.messageBoxes.size(), 1u);
    EXPECT_EQ(scripted.messageBoxes[0].title, "Fatal Error");
}

} // namespace
} // namespace Platform
