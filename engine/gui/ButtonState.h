#pragma once
// What a button shows: each state is a frame of its art.
#include <cstdint>

namespace ZorvaneEngine {

enum ButtonState : uint32_t {
    ButtonStateNormal = 0,
    ButtonStateHover = 1,
    ButtonStatePressed = 2,
    ButtonStateDisabled = 3,
};

} // namespace ZorvaneEngine
