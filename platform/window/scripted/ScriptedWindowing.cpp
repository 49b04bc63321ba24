#include "platform/window/scripted/ScriptedWindowing.h"

#include <algorithm>
#include <cstdio>

#include "platform/system/scripted/ScriptedCallListener.h"
#include "platform/window/IconResources.h"
#include "platform/window/WindowObject.h"

namespace Platform {

struct ScriptedWindowing::Window {
    WindowObject object; // the handle points here
    WindowState state;
    int number = 0;      // creation order, for the call record
    bool host = false;
    bool alive = true;
    Rect hostRect;
};

namespace {

std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string FormName(WindowForm form) {
    switch (form) {
    case WindowForm::FullScreen: return "fullscreen";
    case WindowForm::Child: return "child";
    default: return "windowed";
    }
}

std::string RectText(const Rect& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

std::string Bool(bool value) { return value ? "true" : "false"; }

} // namespace

ScriptedWindowing::ScriptedWindowing() = default;
ScriptedWindowing::~ScriptedWindowing() = default;

void ScriptedWindowing::InjectMessage(uint32_t message, WPARAM wParam, LPARAM lParam, WindowHandle window) {
    queue_.push_back(Message{window, message, wParam, lParam});
}

void ScriptedWindowing::SetKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256)
        keysDown_[static_cast<size_t>(virtualKey)] = down;
}

WindowHandle ScriptedWindowing::CreateHostWindow(const Rect& windowRect, WindowHandle parent) {
    auto window = std::make_unique<Window>();
    window->number = static_cast<int>(windows_.size()) + 1;
    window->host = true;
    window->hostRect = windowRect;
    window->object.parent = parent;
    windows_.push_back(std::move(window));
    return &windows_.back()->object;
}

void ScriptedWindowing::CloseHostWindow(WindowHandle host) {
    if (Window* window = Find(host); window && window->host)
        window->alive = false;
}

int ScriptedWindowing::CountCalls(const std::string& name) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
        return call.size() > name.size() && call.compare(0, name.size(), name) == 0 &&
               call[name.size()] == '(';
    }));
}

const ScriptedWindowing::WindowState* ScriptedWindowing::StateOf(WindowHandle handle) const {
    const Window* window = Find(handle);
    return window && !window->host ? &window->state : nullptr;
}

ScriptedWindowing::Window* ScriptedWindowing::Find(WindowHandle handle) const {
    for (const auto& window : windows_) {
        if (&window->object == handle && window->alive)
            return window.get();
    }
    return nullptr;
}

std::string ScriptedWindowing::Name(WindowHandle handle) const {
    if (!handle)
        return "null";
    for (const auto& window : windows_) {
        if (&window->object == handle)
            return (window->host ? "host" : "window") + std::to_string(window->number);
    }
    return "unknown";
}

void ScriptedWindowing::Record(std::string call) {
    calls.push_back(call);
    ReportScriptedCall(call);
}

IconHandle ScriptedWindowing::LoadIcon(int32_t resourceId) {
    Record("LoadIcon(" + std::to_string(resourceId) + ")");
    IconPicture picture;
    if (!FindIconResource(resourceId, picture))
        return nullptr;
    auto& icon = icons_[resourceId];
    if (!icon)
        icon = std::make_unique<IconObject>(IconObject{resourceId, nullptr});
    return icon.get();
}

bool ScriptedWindowing::RegisterClass(const std::string& className, WindowProcedure procedure,
                                      IconHandle icon) {
    Record("RegisterClass(" + className + (icon ? ", icon " + std::to_string(icon->resourceId) : "") + ")");
    const bool exists = std::any_of(classes_.begin(), classes_.end(),
                                    [&](const auto& entry) { return entry.first == className; });
    if (failRegisterClass || exists || !procedure)
        return false;
    classes_.emplace_back(className, std::move(procedure));
    classIcons_[className] = icon;
    return true;
}

bool ScriptedWindowing::UnregisterClass(const std::string& className) {
    Record("UnregisterClass(" + className + ")");
    auto it = std::find_if(classes_.begin(), classes_.end(),
                           [&](const auto& entry) { return entry.first == className; });
    if (it == classes_.end())
        return false;
    classes_.erase(it);
    classIcons_.erase(className);
    return true;
}

WindowHandle ScriptedWindowing::CreateWindowEx(const std::string& className, const std::string& caption,
                                               WindowForm form, const Rect& clientRect,
                                               WindowHandle parent) {
    Record("CreateWindowEx(" + className + ", " + caption + ", " + FormName(form) + ", " +
           RectText(clientRect) + ", " + Name(parent) + ")");
    const bool registered = std::any_of(classes_.begin(), classes_.end(),
                                        [&](const auto& entry) { return entry.first == className; });
    if (failCreateWindow || !registered || (parent && !Find(parent)))
        return nullptr;
    auto window = std::make_unique<Window>();
    window->number = static_cast<int>(windows_.size()) + 1;
    window->object.className = className;
    window->object.parent = parent;
    window->object.form = form;
    window->object.clientRect = clientRect;
    window->object.caption = caption;
    window->state.form = form;
    window->state.clientRect = clientRect;
    window->state.caption = caption;
    window->object.icon = classIcons_[className];
    window->state.iconId = window->object.icon ? window->object.icon->resourceId : 0;
    windows_.push_back(std::move(window));
    return &windows_.back()->object;
}

