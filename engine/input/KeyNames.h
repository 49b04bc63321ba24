#pragma once
// The names under which every part of the program asks for keys and mouse
// buttons, with the code the input back end reads them by: the keyboard
// device's scan code for a key, the button index for a mouse button.
#include <array>
#include <cstddef>
#include <cstdint>

namespace ZorvaneEngine {

struct KeyName {
    const char* name; // upper case
    uint32_t code;
    bool mouseButton;
};

constexpr size_t KEY_NAME_COUNT = 108;
constexpr size_t MOUSE_BUTTON_COUNT = 8;

// In registration order; the mouse buttons come first.
extern const std::array<KeyName, KEY_NAME_COUNT> KeyNames;
// Button index i has the name at position i: "MOUSE1" is the left button,
// "MOUSE2" the right one.
extern const std::array<const char*, MOUSE_BUTTON_COUNT> MouseButtonNames;

} // namespace ZorvaneEngine
