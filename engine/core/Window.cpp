#include "engine/core/Window.h"

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"

namespace ZorvaneEngine {

using namespace Platform;

const char* const Window::kClassName = "Zorvane Engine window class";

namespace {
// A key counts as down when any of the high bits of its state is set.
constexpr uint16_t kKeyDownBits = 0xF000;

float Clamp02(float value)
{
    return std::clamp(value, 0.0f, 2.0f);
}
} // namespace

Window::Window(const std::string& caption, MessageManager* log, Config* config,
               WindowHandle parent, int32_t iconId, bool minimizeOnFocusLoss, uint32_t width,
               uint32_t height, bool fullscreen, bool centerWindow, int32_t x, int32_t y)
    : log(log), config(config), minimizeOnFocusLoss(minimizeOnFocusLoss),
      centerWindow(centerWindow), x(x), y(y), width(width), height(height),
      fullscreen(fullscreen), parent(parent), iconId(iconId)
{
    log->Message(" ");
    log->Message("Window creation:");

    Windowing& windowing = GetWindowing();
    try {
        cursor = windowing.LoadCursor(IDC_ARROW);

        // The program's picture under iconId; with 0, or without such a
        // picture, the system's default application icon.
        const IconHandle icon = iconId != 0 ? windowing.LoadIcon(iconId) : nullptr;

        log->Message("...Registering the window class...");
        classRegistered = windowing.RegisterClass(
            kClassName,
            [this](uint32_t message, WPARAM wParam, LPARAM lParam) {
                return WindowProc(message, wParam, lParam);
            },
            icon);
        if (!classRegistered)
            log->Fatal("Failed to register the window class");

        WindowForm form;
        Rect rect;
        if (parent) {
            // A child fills its host.
            this->fullscreen = false;
            Rect parentRect;
            windowing.GetWindowRect(parent, parentRect);
            this->width = static_cast<uint32_t>(parentRect.Width());
            this->height = static_cast<uint32_t>(parentRect.Height());
            form = WindowForm::Child;
            rect = {0, 0, parentRect.Width(), parentRect.Height()};
        } else if (fullscreen) {
            form = WindowForm::FullScreen;
            rect = {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
        } else {
            const Rect desktop = windowing.GetDesktopRect();
            form = WindowForm::Windowed;
            rect = WindowedRect(width, height, desktop.right, desktop.bottom);
        }

        handle = windowing.CreateWindowEx(kClassName, caption, form, rect, parent);
        if (!handle)
            log->Fatal("Failed to create window");
        windowing.SetWindowPos(handle, this->fullscreen);

        log->Message("...Creating a device context...");
        deviceContext = windowing.GetDC(handle);
        if (!deviceContext)
            log->Fatal("Failed to create a device context");

        windowing.ShowWindow(handle, SW_SHOW);
        windowing.SetForegroundWindow(handle);
        if (!parent)
            windowing.SetFocus(handle);
        if (this->fullscreen && !parent)
            ClampGamma();
        keyEvent.pending = false;

        if (parent) {
            for (WindowHandle ancestor = windowing.GetParent(handle); ancestor;
                 ancestor = windowing.GetParent(ancestor))
                ancestors.push_back(ancestor);
        }
    } catch (...) {
        // The destructor does not run for an object that never finished.
        Release();
        throw;
    }
}

Window::~Window()
{
    log->Message("\nWindow destroying:");
    Windowing& windowing = GetWindowing();
    log->Message("...Releasing device context...");
    if (deviceContext)
        windowing.ReleaseDC(handle, deviceContext);
    deviceContext = nullptr;
    log->Message("...Releasing window...");
    if (handle)
        windowing.DestroyWindow(handle);
    handle = nullptr;
    log->Message("...Unregistering class...");
    if (classRegistered)
        windowing.UnregisterClass(kClassName);
    classRegistered = false;
}

void Window::Release()
{
    Windowing& windowing = GetWindowing();
    if (deviceContext)
        windowing.ReleaseDC(handle, deviceContext);
    if (handle)
        windowing.DestroyWindow(handle);
    if (classRegistered)
        windowing.UnregisterClass(kClassName);
    deviceContext = nullptr;
    handle = nullptr;
    classRegistered = false;
}

Rect Window::WindowedRect(uint32_t clientWidth, uint32_t clientHeight, int32_t desktopWidth,
                          int32_t desktopHeight) const
{
    const int32_t w = static_cast<int32_t>(clientWidth);
    const int32_t h = static_cast<int32_t>(clientHeight);
    // Signed, so a window larger than the desktop gets a negative corner
    // rather than one near 2^31.
    const int32_t left = centerWindow ? (desktopWidth - w) / 2 : x;
    const int32_t top = centerWindow ? (desktopHeight - h) / 2 : y;
    return {left, top, left + w, top + h};
}

LRESULT Window::WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam)
{
    Windowing& windowing = GetWindowing();
    switch (message) {
    case WM_CLOSE:
    case WM_QUIT:
        config->Execute("exit");
        return 0;
    case WM_SETCURSOR:
        windowing.SetCursor(cursor);
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keyEvent = {true, false, static_cast<uint16_t>(wParam)};
        break;
    case WM_CHAR:
        // The platform hands characters over as UTF-16 units; control
        // characters (Enter, Tab, Backspace, Escape) are keys, not text.
        if (wParam > 31)
            keyEvent = {true, true, static_cast<uint16_t>(wParam)};
        break;
    case WM_SYSKEYUP:
        // Handled, so that Alt alone does not open the system menu.
        return 0;
    case WM_SYSCOMMAND:
        // Compared as it comes, low bits included.
        switch (wParam) {
        case SC_MINIMIZE:
            if (parent)
                return 0;
            minimised = true;
            break;
        case SC_MAXIMIZE:
            // The maximise box means "full screen".
            if (!parent && !config->fullscreen) {
                config->fullscreen = true;
                config->Save();
                config->SetCommandDone("v_window_change_mode", false);
            }
            return 0;
        case SC_CLOSE:
            config->Execute("exit");
            return 0;
        case SC_RESTORE:
            if (handle) {
                minimised = false;
                if (fullscreen && !parent)
                    ClampGamma();
            }
            break;
        case SC_TASKLIST:
        case SC_SCREENSAVE:
        case SC_HOTKEY:
        case SC_MONITORPOWER:
            // The screen saver and monitor power-off stay away while we run.
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return windowing.DefWindowProc(handle, message, wParam, lParam);
}

bool Window::IsAltEnterDown() const
{
    Windowing& windowing = GetWindowing();
    const bool alt = (windowing.GetAsyncKeyState(VK_MENU) & kKeyDownBits) ||
                     (windowing.GetAsyncKeyState(VK_LMENU) & kKeyDownBits) ||
                     (windowing.GetAsyncKeyState(VK_RMENU) & kKeyDownBits);
    return alt && (windowing.GetAsyncKeyState(VK_RETURN) & kKeyDownBits);
}

void Window::Update()
{
    Windowing& windowing = GetWindowing();
    // The minimise is posted, not made: the flag is set when the message is
    // handled, which stops repeats until the window is restored.
    if (minimizeOnFocusLoss && !parent && !minimised && !HasFocus())
        windowing.PostMessage(handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);

    if (parent && !windowing.IsWindow(parent))
        config->Execute("exit");

    if (!parent) {
        const bool altEnter = IsAltEnterDown();
        if (altEnter && !altEnterWasDown && !minimised && HasFocus()) {
            config->fullscreen = !config->fullscreen;
            config->Save();
            config->SetCommandDone("v_window_change_mode", false);
        }
        altEnterWasDown = altEnter;
    }
}

void Window::ChangeMode(uint32_t newWidth, uint32_t newHeight, bool newFullscreen,
                        uint32_t desktopWidth, uint32_t desktopHeight)
{
    if (parent)
        return;
    width = newWidth;
    height = newHeight;
    fullscreen = newFullscreen;

    Windowing& windowing = GetWindowing();
    Rect rect;
    WindowForm form;
    if (fullscreen) {
        form = WindowForm::FullScreen;
        rect = {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
    } else {
        form = WindowForm::Windowed;
        rect = WindowedRect(width, height, static_cast<int32_t>(desktopWidth),
                            static_cast<int32_t>(desktopHeight));
    }
    // Going windowed also gives the desktop its own display mode back.
    windowing.SetWindowMode(handle, form, rect);
    windowing.SetWindowPos(handle, fullscreen);
    windowing.SetFocus(handle);
    if (fullscreen)
        ClampGamma();
}

void Window::ClampGamma()
{
    config->brightness = Clamp02(config->brightness);
    config->contrast = Clamp02(config->contrast);
    config->gamma = Clamp02(config->gamma);
}

bool Window::HasFocus() const
{
    const WindowHandle focus = GetWindowing().GetFocus();
    if (!parent)
        return focus && focus == handle;
    return std::find(ancestors.begin(), ancestors.end(), focus) != ancestors.end();
}

} // namespace ZorvaneEngine
