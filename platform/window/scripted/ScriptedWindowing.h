#pragma once
// A windowing for tests: no display, messages injected by the test, scripted
// focus, desktop, key states and cursor, failures on request, and a record
// of every call in order. Install it with SetWindowing.
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/Windowing.h"

namespace Platform {

class ScriptedWindowing final : public Windowing {
public:
    struct MessageBoxCall {
        std::string text;
        std::string title;
        uint32_t flags = 0;
    };

    ScriptedWindowing();
    ~ScriptedWindowing() override;

    // --- Script ---
    bool failRegisterClass = false;
    bool failCreateWindow = false;
    bool failGetDC = false;
    Rect desktop{0, 0, 1920, 1080};
    // GetFocus answers this; SetFocus and SetForegroundWindow change it.
    WindowHandle focus = nullptr;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    // GetKeyboardLayout answers this; a successful activation or a load with
    // KLF_ACTIVATE changes it.
    KeyboardLayout keyboardLayout = 0x04090409;
    bool failActivateKeyboardLayout = false;
    // What LoadKeyboardLayout returns; 0 makes it fail.
    KeyboardLayout loadedKeyboardLayout = 0;

    // Queues a message as if the system had sent it. A null window means the
    // first window alive when the message is fetched.
    void InjectMessage(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0,
                       WindowHandle window = nullptr);
    void SetKeyDown(int virtualKey, bool down);
    // A window of another program, for the child form: the host and its
    // ancestors. CloseHostWindow makes IsWindow false for it.
    WindowHandle CreateHostWindow(const Rect& windowRect, WindowHandle parent = nullptr);
    void CloseHostWindow(WindowHandle host);

    // --- Observations ---
    // Every call, in order, as "Name(arguments)", for example
    // "CreateWindowEx(class, caption, windowed, 448 156 1472 924, null)",
    // "PostMessage(window1, 0x112, 0xf020, 0)", "ShowCursor(true) -> 1".
    std::vector<std::string> calls;
    std::vector<MessageBoxCall> messageBoxes;
    int CountCalls(const std::string& name) const; // calls whose name is this
    size_t PendingMessages() const { return queue_.size(); }
    int DisplayCount() const { return displayCount_; }
    CursorHandle CurrentCursor() const { return cursor_; }
    // The state of a window made by CreateWindowEx (null when unknown).
    struct WindowState {
        WindowForm form = WindowForm::Windowed;
        Rect clientRect;
        std::string caption;
        bool topmost = false;
        bool shown = false;
        bool minimized = false;
        int32_t iconId = 0;  // resource id of the class's icon; 0 the default
    };
    const WindowState* StateOf(WindowHandle window) const;

    // --- Windowing ---
    IconHandle LoadIcon(int32_t resourceId) override;
    bool RegisterClass(const std::string& className, WindowProcedure procedure, IconHandle icon) override;
    bool UnregisterClass(const std::string& className) override;
    WindowHandle CreateWindowEx(const std::string& className, const std::string& caption,
                                WindowForm form, const Rect& clientRect, WindowHandle parent) override;
    bool DestroyWindow(WindowHandle window) override;
    DeviceContext GetDC(WindowHandle window) override;
    bool ReleaseDC(WindowHandle window, DeviceContext context) override;
    void ShowWindow(WindowHandle window, int showCommand) override;
    bool SetForegroundWindow(WindowHandle window) override;
    void SetFocus(WindowHandle window) override;
    WindowHandle GetFocus() override;
    bool IsWindow(WindowHandle window) override;
    WindowHandle GetParent(WindowHandle window) override;
    bool GetWindowRect(WindowHandle window, Rect& rect) override;
    Rect GetDesktopRect() override;
    bool SetWindowText(WindowHandle window, const std::string& caption) override;
    bool SetWindowPos(WindowHandle window, bool topmost) override;
    bool SetWindowMode(WindowHandle window, WindowForm form, const Rect& clientRect) override;
    bool PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) override;
    bool PeekMessage(Message& message) override;
    bool TranslateMessage(const Message& message) override;
    LRESULT DispatchMessage(const Message& message) override;
    LRESULT DefWindowProc(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) override;
    uint16_t GetAsyncKeyState(int virtualKey) override;
    int MessageBox(const std::string& text, const std::string& title, uint32_t flags) override;
    CursorHandle LoadCursor(uint32_t cursorId) override;
    CursorHandle SetCursor(CursorHandle cursor) override;
    int ShowCursor(bool show) override;
    bool GetCursorPos(WindowHandle window, int32_t& x, int32_t& y) override;
    bool SetCursorPos(WindowHandle window, int32_t x, int32_t y) override;
    KeyboardLayout GetKeyboardLayout() override;
    KeyboardLayout ActivateKeyboardLayout(KeyboardLayout layout, uint32_t flags) override;
    KeyboardLayout LoadKeyboardLayout(const std::string& name, uint32_t flags) override;
    bool UnloadKeyboardLayout(KeyboardLayout layout) override;

private:
    struct Window;
    Window* Find(WindowHandle window) const;
    std::string Name(WindowHandle window) const;
    void Record(std::string call);

    std::vector<std::unique_ptr<Window>> windows_; // ours and the hosts
    std::vector<std::pair<std::string, WindowProcedure>> classes_;
    std::map<std::string, IconHandle> classIcons_;
    std::map<int32_t, std::unique_ptr<IconObject>> icons_;
    std::vector<std::unique_ptr<DeviceContextObject>> contexts_;
    std::deque<Message> queue_;
    std::array<bool, 256> keysDown_{};
    std::unique_ptr<CursorObject> arrow_;
    std::map<uint32_t, std::unique_ptr<CursorObject>> cursors_;  // the program's own
    CursorHandle cursor_ = nullptr;
    int displayCount_ = 0;
};

} // namespace Platform
