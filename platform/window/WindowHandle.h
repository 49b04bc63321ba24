#pragma once
// An opaque window handle, as the window, the renderer, the input and the
// screen capture pass it between each other. Null means no window.
namespace Platform {
struct WindowObject;
using WindowHandle = WindowObject*;
} // namespace Platform
