#pragma once
// The first connected gamepad, read through the windowing library's own
// gamepad mappings, so any pad it knows reports the same layout. A pad may be
// plugged in before or during the game: every read looks again.

#include <array>

namespace velmora::platform {

// Buttons and axes in the usual layout (the windowing library's numbering).
constexpr int PAD_BUTTON_A = 0;
constexpr int PAD_BUTTON_B = 1;
constexpr int PAD_BUTTON_X = 2;
constexpr int PAD_BUTTON_Y = 3;
constexpr int PAD_BUTTON_LEFT_BUMPER = 4;
constexpr int PAD_BUTTON_RIGHT_BUMPER = 5;
constexpr int PAD_BUTTON_BACK = 6;
constexpr int PAD_BUTTON_START = 7;
constexpr int PAD_BUTTON_DPAD_UP = 11;
constexpr int PAD_BUTTON_DPAD_RIGHT = 12;
constexpr int PAD_BUTTON_DPAD_DOWN = 13;
constexpr int PAD_BUTTON_DPAD_LEFT = 14;
constexpr int PAD_BUTTON_COUNT = 15;

constexpr int PAD_AXIS_LEFT_X = 0;
constexpr int PAD_AXIS_LEFT_Y = 1;  // pushed away from the player is negative
constexpr int PAD_AXIS_RIGHT_X = 2;
constexpr int PAD_AXIS_RIGHT_Y = 3;
constexpr int PAD_AXIS_COUNT = 6;

struct GamepadState {
    bool connected = false;
    std::array<float, PAD_AXIS_COUNT> axes{};      // sticks -1..1, triggers -1 (rest)..1
    std::array<bool, PAD_BUTTON_COUNT> buttons{};  // true while held

    bool pressed(int button) const {
        return button >= 0 && button < PAD_BUTTON_COUNT && buttons[button];
    }
};

// The scripted pad if a script set one, else the first real pad; a state with
// connected false when there is none.
GamepadState getGamepad();

namespace script {
void setGamepad(const GamepadState& state);  // seen in place of any real pad
void clearGamepad();                          // back to the real pads
}  // namespace script

}  // namespace velmora::platform
