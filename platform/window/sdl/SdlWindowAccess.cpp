#include "platform/window/sdl/SdlWindowAccess.h"

#include "platform/window/WindowObject.h"

namespace Platform {

SDL_Window* GetSdlWindow(WindowHandle window) { return window ? window->sdlWindow : nullptr; }

} // namespace Platform
