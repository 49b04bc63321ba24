#pragma once
// The program's single window: windowed, full screen, or the child of a
// host window. It turns the close box and the system commands into
// configuration commands, records the last key or character, minimises
// itself when it loses the focus, toggles full screen on Alt+Enter, and is
// restyled by the renderer when the display mode changes.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/KeyEvent.h"
#include "platform/window/Windowing.h"

namespace ZorvaneEngine {

class MessageManager;
class Config;

class Window {
public:
    // A failure to register the class, create the window or get its device
    // context is fatal (logged, FatalError raised); whatever was made before
    // the failure is released first.
    Window(const std::string& caption, MessageManager* log, Config* config,
           Platform::WindowHandle parent, int32_t iconId, bool minimizeOnFocusLoss,
           uint32_t width, uint32_t height, bool fullscreen, bool centerWindow, int32_t x,
           int32_t y);
    virtual ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Once a frame: minimise on focus loss, host-window check, Alt+Enter.
    void Update();
    // After the renderer switched the display mode. A child window stays.
    void ChangeMode(uint32_t width, uint32_t height, bool fullscreen, uint32_t desktopWidth,
                    uint32_t desktopHeight);
    // "v_brightness", "v_contrast" and "v_gamma" each into [0, 2].
    void ClampGamma();
    // The focus is on this window; a child window counts as focused when a
    // window of its host chain has the focus.
    bool HasFocus() const;
    Platform::LRESULT WindowProc(uint32_t message, Platform::WPARAM wParam,
                                 Platform::LPARAM lParam);

    static const char* const kClassName;

    MessageManager* log;
    Config* config;
    bool minimizeOnFocusLoss;
    bool minimised = false;
    bool centerWindow;
    int32_t x;
    int32_t y;
    uint32_t width;
    uint32_t height;
    bool fullscreen;
    // The host window, its parent and so on up the chain; child form only.
    std::vector<Platform::WindowHandle> ancestors;
    Platform::WindowHandle parent;
    Platform::WindowHandle handle = nullptr;
    Platform::DeviceContext deviceContext = nullptr;
    int32_t iconId;
    // Set on every cursor request; the game cursor may replace it.
    Platform::CursorHandle cursor = nullptr;
    KeyEvent keyEvent;

private:
    void Release();
    bool IsAltEnterDown() const;
    // The client rectangle of a windowed form at the given size.
    Platform::Rect WindowedRect(uint32_t clientWidth, uint32_t clientHeight, int32_t desktopWidth,
                                int32_t desktopHeight) const;

    bool classRegistered = false;
    // Alt+Enter toggles when the combination goes down, not in every frame
    // it is held.
    bool altEnterWasDown = false;
};

} // namespace ZorvaneEngine
