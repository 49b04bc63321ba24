#include "platform/input/sdl/SdlScanCodes.h"

#include "platform/input/ScanCodes.h"

namespace Platform {

uint32_t SdlScancodeToScanCode(SDL_Scancode scancode) {
    // SDL orders the digit rows 1 .. 9, 0 as the scan codes do.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0)
        return DIK_1 + static_cast<uint32_t>(scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10)
        return DIK_F1 + static_cast<uint32_t>(scancode - SDL_SCANCODE_F1);
    switch (scancode) {
    case SDL_SCANCODE_A: return DIK_A;
    case SDL_SCANCODE_B: return DIK_B;
    case SDL_SCANCODE_C: return DIK_C;
    case SDL_SCANCODE_D: return DIK_D;
    case SDL_SCANCODE_E: return DIK_E;
    case SDL_SCANCODE_F: return DIK_F;
    case SDL_SCANCODE_G: return DIK_G;
    case SDL_SCANCODE_H: return DIK_H;
    case SDL_SCANCODE_I: return DIK_I;
    case SDL_SCANCODE_J: return DIK_J;
    case SDL_SCANCODE_K: return DIK_K;
    case SDL_SCANCODE_L: return DIK_L;
    case SDL_SCANCODE_M: return DIK_M;
    case SDL_SCANCODE_N: return DIK_N;
    case SDL_SCANCODE_O: return DIK_O;
    case SDL_SCANCODE_P: return DIK_P;
    case SDL_SCANCODE_Q: return DIK_Q;
    case SDL_SCANCODE_R: return DIK_R;
    case SDL_SCANCODE_S: return DIK_S;
    case SDL_SCANCODE_T: return DIK_T;
    case SDL_SCANCODE_U: return DIK_U;
    case SDL_SCANCODE_V: return DIK_V;
    case SDL_SCANCODE_W: return DIK_W;
    case SDL_SCANCODE_X: return DIK_X;
    case SDL_SCANCODE_Y: return DIK_Y;
    case SDL_SCANCODE_Z: return DIK_Z;
    case SDL_SCANCODE_ESCAPE: return DIK_ESCAPE;
    case SDL_SCANCODE_MINUS: return DIK_MINUS;
    case SDL_SCANCODE_EQUALS: return DIK_EQUALS;
    case SDL_SCANCODE_BACKSPACE: return DIK_BACK;
    case SDL_SCANCODE_TAB: return DIK_TAB;
    case SDL_SCANCODE_LEFTBRACKET: return DIK_LBRACKET;
    case SDL_SCANCODE_RIGHTBRACKET: return DIK_RBRACKET;
    case SDL_SCANCODE_RETURN: return DIK_RETURN;
    case SDL_SCANCODE_LCTRL: return DIK_LCONTROL;
    case SDL_SCANCODE_SEMICOLON: return DIK_SEMICOLON;
    case SDL_SCANCODE_APOSTROPHE: return DIK_APOSTROPHE;
    case SDL_SCANCODE_GRAVE: return DIK_GRAVE;
    case SDL_SCANCODE_LSHIFT: return DIK_LSHIFT;
    case SDL_SCANCODE_BACKSLASH: return DIK_BACKSLASH;
    case SDL_SCANCODE_NONUSHASH: return DIK_BACKSLASH;
    case SDL_SCANCODE_COMMA: return DIK_COMMA;
    case SDL_SCANCODE_PERIOD: return DIK_PERIOD;
    case SDL_SCANCODE_SLASH: return DIK_SLASH;
    case SDL_SCANCODE_RSHIFT: return DIK_RSHIFT;
    case SDL_SCANCODE_KP_MULTIPLY: return DIK_MULTIPLY;
    case SDL_SCANCODE_LALT: return DIK_LMENU;
    case SDL_SCANCODE_SPACE: return DIK_SPACE;
    case SDL_SCANCODE_CAPSLOCK: return DIK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR: return DIK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK: return DIK_SCROLL;
    case SDL_SCANCODE_KP_7: return DIK_NUMPAD7;
    case SDL_SCANCODE_KP_8: return DIK_NUMPAD8;
    case SDL_SCANCODE_KP_9: return DIK_NUMPAD9;
    case SDL_SCANCODE_KP_MINUS: return DIK_SUBTRACT;
    case SDL_SCANCODE_KP_4: return DIK_NUMPAD4;
    case SDL_SCANCODE_KP_5: return DIK_NUMPAD5;
    case SDL_SCANCODE_KP_6: return DIK_NUMPAD6;
    case SDL_SCANCODE_KP_PLUS: return DIK_ADD;
    case SDL_SCANCODE_KP_1: return DIK_NUMPAD1;
    case SDL_SCANCODE_KP_2: return DIK_NUMPAD2;
    case SDL_SCANCODE_KP_3: return DIK_NUMPAD3;
    case SDL_SCANCODE_KP_0: return DIK_NUMPAD0;
    case SDL_SCANCODE_KP_PERIOD: return DIK_DECIMAL;
    case SDL_SCANCODE_NONUSBACKSLASH: return DIK_OEM_102;
    case SDL_SCANCODE_F11: return DIK_F11;
    case SDL_SCANCODE_F12: return DIK_F12;
    case SDL_SCANCODE_F13: return DIK_F13;
    case SDL_SCANCODE_F14: return DIK_F14;
    case SDL_SCANCODE_F15: return DIK_F15;
    case SDL_SCANCODE_KP_ENTER: return DIK_NUMPADENTER;
    case SDL_SCANCODE_RCTRL: return DIK_RCONTROL;
    case SDL_SCANCODE_KP_DIVIDE: return DIK_DIVIDE;
    case SDL_SCANCODE_PRINTSCREEN: return DIK_SYSRQ;
    case SDL_SCANCODE_RALT: return DIK_RMENU;
    case SDL_SCANCODE_PAUSE: return DIK_PAUSE;
    case SDL_SCANCODE_HOME: return DIK_HOME;
    case SDL_SCANCODE_UP: return DIK_UP;
    case SDL_SCANCODE_PAGEUP: return DIK_PRIOR;
    case SDL_SCANCODE_LEFT: return DIK_LEFT;
    case SDL_SCANCODE_RIGHT: return DIK_RIGHT;
    case SDL_SCANCODE_END: return DIK_END;
    case SDL_SCANCODE_DOWN: return DIK_DOWN;
    case SDL_SCANCODE_PAGEDOWN: return DIK_NEXT;
    case SDL_SCANCODE_INSERT: return DIK_INSERT;
    case SDL_SCANCODE_DELETE: return DIK_DELETE;
    case SDL_SCANCODE_LGUI: return DIK_LWIN;
    case SDL_SCANCODE_RGUI: return DIK_RWIN;
    case SDL_SCANCODE_APPLICATION: return DIK_APPS;
    default: return 0;
    }
}

int SdlButtonToButtonIndex(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    case SDL_BUTTON_X2: return 4;
    default: return -1;
    }
}

} // namespace Platform
