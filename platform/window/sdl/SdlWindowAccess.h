#pragma once
// For the other platform areas only (graphics, input, capture): the SDL
// window behind a handle made by the real window implementation, or null
// for a scripted window or no window.
#include "platform/window/WindowHandle.h"

struct SDL_Window;

namespace Platform {
SDL_Window* GetSdlWindow(WindowHandle window);
} // namespace Platform
