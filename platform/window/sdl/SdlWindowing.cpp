#include "platform/window/sdl/SdlWindowing.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/sdl/RasterizerThreads.h"
#include "platform/window/IconResources.h"
#include "platform/window/sdl/SdlEventPump.h"
#include "platform/window/sdl/VirtualKeys.h"
#include "platform/window/WindowObject.h"

namespace Platform {
namespace {

// Appends the UTF-16 units of a UTF-8 text; a malformed sequence becomes
// U+FFFD and decoding goes on with the next byte.
void AppendUtf16(const char* text, std::vector<char16_t>& units) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (bytes[i] != 0) {
        const unsigned char lead = bytes[i];
        int length = 0;
        char32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        }
        bool valid = length > 0;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (codePoint < smallest[length] || codePoint > 0x10FFFF ||
                      (codePoint >= 0xD800 && codePoint <= 0xDFFF)))
            valid = false;
        if (!valid) {
            units.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(codePoint));
        }
        i += static_cast<size_t>(length);
    }
}

bool IsAltScancode(SDL_Scancode scancode) {
    return scancode == SDL_SCANCODE_LALT || scancode == SDL_SCANCODE_RALT;
}

class SdlWindowing final : public Windowing, public SdlEventListener {
public:
    SdlWindowing() { AddSdlEventListener(this); }
    ~SdlWindowing() override {
        RemoveSdlEventListener(this);
        for (auto& [id, icon] : icons_)
            SDL_FreeSurface(icon->sdlSurface);
        if (SDL_WasInit(SDL_INIT_VIDEO)) {
            for (auto& [id, cursor] : cursors_) {
                if (cursor->sdlCursor)
                    SDL_FreeCursor(cursor->sdlCursor);
            }
        }
    }

