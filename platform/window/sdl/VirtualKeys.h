#pragma once
// Inside the platform layer only: SDL's positional scancodes as the
// virtual-key codes of a US layout.
#include <SDL.h>

namespace Platform {

// 0 for a key that has no virtual-key code.
int ScancodeToVirtualKey(SDL_Scancode scancode);

// Whether the virtual key is down in SDL's keyboard state (SDL_GetKeyboardState)
// and mouse button mask. VK_SHIFT, VK_CONTROL and VK_MENU stand for either
// side; VK_RETURN for both Enter keys.
bool IsVirtualKeyDown(int virtualKey, const Uint8* keyboardState, int keyCount, Uint32 mouseButtons);

} // namespace Platform
