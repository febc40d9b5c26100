#include "platform/Gamepad.h"

#include <GLFW/glfw3.h>

#include <optional>

namespace velmora::platform {

static_assert(PAD_BUTTON_A == GLFW_GAMEPAD_BUTTON_A && PAD_BUTTON_B == GLFW_GAMEPAD_BUTTON_B &&
                  PAD_BUTTON_LEFT_BUMPER == GLFW_GAMEPAD_BUTTON_LEFT_BUMPER &&
                  PAD_BUTTON_RIGHT_BUMPER == GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER &&
                  PAD_BUTTON_BACK == GLFW_GAMEPAD_BUTTON_BACK &&
                  PAD_BUTTON_START == GLFW_GAMEPAD_BUTTON_START &&
                  PAD_BUTTON_COUNT == GLFW_GAMEPAD_BUTTON_LAST + 1,
              "pad buttons are numbered as the windowing library numbers them");
static_assert(PAD_AXIS_LEFT_X == GLFW_GAMEPAD_AXIS_LEFT_X &&
                  PAD_AXIS_RIGHT_Y == GLFW_GAMEPAD_AXIS_RIGHT_Y &&
                  PAD_AXIS_COUNT == GLFW_GAMEPAD_AXIS_LAST + 1,
              "pad axes are numbered as the windowing library numbers them");

namespace {
// The pad a test plays instead of the real one, read where the real one is.
std::optional<GamepadState> scriptedPad;
}  // namespace

GamepadState getGamepad() {
    if (scriptedPad) return *scriptedPad;
    GamepadState state;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid) {
        GLFWgamepadstate pad;
        if (glfwJoystickIsGamepad(jid) != GLFW_TRUE || glfwGetGamepadState(jid, &pad) != GLFW_TRUE) {
            continue;
        }
        state.connected = true;
        for (int axis = 0; axis < PAD_AXIS_COUNT; ++axis) state.axes[axis] = pad.axes[axis];
        for (int button = 0; button < PAD_BUTTON_COUNT; ++button) {
            state.buttons[button] = pad.buttons[button] == GLFW_PRESS;
        }
        break;
    }
    return state;
}

namespace script {
void setGamepad(const GamepadState& state) { scriptedPad = state; }
void clearGamepad() { scriptedPad.reset(); }
}  // namespace script

}  // namespace velmora::platform
