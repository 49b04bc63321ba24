#pragma once
// The last key pressed or character typed, as the window received it. A
// later message overwrites an unread one; the input clears it at the end of
// every frame.
#include <cstdint>

namespace ZorvaneEngine {

struct KeyEvent {
    bool pending = false;
    bool isChar = false;
    uint16_t code = 0;  // a virtual-key code, or a UTF-16 unit when isChar
};

} // namespace ZorvaneEngine
