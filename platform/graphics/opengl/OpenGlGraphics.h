#pragma once
// The graphics driver that draws with OpenGL in an SDL window. The game
// uses it through GetGraphicsDriver(), which finds windows with the window
// area; tests hand their own lookup (a hidden SDL window of their own).
#include <functional>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/GraphicsDriver.h"
#include "platform/graphics/opengl/VerticalBlankPacer.h"
#include "platform/window/WindowHandle.h"

struct SDL_Window;

namespace Platform {

// time is the clock that waits for the vertical blank where the swap does
// not; tests hand in their own.
std::unique_ptr<GraphicsDriver> CreateOpenGlGraphicsDriver(
    std::function<SDL_Window*(WindowHandle)> findWindow,
    VerticalBlankPacer::Time time = VerticalBlankPacer::RealTime());

// The picture the driver's device last presented in the window, as the
// window copy of the screen capture needs it: B, G, R and 0 per pixel, rows
// bottom-up, the size of the device's render target. False when no device
// presents there, or off the thread that draws.
bool ReadPresentedPicture(SDL_Window* window, uint32_t& width, uint32_t& height,
                          std::vector<uint8_t>& pixels);

} // namespace Platform
