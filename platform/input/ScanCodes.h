#pragma once
// Keyboard scan codes as the keyboard device reports them: positional, named
// after the key of a US layout.
#include <cstdint>

namespace Platform {

constexpr uint32_t DIK_ESCAPE = 1;
constexpr uint32_t DIK_1 = 2; // DIK_1 .. DIK_9 = 2 .. 10
constexpr uint32_t DIK_2 = 3;
constexpr uint32_t DIK_3 = 4;
constexpr uint32_t DIK_4 = 5;
constexpr uint32_t DIK_5 = 6;
constexpr uint32_t DIK_6 = 7;
constexpr uint32_t DIK_7 = 8;
constexpr uint32_t DIK_8 = 9;
constexpr uint32_t DIK_9 = 10;
constexpr uint32_t DIK_0 = 11;
constexpr uint32_t DIK_MINUS = 12;
constexpr uint32_t DIK_EQUALS = 13;
constexpr uint32_t DIK_BACK = 14;
constexpr uint32_t DIK_TAB = 15;
constexpr uint32_t DIK_Q = 16;
constexpr uint32_t DIK_W = 17;
constexpr uint32_t DIK_E = 18;
constexpr uint32_t DIK_R = 19;
constexpr uint32_t DIK_T = 20;
constexpr uint32_t DIK_Y = 21;
constexpr uint32_t DIK_U = 22;
constexpr uint32_t DIK_I = 23;
constexpr uint32_t DIK_O = 24;
constexpr uint32_t DIK_P = 25;
constexpr uint32_t DIK_LBRACKET = 26;
constexpr uint32_t DIK_RBRACKET = 27;
constexpr uint32_t DIK_RETURN = 28;
constexpr uint32_t DIK_LCONTROL = 29;
constexpr uint32_t DIK_A = 30;
constexpr uint32_t DIK_S = 31;
constexpr uint32_t DIK_D = 32;
constexpr uint32_t DIK_F = 33;
constexpr uint32_t DIK_G = 34;
constexpr uint32_t DIK_H = 35;
constexpr uint32_t DIK_J = 36;
constexpr uint32_t DIK_K = 37;
constexpr uint32_t DIK_L = 38;
constexpr uint32_t DIK_SEMICOLON = 39;
constexpr uint32_t DIK_APOSTROPHE = 40;
constexpr uint32_t DIK_GRAVE = 41;
constexpr uint32_t DIK_LSHIFT = 42;
constexpr uint32_t DIK_BACKSLASH = 43;
constexpr uint32_t DIK_Z = 44;
constexpr uint32_t DIK_X = 45;
constexpr uint32_t DIK_C = 46;
constexpr uint32_t DIK_V = 47;
constexpr uint32_t DIK_B = 48;
constexpr uint32_t DIK_N = 49;
constexpr uint32_t DIK_M = 50;
constexpr uint32_t DIK_COMMA = 51;
constexpr uint32_t DIK_PERIOD = 52;
constexpr uint32_t DIK_SLASH = 53;
constexpr uint32_t DIK_RSHIFT = 54;
constexpr uint32_t DIK_MULTIPLY = 55;
constexpr uint32_t DIK_LMENU = 56; // left Alt
constexpr uint32_t DIK_SPACE = 57;
constexpr uint32_t DIK_CAPITAL = 58;
constexpr uint32_t DIK_F1 = 59; // DIK_F1 .. DIK_F10 = 59 .. 68
constexpr uint32_t DIK_F10 = 68;
constexpr uint32_t DIK_NUMLOCK = 69;
constexpr uint32_t DIK_SCROLL = 70;
constexpr uint32_t DIK_NUMPAD7 = 71;
constexpr uint32_t DIK_NUMPAD8 = 72;
constexpr uint32_t DIK_NUMPAD9 = 73;
constexpr uint32_t DIK_SUBTRACT = 74;
constexpr uint32_t DIK_NUMPAD4 = 75;
constexpr uint32_t DIK_NUMPAD5 = 76;
constexpr uint32_t DIK_NUMPAD6 = 77;
constexpr uint32_t DIK_ADD = 78;
constexpr uint32_t DIK_NUMPAD1 = 79;
constexpr uint32_t DIK_NUMPAD2 = 80;
constexpr uint32_t DIK_NUMPAD3 = 81;
constexpr uint32_t DIK_NUMPAD0 = 82;
constexpr uint32_t DIK_DECIMAL = 83;
constexpr uint32_t DIK_OEM_102 = 86; // the extra key left of Z on ISO keyboards
constexpr uint32_t DIK_F11 = 87;
constexpr uint32_t DIK_F12 = 88;
constexpr uint32_t DIK_F13 = 100;
constexpr uint32_t DIK_F14 = 101;
constexpr uint32_t DIK_F15 = 102;
constexpr uint32_t DIK_NUMPADENTER = 156;
constexpr uint32_t DIK_RCONTROL = 157;
constexpr uint32_t DIK_DIVIDE = 181;
constexpr uint32_t DIK_SYSRQ = 183; // Print Screen
constexpr uint32_t DIK_RMENU = 184; // right Alt
constexpr uint32_t DIK_PAUSE = 197;
constexpr uint32_t DIK_HOME = 199;
constexpr uint32_t DIK_UP = 200;
constexpr uint32_t DIK_PRIOR = 201; // Page Up
constexpr uint32_t DIK_LEFT = 203;
constexpr uint32_t DIK_RIGHT = 205;
constexpr uint32_t DIK_END = 207;
constexpr uint32_t DIK_DOWN = 208;
constexpr uint32_t DIK_NEXT = 209; // Page Down
constexpr uint32_t DIK_INSERT = 210;
constexpr uint32_t DIK_DELETE = 211;
constexpr uint32_t DIK_LWIN = 219;
constexpr uint32_t DIK_RWIN = 220;
constexpr uint32_t DIK_APPS = 221;

} // namespace Platform
