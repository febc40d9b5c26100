#pragma once
// What the window reports between two frames, one entry per event in the
// order it came: a key or mouse button going down or up (with the modifier
// keys held at that moment), the wheel turned, a character typed. A frame
// takes them all at once (takeInputEvents in platform/Window.h), so a key
// pressed three times between two frames counts three times, and a chord
// such as Alt+Enter is one event however its keys were timed.

namespace velmora::platform {

enum class InputKind { key, mouseButton, scroll, character };

// Modifier bits, as the windowing library numbers them.
constexpr int MOD_SHIFT = 0x1;
constexpr int MOD_CONTROL = 0x2;
constexpr int MOD_ALT = 0x4;
constexpr int MOD_SUPER = 0x8;

struct InputEvent {
    InputKind kind = InputKind::key;
    int code = 0;         // the key (KeyCodes.h), the mouse button, or the character's code point
    bool down = false;    // a key or button: pressed, or else released
    int mods = 0;         // MOD_* bits held with a key or button
    double scroll = 0.0;  // wheel clicks, positive away from the player
};

}  // namespace velmora::platform
