#pragma once
// The graphics driver that draws with OpenGL in an SDL window. The game
// uses it through GetGraphicsDriver(), which finds windows with the window
// area; tests hand their own lookup (a hidden SDL window of their own).
#include <functional>
#include <memory>

#include "platform/graphics/GraphicsDriver.h"
#include "platform/window/WindowHandle.h"

struct SDL_Window;

namespace Platform {

std::unique_ptr<GraphicsDriver> CreateOpenGlGraphicsDriver(
    std::function<SDL_Window*(WindowHandle)> findWindow);

} // namespace Platform
