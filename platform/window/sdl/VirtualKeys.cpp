#include "platform/window/sdl/VirtualKeys.h"

#include "platform/window/Messages.h"

namespace Platform {

int ScancodeToVirtualKey(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return VK_A + (scancode - SDL_SCANCODE_A);
    // SDL orders the digit row 1 .. 9, 0.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return VK_0 + 1 + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return VK_F1 + (scancode - SDL_SCANCODE_F1);
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
        return VK_F1 + 12 + (scancode - SDL_SCANCODE_F13);
    // The keypad also orders 1 .. 9, 0.
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    switch (scancode) {
    case SDL_SCANCODE_0: return VK_0;
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_NONUSHASH: return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_PRINTSCREEN: return VK_SNAPSHOT;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    case SDL_SCANCODE_HELP: return VK_HELP;
    case SDL_SCANCODE_SELECT: return VK_SELECT;
    case SDL_SCANCODE_EXECUTE: return VK_EXECUTE;
    case SDL_SCANCODE_SLEEP: return VK_SLEEP;
    case SDL_SCANCODE_MUTE: return VK_VOLUME_MUTE;
    case SDL_SCANCODE_VOLUMEUP: return VK_VOLUME_UP;
    case SDL_SCANCODE_VOLUMEDOWN: return VK_VOLUME_DOWN;
    case SDL_SCANCODE_AUDIONEXT: return VK_MEDIA_NEXT_TRACK;
    case SDL_SCANCODE_AUDIOPREV: return VK_MEDIA_PREV_TRACK;
    case SDL_SCANCODE_AUDIOSTOP: return VK_MEDIA_STOP;
    case SDL_SCANCODE_AUDIOPLAY: return VK_MEDIA_PLAY_PAUSE;
    case SDL_SCANCODE_LCTRL: return VK_LCONTROL;
    case SDL_SCANCODE_LSHIFT: return VK_LSHIFT;
    case SDL_SCANCODE_LALT: return VK_LMENU;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RCTRL: return VK_RCONTROL;
    case SDL_SCANCODE_RSHIFT: return VK_RSHIFT;
    case SDL_SCANCODE_RALT: return VK_RMENU;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    default: return 0;
    }
}

bool IsVirtualKeyDown(int virtualKey, const Uint8* keyboardState, int keyCount, Uint32 mouseButtons) {
    auto down = [&](SDL_Scancode scancode) {
        return scancode < keyCount && keyboardState[scancode] != 0;
    };
    switch (virtualKey) {
    case VK_LBUTTON: return (mouseButtons & SDL_BUTTON_LMASK) != 0;
    case VK_RBUTTON: return (mouseButtons & SDL_BUTTON_RMASK) != 0;
    case VK_MBUTTON: return (mouseButtons & SDL_BUTTON_MMASK) != 0;
    case VK_XBUTTON1: return (mouseButtons & SDL_BUTTON_X1MASK) != 0;
    case VK_XBUTTON2: return (mouseButtons & SDL_BUTTON_X2MASK) != 0;
    case VK_SHIFT: return down(SDL_SCANCODE_LSHIFT) || down(SDL_SCANCODE_RSHIFT);
    case VK_CONTROL: return down(SDL_SCANCODE_LCTRL) || down(SDL_SCANCODE_RCTRL);
    case VK_MENU: return down(SDL_SCANCODE_LALT) || down(SDL_SCANCODE_RALT);
    default: break;
    }
    if (virtualKey <= 0 || virtualKey > 255 || !keyboardState)
        return false;
    for (int scancode = 0; scancode < keyCount; ++scancode) {
        if (keyboardState[scancode] &&
            ScancodeToVirtualKey(static_cast<SDL_Scancode>(scancode)) == virtualKey)
            return true;
    }
    return false;
}

} // namespace Platform
