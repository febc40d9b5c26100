#pragma once
// Key, button and parameter codes the game uses, numbered the classic way:
// printable keys are their upper-case ASCII code (W = 87, Q = 81), special
// keys start above 256 (Escape = 257, F1 = 258). The window layer maps them
// onto the windowing library underneath.

namespace velmora::platform {

constexpr int KEY_SPECIAL = 256;
constexpr int KEY_ESC = KEY_SPECIAL + 1;
constexpr int KEY_F1 = KEY_SPECIAL + 2;  // F1..F25 follow in order
constexpr int KEY_F25 = KEY_SPECIAL + 26;
constexpr int KEY_UP = KEY_SPECIAL + 27;
constexpr int KEY_DOWN = KEY_SPECIAL + 28;
constexpr int KEY_LEFT = KEY_SPECIAL + 29;
constexpr int KEY_RIGHT = KEY_SPECIAL + 30;
constexpr int KEY_LSHIFT = KEY_SPECIAL + 31;
constexpr int KEY_RSHIFT = KEY_SPECIAL + 32;
constexpr int KEY_LCTRL = KEY_SPECIAL + 33;
constexpr int KEY_RCTRL = KEY_SPECIAL + 34;
constexpr int KEY_LALT = KEY_SPECIAL + 35;
constexpr int KEY_RALT = KEY_SPECIAL + 36;
constexpr int KEY_TAB = KEY_SPECIAL + 37;
constexpr int KEY_ENTER = KEY_SPECIAL + 38;
constexpr int KEY_BACKSPACE = KEY_SPECIAL + 39;
constexpr int KEY_INSERT = KEY_SPECIAL + 40;
constexpr int KEY_DEL = KEY_SPECIAL + 41;
constexpr int KEY_PAGEUP = KEY_SPECIAL + 42;
constexpr int KEY_PAGEDOWN = KEY_SPECIAL + 43;
constexpr int KEY_HOME = KEY_SPECIAL + 44;
constexpr int KEY_END = KEY_SPECIAL + 45;
constexpr int KEY_KP_0 = KEY_SPECIAL + 46;  // keypad 0..9 follow in order
constexpr int KEY_KP_SUBTRACT = KEY_SPECIAL + 58;
constexpr int KEY_KP_ADD = KEY_SPECIAL + 59;
constexpr int KEY_LAST = KEY_SPECIAL + 69;

constexpr int KEY_F2 = KEY_F1 + 1;
constexpr int KEY_F3 = KEY_F1 + 2;
constexpr int KEY_F4 = KEY_F1 + 3;
constexpr int KEY_F5 = KEY_F1 + 4;
constexpr int KEY_F6 = KEY_F1 + 5;
constexpr int KEY_F7 = KEY_F1 + 6;
constexpr int KEY_F8 = KEY_F1 + 7;
constexpr int KEY_F9 = KEY_F1 + 8;

constexpr int MOUSE_BUTTON_LEFT = 0;
constexpr int MOUSE_BUTTON_RIGHT = 1;
constexpr int MOUSE_BUTTON_MIDDLE = 2;
constexpr int MOUSE_BUTTON_LAST = 7;

constexpr int RELEASE = 0;
constexpr int PRESS = 1;

// Window modes for openWindow.
constexpr int WINDOW = 0x00010001;
constexpr int FULLSCREEN = 0x00010002;

// Window parameters for getWindowParam.
constexpr int OPENED = 0x00020001;

// Hints for openWindowHint.
constexpr int OPENGL_VERSION_MAJOR = 0x00020014;
constexpr int OPENGL_VERSION_MINOR = 0x00020015;
constexpr int OPENGL_DEBUG_CONTEXT = 0x00020017;  // 1: the driver checks and reports every call
constexpr int OPENGL_PROFILE = 0x00020018;
constexpr int OPENGL_CORE_PROFILE = 0x00050001;

// The windowing library's own code for one of ours; -1 when it has none.
int toLibraryKey(int key);
// Ours for one of the library's (upper-case letters); -1 for a key we do not number.
int fromLibraryKey(int libraryKey);

}  // namespace velmora::platform
