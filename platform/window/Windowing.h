#pragma once
// The windowing services the engine asks for by their original names:
// window classes and windows, the message queue, focus, caption, cursor,
// keyboard state, keyboard layouts and message boxes. One implementation runs over SDL2
// (SdlWindowing); the scripted one (ScriptedWindowing.h) lets tests inject
// messages and faults and records every call.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Installed.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

// Opaque device context and cursor handles; null means none.
struct DeviceContextObject;
using DeviceContext = DeviceContextObject*;
struct CursorObject;
using CursorHandle = CursorObject*;
struct IconObject;
using IconHandle = IconObject*;
// A keyboard layout handle (HKL): the layout's language id in the high 16
// bits, the language of the keys in the low 16 bits; 0 means none.
using KeyboardLayout = uint32_t;
constexpr uint32_t KLF_ACTIVATE = 0x1;

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The form a window is created in or switched to.
enum class WindowForm {
    Windowed,   // caption, system menu, minimise and maximise boxes; not resizable
    FullScreen, // covers the desktop; the client area keeps the given size for drawing
    Child,      // inside a host window
};

// Called for each dispatched message of a window of the class.
using WindowProcedure = std::function<LRESULT(uint32_t message, WPARAM wParam, LPARAM lParam)>;

class Windowing {
public:
    virtual ~Windowing() = default;

    // LoadIcon of the program's picture under the resource id (see
    // IconResources.h); null when the program has none by that id. The
    // windowing keeps the icon for the rest of its life.
    virtual IconHandle LoadIcon(int32_t resourceId) = 0;
    // RegisterClass: false when the class exists already or windows cannot
    // be had at all (no display). The class's windows show the icon; null
    // leaves them the system's default.
    virtual bool RegisterClass(const std::string& className, WindowProcedure procedure,
                               IconHandle icon) = 0;
    virtual bool UnregisterClass(const std::string& className) = 0;

    // CreateWindowEx with the client rectangle (no frame adjustment needed):
    // null on failure. The caption is UTF-8.
    virtual WindowHandle CreateWindowEx(const std::string& className, const std::string& caption,
                                        WindowForm form, const Rect& clientRect,
                                        WindowHandle parent) = 0;
    virtual bool DestroyWindow(WindowHandle window) = 0;

    // GetDC: null on failure. ReleaseDC: false when the context is unknown.
    virtual DeviceContext GetDC(WindowHandle window) = 0;
    virtual bool ReleaseDC(WindowHandle window, DeviceContext context) = 0;

    // ShowWindow with SW_SHOW, SW_HIDE, SW_MINIMIZE or SW_RESTORE.
    virtual void ShowWindow(WindowHandle window, int showCommand) = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    virtual void SetFocus(WindowHandle window) = 0;
    // The window that has the keyboard focus, null when none of ours has.
    virtual WindowHandle GetFocus() = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    virtual WindowHandle GetParent(WindowHandle window) = 0;
    // The window's outer rectangle in screen coordinates; false for no window.
    virtual bool GetWindowRect(WindowHandle window, Rect& rect) = 0;
    // The desktop window's rectangle: (0, 0) to the desktop's size.
    virtual Rect GetDesktopRect() = 0;
    virtual bool SetWindowText(WindowHandle window, const std::string& caption) = 0;
    // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, position and size kept.
    virtual bool SetWindowPos(WindowHandle window, bool topmost) = 0;
    // The style change and placement of a display-mode switch: full screen
    // covers the desktop, windowed puts the client area at the rectangle and
    // gives the desktop its own mode back. Shows and raises the window.
    virtual bool SetWindowMode(WindowHandle window, WindowForm form, const Rect& clientRect) = 0;

    // The message queue of the program's (only) thread. PostMessage appends
    // a message; PeekMessage removes one if any is waiting, never blocks.
    virtual bool PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool PeekMessage(Message& message) = 0;
    // Character messages arrive already translated; kept for the loop's shape.
    virtual bool TranslateMessage(const Message& message) = 0;
    // Hands the message to its window's procedure; 0 for an unknown window.
    virtual LRESULT DispatchMessage(const Message& message) = 0;
    // Default actions: SC_MINIMIZE minimises, SC_RESTORE restores; 0.
    virtual LRESULT DefWindowProc(WindowHandle window, uint32_t message, WPARAM wParam,
                                  LPARAM lParam) = 0;

    // Bit 0x8000 set when the virtual key (0 .. 255) is physically down now.
    virtual uint16_t GetAsyncKeyState(int virtualKey) = 0;

    // A modal box with no owner; works with no window and no display (the
    // text then goes to standard error). Text and title are UTF-8. IDOK.
    virtual int MessageBox(const std::string& text, const std::string& title, uint32_t flags) = 0;

    // LoadCursor of a system cursor (IDC_ARROW) or of a cursor the program
    // carries (AddCursorResource); null for an unknown one. The same id gives
    // the same cursor again.
    virtual CursorHandle LoadCursor(uint32_t cursorId) = 0;
    // Returns the previous cursor.
    virtual CursorHandle SetCursor(CursorHandle cursor) = 0;
    // Adds 1 (show) or -1 (hide) to the display counter and returns it; the
    // cursor shows while the counter is 0 or more. It starts at 0.
    virtual int ShowCursor(bool show) = 0;
    // The pointer in the window's client coordinates (pixels, y down).
    virtual bool GetCursorPos(WindowHandle window, int32_t& x, int32_t& y) = 0;
    virtual bool SetCursorPos(WindowHandle window, int32_t x, int32_t y) = 0;

    // Keyboard layouts of the program's thread. GetKeyboardLayout: the
    // current one. ActivateKeyboardLayout: makes the layout current and
    // returns the previous one, 0 on failure. LoadKeyboardLayout: the layout
    // named by eight hexadecimal digits ("00000407"), made current with
    // KLF_ACTIVATE; 0 on failure. UnloadKeyboardLayout: gives back a layout
    // that LoadKeyboardLayout returned.
    virtual KeyboardLayout GetKeyboardLayout() = 0;
    virtual KeyboardLayout ActivateKeyboardLayout(KeyboardLayout layout, uint32_t flags) = 0;
    virtual KeyboardLayout LoadKeyboardLayout(const std::string& name, uint32_t flags) = 0;
    virtual bool UnloadKeyboardLayout(KeyboardLayout layout) = 0;
};

// The implementation in use: the SDL one unless a test installed another.
Windowing& GetWindowing();
// Installs a replacement (null restores the SDL one); returns the previous.
Windowing* SetWindowing(Windowing* windowing);
using ScopedWindowing = ScopedInstall<Windowing, &SetWindowing>;

} // namespace Platform
