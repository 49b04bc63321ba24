#pragma once
// Inside the platform layer only: SDL's scancodes as keyboard-device scan codes.
#include <SDL.h>

#include <cstdint>

namespace Platform {

// 0 for a key without one (0 is no key: a record never carries it).
uint32_t SdlScancodeToScanCode(SDL_Scancode scancode);

// The mouse button index (0 left, 1 right, 2 middle, 3 and 4 the side
// buttons) of an SDL button, or -1.
int SdlButtonToButtonIndex(Uint8 button);

} // namespace Platform