bool ScriptedWindowing::DestroyWindow(WindowHandle handle) {
    Record("DestroyWindow(" + Name(handle) + ")");
    Window* window = Find(handle);
    if (!window || window->host)
        return false;
    window->alive = false; // kept, so that the handle is never reused
    std::erase_if(queue_, [handle](const Message& message) { return message.window == handle; });
    if (focus == handle)
        focus = nullptr;
    return true;
}

DeviceContext ScriptedWindowing::GetDC(WindowHandle window) {
    Record("GetDC(" + Name(window) + ")");
    if (failGetDC || !Find(window))
        return nullptr;
    contexts_.push_back(std::make_unique<DeviceContextObject>(DeviceContextObject{window}));
    return contexts_.back().get();
}

bool ScriptedWindowing::ReleaseDC(WindowHandle window, DeviceContext context) {
    Record("ReleaseDC(" + Name(window) + ")");
    auto it = std::find_if(contexts_.begin(), contexts_.end(),
                           [&](const auto& owned) { return owned.get() == context; });
    if (it == contexts_.end() || (*it)->window != window)
        return false;
    contexts_.erase(it);
    return true;
}

void ScriptedWindowing::ShowWindow(WindowHandle handle, int showCommand) {
    Record("ShowWindow(" + Name(handle) + ", " + std::to_string(showCommand) + ")");
    if (Window* window = Find(handle)) {
        if (showCommand == SW_HIDE)
            window->state.shown = false;
        else
            window->state.shown = true;
        if (showCommand == SW_MINIMIZE)
            window->state.minimized = true;
        else if (showCommand == SW_RESTORE)
            window->state.minimized = false;
    }
}

bool ScriptedWindowing::SetForegroundWindow(WindowHandle window) {
    Record("SetForegroundWindow(" + Name(window) + ")");
    if (!Find(window))
        return false;
    focus = window;
    return true;
}

void ScriptedWindowing::SetFocus(WindowHandle window) {
    Record("SetFocus(" + Name(window) + ")");
    if (Find(window))
        focus = window;
}

WindowHandle ScriptedWindowing::GetFocus() {
    Record("GetFocus()");
    return focus;
}

bool ScriptedWindowing::IsWindow(WindowHandle window) {
    Record("IsWindow(" + Name(window) + ")");
    return Find(window) != nullptr;
}

WindowHandle ScriptedWindowing::GetParent(WindowHandle handle) {
    Record("GetParent(" + Name(handle) + ")");
    const Window* window = Find(handle);
    return window ? window->object.parent : nullptr;
}

bool ScriptedWindowing::GetWindowRect(WindowHandle handle, Rect& rect) {
    Record("GetWindowRect(" + Name(handle) + ")");
    const Window* window = Find(handle);
    if (!window)
        return false;
    rect = window->host ? window->hostRect : window->state.clientRect;
    return true;
}

Rect ScriptedWindowing::GetDesktopRect() {
    Record("GetDesktopRect()");
    return desktop;
}

bool ScriptedWindowing::SetWindowText(WindowHandle handle, const std::string& caption) {
    Record("SetWindowText(" + Name(handle) + ", " + caption + ")");
    Window* window = Find(handle);
    if (!window)
        return false;
    window->state.caption = caption;
    return true;
}

bool ScriptedWindowing::SetWindowPos(WindowHandle handle, bool topmost) {
    Record("SetWindowPos(" + Name(handle) + ", " + (topmost ? "topmost" : "notopmost") + ")");
    Window* window = Find(handle);
    if (!window)
        return false;
    window->state.topmost = topmost;
    return true;
}

bool ScriptedWindowing::SetWindowMode(WindowHandle handle, WindowForm form, const Rect& clientRect) {
    Record("SetWindowMode(" + Name(handle) + ", " + FormName(form) + ", " + RectText(clientRect) + ")");
    Window* window = Find(handle);
    if (!window || window->host || form == WindowForm::Child)
        return false;
    window->state.form = form;
    window->state.clientRect = clientRect;
    window->state.shown = true;
    return true;
}

bool ScriptedWindowing::PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    Record("PostMessage(" + Name(window) + ", " + Hex(message) + ", " + Hex(wParam) + ", " +
           std::to_string(lParam) + ")");
    if (window && !Find(window))
        return false;
    queue_.push_back(Message{window, message, wParam, lParam});
    return true;
}

bool ScriptedWindowing::PeekMessage(Message& message) {
    Record("PeekMessage()");
    if (queue_.empty())
        return false;
    message = queue_.front();
    queue_.pop_front();
    if (!message.window) {
        for (const auto& window : windows_) {
            if (!window->host && window->alive) {
                message.window = &window->object;
                break;
            }
        }
    }
    return true;
}

