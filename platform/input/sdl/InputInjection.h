#pragma once
// Input put on the platform's event queue as if the user had made it, for
// programs that drive the game from outside its screens (the tests' player,
// the screenshot tour, the soak run). The events reach the window and the
// input devices the way real ones do. Nothing happens for a window of the
// scripted platform. Each returns false when no event was queued.
#include <cstdint>
#include <string>

#include "platform/window/WindowHandle.h"

namespace Platform {

// A mouse button (0 left, 1 right, 2 middle) going down or up at the
// pointer's place.
bool InjectMouseButton(WindowHandle window, int button, bool down);
// A key by its keyboard scan code (ScanCodes.h) going down or up.
bool InjectKey(WindowHandle window, uint32_t scanCode, bool down);
// Typed text, UTF-8.
bool InjectText(WindowHandle window, const std::string& utf8);
// The window losing or gaining the keyboard focus.
bool InjectFocus(WindowHandle window, bool gained);
// The window restored after a minimise.
bool InjectRestore(WindowHandle window);
// The desktop asking the program to end, as when its window is closed.
bool InjectQuit();

} // namespace Platform
