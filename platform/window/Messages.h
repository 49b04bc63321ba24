#pragma once
// Window messages, system commands and virtual-key codes with the values the
// window procedure compares against. The values are those of the original
// message protocol, so code written against it keeps its meaning.
#include <cstdint>

#include "platform/window/WindowHandle.h"

namespace Platform {

using WPARAM = uint64_t;
using LPARAM = int64_t;
using LRESULT = int64_t;

struct Message {
    WindowHandle window = nullptr; // null: addressed to no window in particular
    uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Messages.
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;

// System commands (wParam of WM_SYSCOMMAND).
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_TASKLIST = 0xF130;
constexpr WPARAM SC_SCREENSAVE = 0xF140;
constexpr WPARAM SC_HOTKEY = 0xF150;
constexpr WPARAM SC_MONITORPOWER = 0xF170;

// Hit-test code carried in the low word of WM_SETCURSOR's lParam.
constexpr LPARAM HTCLIENT = 1;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// MessageBox flags and result.
constexpr uint32_t MB_OK = 0x00;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONWARNING = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

// LoadCursor identifiers.
constexpr uint32_t IDC_ARROW = 32512;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes
// ('A' = 0x41, '0' = 0x30).
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_XBUTTON1 = 0x05;
constexpr int VK_XBUTTON2 = 0x06;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12; // Alt
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21; // Page Up
constexpr int VK_NEXT = 0x22;  // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SELECT = 0x29;
constexpr int VK_PRINT = 0x2A;
constexpr int VK_EXECUTE = 0x2B;
constexpr int VK_SNAPSHOT = 0x2C; // Print Screen
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F;
constexpr int VK_0 = 0x30; // VK_0 + n for the digit n
constexpr int VK_A = 0x41; // VK_A + n for the n-th letter
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_SLEEP = 0x5F;
constexpr int VK_NUMPAD0 = 0x60; // VK_NUMPAD0 + n for the keypad digit n
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70; // VK_F1 + n - 1 for Fn, n = 1 .. 24
constexpr int VK_F12 = 0x7B;
constexpr int VK_F24 = 0x87;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_VOLUME_MUTE = 0xAD;
constexpr int VK_VOLUME_DOWN = 0xAE;
constexpr int VK_VOLUME_UP = 0xAF;
constexpr int VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr int VK_MEDIA_PREV_TRACK = 0xB1;
constexpr int VK_MEDIA_STOP = 0xB2;
constexpr int VK_MEDIA_PLAY_PAUSE = 0xB3;
// Punctuation keys of a US layout, named by their unshifted character.
constexpr int VK_OEM_1 = 0xBA;      // ;
constexpr int VK_OEM_PLUS = 0xBB;   // =
constexpr int VK_OEM_COMMA = 0xBC;  // ,
constexpr int VK_OEM_MINUS = 0xBD;  // -
constexpr int VK_OEM_PERIOD = 0xBE; // .
constexpr int VK_OEM_2 = 0xBF;      // /
constexpr int VK_OEM_3 = 0xC0;      // `
constexpr int VK_OEM_4 = 0xDB;      // [
constexpr int VK_OEM_5 = 0xDC;      // backslash
constexpr int VK_OEM_6 = 0xDD;      // ]
constexpr int VK_OEM_7 = 0xDE;      // '
constexpr int VK_OEM_102 = 0xE2;    // the extra key left of Z on ISO keyboards

} // namespace Platform