bool ScriptedWindowing::TranslateMessage(const Message& message) {
    Record("TranslateMessage(" + Hex(message.message) + ")");
    return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
}

LRESULT ScriptedWindowing::DispatchMessage(const Message& message) {
    Record("DispatchMessage(" + Name(message.window) + ", " + Hex(message.message) + ", " +
           Hex(message.wParam) + ", " + std::to_string(message.lParam) + ")");
    const Window* window = Find(message.window);
    if (!window || window->host)
        return 0;
    auto it = std::find_if(classes_.begin(), classes_.end(),
                           [&](const auto& entry) { return entry.first == window->object.className; });
    if (it == classes_.end())
        return 0;
    // A copy: the procedure may destroy its window or unregister its class.
    WindowProcedure procedure = it->second;
    return procedure(message.message, message.wParam, message.lParam);
}

LRESULT ScriptedWindowing::DefWindowProc(WindowHandle handle, uint32_t message, WPARAM wParam, LPARAM lParam) {
    Record("DefWindowProc(" + Name(handle) + ", " + Hex(message) + ", " + Hex(wParam) + ", " +
           std::to_string(lParam) + ")");
    Window* window = Find(handle);
    if (window && message == WM_SYSCOMMAND) {
        if (wParam == SC_MINIMIZE)
            window->state.minimized = true;
        else if (wParam == SC_RESTORE)
            window->state.minimized = false;
    }
    return 0;
}

uint16_t ScriptedWindowing::GetAsyncKeyState(int virtualKey) {
    Record("GetAsyncKeyState(" + Hex(static_cast<uint64_t>(virtualKey)) + ")");
    if (virtualKey < 0 || virtualKey >= 256)
        return 0;
    return keysDown_[static_cast<size_t>(virtualKey)] ? 0x8000 : 0;
}

int ScriptedWindowing::MessageBox(const std::string& text, const std::string& title, uint32_t flags) {
    Record("MessageBox(" + text + ", " + title + ", " + Hex(flags) + ")");
    messageBoxes.push_back(MessageBoxCall{text, title, flags});
    return IDOK;
}

CursorHandle ScriptedWindowing::LoadCursor(uint32_t cursorId) {
    Record("LoadCursor(" + std::to_string(cursorId) + ")");
    if (cursorId != IDC_ARROW) {
        CursorPicture picture;
        if (!FindCursorResource(static_cast<int32_t>(cursorId), picture))
            return nullptr;
        auto& cursor = cursors_[cursorId];
        if (!cursor)
            cursor = std::make_unique<CursorObject>(CursorObject{cursorId, nullptr});
        return cursor.get();
    }
    if (!arrow_)
        arrow_ = std::make_unique<CursorObject>(CursorObject{cursorId, nullptr});
    return arrow_.get();
}

CursorHandle ScriptedWindowing::SetCursor(CursorHandle cursor) {
    Record(std::string("SetCursor(") + (cursor ? "cursor" : "null") + ")");
    CursorHandle previous = cursor_;
    cursor_ = cursor;
    return previous;
}

int ScriptedWindowing::ShowCursor(bool show) {
    displayCount_ += show ? 1 : -1;
    Record("ShowCursor(" + Bool(show) + ") -> " + std::to_string(displayCount_));
    return displayCount_;
}

bool ScriptedWindowing::GetCursorPos(WindowHandle window, int32_t& x, int32_t& y) {
    Record("GetCursorPos(" + Name(window) + ")");
    if (!Find(window))
        return false;
    x = cursorX;
    y = cursorY;
    return true;
}

bool ScriptedWindowing::SetCursorPos(WindowHandle window, int32_t x, int32_t y) {
    Record("SetCursorPos(" + Name(window) + ", " + std::to_string(x) + ", " + std::to_string(y) + ")");
    if (!Find(window))
        return false;
    cursorX = x;
    cursorY = y;
    return true;
}

KeyboardLayout ScriptedWindowing::GetKeyboardLayout() {
    Record("GetKeyboardLayout() -> " + Hex(keyboardLayout));
    return keyboardLayout;
}

KeyboardLayout ScriptedWindowing::ActivateKeyboardLayout(KeyboardLayout layout, uint32_t flags) {
    Record("ActivateKeyboardLayout(" + Hex(layout) + ", " + Hex(flags) + ")");
    if (failActivateKeyboardLayout || layout == 0)
        return 0;
    const KeyboardLayout previous = keyboardLayout;
    keyboardLayout = layout;
    return previous;
}

KeyboardLayout ScriptedWindowing::LoadKeyboardLayout(const std::string& name, uint32_t flags) {
    Record("LoadKeyboardLayout(" + name + ", " + Hex(flags) + ")");
    if (loadedKeyboardLayout != 0 && (flags & KLF_ACTIVATE))
        keyboardLayout = loadedKeyboardLayout;
    return loadedKeyboardLayout;
}

bool ScriptedWindowing::UnloadKeyboardLayout(KeyboardLayout layout) {
    Record("UnloadKeyboardLayout(" + Hex(layout) + ")");
    return layout != 0;
}

} // namespace Platform
