#pragma once
// Input put on the platform's event queue as if the user had made it, for
// programs that drive the game from outside its screens (the screenshot
// tour, benchmarks). The events reach the window and the input devices the
// way real ones do. Nothing happens for a window of the scripted platform.
#include <cstdint>
#include <string>

#include "platform/window/WindowHandle.h"

namespace Platform {

// A mouse button (0 left, 1 right, 2 middle) going down or up at the
// pointer's place.
void InjectMouseButton(WindowHandle window, int button, bool down);
// A key by its keyboard scan code (ScanCodes.h) going down or up.
void InjectKey(WindowHandle window, uint32_t scanCode, bool down);
// Typed text, UTF-8.
void InjectText(WindowHandle window, const std::string& utf8);

} // namespace Platform
