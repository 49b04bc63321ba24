#pragma once
// Inside the platform layer only: what the opaque window, device-context and
// cursor handles point to. Defined once here because the SDL and the scripted
// implementations share the handle types.
#include <string>

#include "platform/window/Windowing.h"

struct SDL_Window;
struct SDL_Cursor;
struct SDL_Surface;

namespace Platform {

struct WindowObject {
    SDL_Window* sdlWindow = nullptr; // null for a scripted window
    std::string className;
    WindowHandle parent = nullptr;
    WindowForm form = WindowForm::Windowed;
    Rect clientRect;
    std::string caption;
    IconHandle icon = nullptr;  // the class's
};

struct DeviceContextObject {
    WindowHandle window = nullptr;
};

struct IconObject {
    int32_t resourceId = 0;
    SDL_Surface* sdlSurface = nullptr; // null for a scripted icon
};

struct CursorObject {
    uint32_t cursorId = 0;
    SDL_Cursor* sdlCursor = nullptr; // null for a scripted cursor
};

} // namespace Platform