    IconHandle LoadIcon(int32_t resourceId) override {
        auto known = icons_.find(resourceId);
        if (known != icons_.end())
            return known->second.get();
        IconPicture picture;
        if (!FindIconResource(resourceId, picture))
            return nullptr;
        // A copy: SDL keeps its own pixels for the window manager.
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
            0, static_cast<int>(picture.width), static_cast<int>(picture.height), 32, SDL_PIXELFORMAT_RGBA32);
        if (!surface)
            return nullptr;
        for (uint32_t y = 0; y < picture.height; ++y)
            std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                        picture.pixels + static_cast<size_t>(y) * picture.width * 4, picture.width * 4);
        auto icon = std::make_unique<IconObject>(IconObject{resourceId, surface});
        return icons_.emplace(resourceId, std::move(icon)).first->second.get();
    }

    bool RegisterClass(const std::string& className, WindowProcedure procedure, IconHandle icon) override {
        if (classes_.count(className) || !procedure)
            return false;
        // Once started, SDL's video subsystem and the OpenGL library stay for
        // the rest of the process: SDL unloads the OpenGL driver with its
        // last window, which leaks inside the driver each time and would load
        // it again for the next window.
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ChooseRasterizerThreads();
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
                return false;
            SDL_GL_LoadLibrary(nullptr); // failing here makes CreateWindowEx fail
        }
        classes_[className] = WindowClass{std::move(procedure), icon};
        return true;
    }

    bool UnregisterClass(const std::string& className) override {
        auto it = classes_.find(className);
        if (it == classes_.end())
            return false;
        for (const auto& window : windows_) {
            if (window->className == className)
                return false;
        }
        classes_.erase(it);
        return true;
    }

    WindowHandle CreateWindowEx(const std::string& className, const std::string& caption,
                                WindowForm form, const Rect& clientRect, WindowHandle parent) override {
        // SDL cannot place a window inside another program's window.
        if (!classes_.count(className) || form == WindowForm::Child || parent)
            return nullptr;
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
        if (form == WindowForm::FullScreen)
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_Window* sdlWindow = SDL_CreateWindow(caption.c_str(), clientRect.left, clientRect.top,
                                                 clientRect.Width(), clientRect.Height(), flags);
        if (!sdlWindow)
            return nullptr;
        const IconHandle icon = classes_[className].icon;
        if (icon && icon->sdlSurface)
            SDL_SetWindowIcon(sdlWindow, icon->sdlSurface);
        auto window = std::make_unique<WindowObject>();
        window->sdlWindow = sdlWindow;
        window->className = className;
        window->icon = icon;
        window->form = form;
        window->clientRect = clientRect;
        window->caption = caption;
        windows_.push_back(std::move(window));
        if (IsHeadlessVideoDriver())
            SetSdlProgramFocus(true);
        return windows_.back().get();
    }

    bool DestroyWindow(WindowHandle window) override {
        auto it = FindWindow(window);
        if (it == windows_.end())
            return false;
        for (auto context = contexts_.begin(); context != contexts_.end();) {
            if ((*context)->window == window)
                context = contexts_.erase(context);
            else
                ++context;
        }
        // Messages still queued for it would reach a freed window.
        std::erase_if(queue_, [window](const Message& message) { return message.window == window; });
        SDL_DestroyWindow(window->sdlWindow);
        windows_.erase(it);
        if (windows_.empty() && IsHeadlessVideoDriver())
            SetSdlProgramFocus(false);
        return true;
    }

    DeviceContext GetDC(WindowHandle window) override {
        if (FindWindow(window) == windows_.end())
            return nullptr;
        contexts_.push_back(std::make_unique<DeviceContextObject>(DeviceContextObject{window}));
        return contexts_.back().get();
    }

    bool ReleaseDC(WindowHandle window, DeviceContext context) override {
        auto it = std::find_if(contexts_.begin(), contexts_.end(),
                               [&](const auto& owned) { return owned.get() == context; });
        if (it == contexts_.end() || (*it)->window != window)
            return false;
        contexts_.erase(it);
        return true;
    }

    void ShowWindow(WindowHandle window, int showCommand) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return;
        switch (showCommand) {
        case SW_HIDE: SDL_HideWindow(sdlWindow); break;
        case SW_MINIMIZE: SDL_MinimizeWindow(sdlWindow); break;
        case SW_RESTORE: SDL_RestoreWindow(sdlWindow); break;
        default: SDL_ShowWindow(sdlWindow); break;
        }
    }

    bool SetForegroundWindow(WindowHandle window) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        SDL_RaiseWindow(sdlWindow);
        if (IsHeadlessVideoDriver())
            SetSdlProgramFocus(true);
        return true;
    }

    void SetFocus(WindowHandle window) override { SetForegroundWindow(window); }

    WindowHandle GetFocus() override {
        if (!SdlProgramHasFocus() || windows_.empty())
            return nullptr;
        if (SDL_Window* focused = SDL_GetKeyboardFocus()) {
            for (const auto& window : windows_) {
                if (window->sdlWindow == focused)
                    return window.get();
            }
            return nullptr;
        }
        // Headless drivers never name a focused window.
        return windows_.front().get();
    }

    bool IsWindow(WindowHandle window) override { return FindWindow(window) != windows_.end(); }

    WindowHandle GetParent(WindowHandle window) override {
        return IsWindow(window) ? window->parent : nullptr;
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        int x = 0, y = 0, width = 0, height = 0;
        SDL_GetWindowPosition(sdlWindow, &x, &y);
        SDL_GetWindowSize(sdlWindow, &width, &height);
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(sdlWindow, &top, &left, &bottom, &right) != 0)
            top = left = bottom = right = 0;
        rect = Rect{x - left, y - top, x + width + right, y + height + bottom};
        return true;
    }

    Rect GetDesktopRect() override {
        SDL_DisplayMode mode{};
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0)
            return Rect{};
        return Rect{0, 0, mode.w, mode.h};
    }

    bool SetWindowText(WindowHandle window, const std::string& caption) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        SDL_SetWindowTitle(sdlWindow, caption.c_str());
        window->caption = caption;
        return true;
    }

    bool SetWindowPos(WindowHandle window, bool topmost) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        SDL_SetWindowAlwaysOnTop(sdlWindow, topmost ? SDL_TRUE : SDL_FALSE);
        return true;
    }

    bool SetWindowMode(WindowHandle window, WindowForm form, const Rect& clientRect) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow || form == WindowForm::Child)
            return false;
        SDL_SetWindowSize(sdlWindow, clientRect.Width(), clientRect.Height());
        if (form == WindowForm::FullScreen) {
            if (SDL_SetWindowFullscreen(sdlWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
                return false;
        } else {
            // Leaving desktop full screen gives the desktop its own mode back.
            if (SDL_SetWindowFullscreen(sdlWindow, 0) != 0)
                return false;
            SDL_SetWindowSize(sdlWindow, clientRect.Width(), clientRect.Height());
            SDL_SetWindowPosition(sdlWindow, clientRect.left, clientRect.top);
        }
        window->form = form;
        window->clientRect = clientRect;
        SDL_ShowWindow(sdlWindow);
        SDL_RaiseWindow(sdlWindow);
        return true;
    }

    bool PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (window && !IsWindow(window))
            return false;
        queue_.push_back(Message{window, message, wParam, lParam});
        return true;
    }

    bool PeekMessage(Message& message) override {
        if (queue_.empty())
            PumpSdlEvents();
        if (queue_.empty())
            return false;
        message = queue_.front();
        queue_.pop_front();
        return true;
    }

    bool TranslateMessage(const Message& message) override {
        return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    }

    LRESULT DispatchMessage(const Message& message) override {
        if (!IsWindow(message.window))
            return 0;
        auto procedure = classes_.find(message.window->className);
        if (procedure == classes_.end())
            return 0;
        // A copy: the procedure may destroy its window or unregister its class.
        WindowProcedure call = procedure->second.procedure;
        return call(message.message, message.wParam, message.lParam);
    }

    LRESULT DefWindowProc(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (sdlWindow && message == WM_SYSCOMMAND) {
            if (wParam == SC_MINIMIZE)
                SDL_MinimizeWindow(sdlWindow);
            else if (wParam == SC_RESTORE)
                SDL_RestoreWindow(sdlWindow);
        }
        return 0;
    }

    uint16_t GetAsyncKeyState(int virtualKey) override {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
            return 0;
        SDL_PumpEvents(); // brings SDL's key state up to date; the events stay queued
        int keyCount = 0;
        const Uint8* state = SDL_GetKeyboardState(&keyCount);
        const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        return IsVirtualKeyDown(virtualKey, state, keyCount, buttons) ? 0x8000 : 0;
    }

    int MessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
        if ((flags & 0xF0) == MB_ICONERROR)
            kind = SDL_MESSAGEBOX_ERROR;
        else if ((flags & 0xF0) == MB_ICONWARNING)
            kind = SDL_MESSAGEBOX_WARNING;
        if (IsHeadlessVideoDriver() ||
            SDL_ShowSimpleMessageBox(kind, title.c_str(), text.c_str(), nullptr) != 0) {
            std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
            std::fflush(stderr);
        }
        return IDOK;
    }

    CursorHandle LoadCursor(uint32_t cursorId) override {
        if (cursorId != IDC_ARROW)
            return LoadProgramCursor(cursorId);
        if (!arrow_)
            arrow_ = std::make_unique<CursorObject>(CursorObject{cursorId, nullptr});
        return arrow_.get();
    }

    CursorHandle SetCursor(CursorHandle cursor) override {
        CursorHandle previous = cursor_;
        cursor_ = cursor;
        if (cursor && SDL_WasInit(SDL_INIT_VIDEO)) {
            if (!cursor->sdlCursor)
                cursor->sdlCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
            if (cursor->sdlCursor)
                SDL_SetCursor(cursor->sdlCursor);
        }
        return previous;
    }

    int ShowCursor(bool show) override {
        displayCount_ += show ? 1 : -1;
        if (SDL_WasInit(SDL_INIT_VIDEO))
            SDL_ShowCursor(displayCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
        return displayCount_;
    }

    bool GetCursorPos(WindowHandle window, int32_t& x, int32_t& y) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        int px = 0, py = 0;
        // A headless driver has no desktop: the mouse state is all there
        // is, and a warp gives the window no mouse focus.
        if (SDL_GetMouseFocus() == sdlWindow || IsHeadlessVideoDriver()) {
            SDL_GetMouseState(&px, &py);
        } else {
            // Outside the window SDL keeps only the desktop position.
            int windowX = 0, windowY = 0;
            SDL_GetGlobalMouseState(&px, &py);
            SDL_GetWindowPosition(sdlWindow, &windowX, &windowY);
            px -= windowX;
            py -= windowY;
        }
        x = px;
        y = py;
        return true;
    }

    bool SetCursorPos(WindowHandle window, int32_t x, int32_t y) override {
        SDL_Window* sdlWindow = Sdl(window);
        if (!sdlWindow)
            return false;
        SDL_WarpMouseInWindow(sdlWindow, x, y);
        return true;
    }

    // The desktop owns the keyboard layouts, and SDL's text input already
    // delivers characters in whichever one the user chose. So the program's
    // choice of input language is kept here as its own record and never
    // imposed on the desktop.
    KeyboardLayout GetKeyboardLayout() override { return keyboardLayout_; }

    KeyboardLayout ActivateKeyboardLayout(KeyboardLayout layout, uint32_t /*flags*/) override {
        if (layout == 0)
            return 0;
        // A bare language id stands for that language's own layout.
        if ((layout >> 16) == 0)
            layout |= layout << 16;
        const KeyboardLayout previous = keyboardLayout_;
        keyboardLayout_ = layout;
        return previous;
    }

    KeyboardLayout LoadKeyboardLayout(const std::string& name, uint32_t flags) override {
        if (name.size() != 8 || name.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return 0;
        const uint32_t language = static_cast<uint32_t>(std::stoul(name, nullptr, 16)) & 0xFFFF;
        if (language == 0)
            return 0;
        const KeyboardLayout layout = language << 16 | language;
        if (flags & KLF_ACTIVATE)
            keyboardLayout_ = layout;
        return layout;
    }

    bool UnloadKeyboardLayout(KeyboardLayout layout) override { return layout != 0; }

    void OnSdlEvent(const SDL_Event& event) override {
        switch (event.type) {
        case SDL_QUIT: // also SIGINT and SIGTERM
            Queue(MainWindow(), WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT: OnWindowEvent(event.window); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: OnKey(event.key); break;
        case SDL_TEXTINPUT: {
            std::vector<char16_t> units;
            AppendUtf16(event.text.text, units);
            WindowHandle window = WindowOf(event.text.windowID);
            for (char16_t unit : units)
                Queue(window, WM_CHAR, unit, 1);
            break;
        }
        default: break;
        }
    }

private:
    // A cursor of the program's pictures. Without one of that id, or where
    // the video driver makes no colour cursors, the arrow stands in: a null
    // cursor would hide the pointer.
    CursorHandle LoadProgramCursor(uint32_t cursorId) {
        CursorPicture picture;
        if (!FindCursorResource(static_cast<int32_t>(cursorId), picture))
            return nullptr;
        auto& cursor = cursors_[cursorId];
        if (cursor)
            return cursor.get();
        cursor = std::make_unique<CursorObject>(CursorObject{cursorId, nullptr});
        if (SDL_WasInit(SDL_INIT_VIDEO)) {
            const IconPicture& image = picture.picture;
            SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
                0, static_cast<int>(image.width), static_cast<int>(image.height), 32, SDL_PIXELFORMAT_RGBA32);
            if (surface) {
                for (uint32_t y = 0; y < image.height; ++y)
                    std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                                image.pixels + static_cast<size_t>(y) * image.width * 4, image.width * 4);
                cursor->sdlCursor = SDL_CreateColorCursor(surface, picture.hotX, picture.hotY);
                SDL_FreeSurface(surface);
            }
        }
        return cursor.get();
    }
    using WindowList = std::vector<std::unique_ptr<WindowObject>>;

    WindowList::iterator FindWindow(WindowHandle window) {
        return std::find_if(windows_.begin(), windows_.end(),
                            [window](const auto& owned) { return owned.get() == window; });
    }

    SDL_Window* Sdl(WindowHandle window) {
        return IsWindow(window) ? window->sdlWindow : nullptr;
    }

    WindowHandle MainWindow() { return windows_.empty() ? nullptr : windows_.front().get(); }

    WindowHandle WindowOf(Uint32 windowId) {
        for (const auto& window : windows_) {
            if (SDL_GetWindowID(window->sdlWindow) == windowId)
                return window.get();
        }
        return MainWindow();
    }

    void Queue(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) {
        queue_.push_back(Message{window, message, wParam, lParam});
    }

    void OnWindowEvent(const SDL_WindowEvent& event) {
        WindowHandle window = WindowOf(event.windowID);
        switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: Queue(window, WM_CLOSE, 0, 0); break;
        case SDL_WINDOWEVENT_MINIMIZED: Queue(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
        case SDL_WINDOWEVENT_RESTORED: Queue(window, WM_SYSCOMMAND, SC_RESTORE, 0); break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            // The window's size belongs to the display mode: the window manager's
            // maximise is undone and the program decides what maximise means.
            if (SDL_Window* sdlWindow = Sdl(window))
                SDL_RestoreWindow(sdlWindow);
            Queue(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            break;
        case SDL_WINDOWEVENT_ENTER:
            Queue(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT);
            break;
        default: break;
        }
    }

    void OnKey(const SDL_KeyboardEvent& event) {
        const int virtualKey = ScancodeToVirtualKey(event.keysym.scancode);
        if (virtualKey == 0)
            return;
        const bool alt = (event.keysym.mod & KMOD_ALT) != 0 || IsAltScancode(event.keysym.scancode);
        // lParam as the original: repeat count 1, scan code in bits 16-23,
        // bit 30 = the key was down before, bit 31 = released.
        LPARAM lParam = 1 | (static_cast<LPARAM>(event.keysym.scancode & 0xFF) << 16);
        uint32_t message = 0;
        if (event.type == SDL_KEYDOWN) {
            message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
            if (event.repeat)
                lParam |= LPARAM{1} << 30;
        } else {
            message = alt ? WM_SYSKEYUP : WM_KEYUP;
            lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
        }
        Queue(WindowOf(event.windowID), message, static_cast<WPARAM>(virtualKey), lParam);
    }

    struct WindowClass {
        WindowProcedure procedure;
        IconHandle icon = nullptr;
    };
    std::map<std::string, WindowClass> classes_;
    std::map<int32_t, std::unique_ptr<IconObject>> icons_;
    WindowList windows_;
    std::vector<std::unique_ptr<DeviceContextObject>> contexts_;
    std::deque<Message> queue_;
    std::unique_ptr<CursorObject> arrow_;
    std::map<uint32_t, std::unique_ptr<CursorObject>> cursors_;  // the program's own
    CursorHandle cursor_ = nullptr;
    int displayCount_ = 0;
    // United States English until the program chooses its language.
    KeyboardLayout keyboardLayout_ = 0x04090409;
};

} // namespace

Windowing& GetSdlWindowing() {
    static SdlWindowing windowing;
    return windowing;
}

} // namespace Platform
