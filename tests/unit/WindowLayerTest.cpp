#include <gtest/gtest.h>

#include "platform/Gamepad.h"
#include "platform/KeyCodes.h"
#include "platform/Window.h"

#include <GLFW/glfw3.h>

using namespace velmora::platform;

TEST(KeyCodes, GameCodesMapOntoTheLibrary) {
    EXPECT_EQ(KEY_F1, 258);
    EXPECT_EQ(KEY_ESC, 257);
    EXPECT_EQ(toLibraryKey('W'), GLFW_KEY_W);
    EXPECT_EQ(toLibraryKey(81), GLFW_KEY_Q);
    EXPECT_EQ(toLibraryKey('w'), GLFW_KEY_W);
    EXPECT_EQ(toLibraryKey(KEY_ESC), GLFW_KEY_ESCAPE);
    EXPECT_EQ(toLibraryKey(KEY_F1), GLFW_KEY_F1);
    EXPECT_EQ(toLibraryKey(KEY_F9), GLFW_KEY_F9);
    EXPECT_EQ(toLibraryKey(KEY_F25), GLFW_KEY_F25);
    EXPECT_EQ(toLibraryKey(KEY_KP_0 + 9), GLFW_KEY_KP_9);
    EXPECT_EQ(toLibraryKey(KEY_LSHIFT), GLFW_KEY_LEFT_SHIFT);
    EXPECT_EQ(toLibraryKey(KEY_SPECIAL), -1);
    EXPECT_EQ(toLibraryKey(5), -1);
}

TEST(WindowScript, ScriptedInputIsSeenWithoutAWindow) {
    script::reset();
    double now = 2.5;
    script::setClock([&] { return now; });
    EXPECT_DOUBLE_EQ(getTime(), 2.5);
    now = 3.0;
    EXPECT_DOUBLE_EQ(getTime(), 3.0);

    EXPECT_EQ(getKey('W'), RELEASE);
    script::setKey('W', true);
    EXPECT_EQ(getKey('W'), PRESS);
    script::setKey('W', false);
    EXPECT_EQ(getKey('W'), RELEASE);

    script::setMouseButton(MOUSE_BUTTON_RIGHT, true);
    EXPECT_EQ(getMouseButton(MOUSE_BUTTON_RIGHT), PRESS);
    EXPECT_EQ(getMouseButton(MOUSE_BUTTON_LEFT), RELEASE);

    int x = -1;
    int y = -1;
    script::setMousePos(10, 20);
    getMousePos(&x, &y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);

    script::setMouseWheel(-3);
    EXPECT_EQ(getMouseWheel(), -3);

    // Without a window there is no focus, unless a script gives it.
    EXPECT_FALSE(hasFocus());
    script::setFocused(true);
    EXPECT_TRUE(hasFocus());

    GamepadState pad;
    pad.connected = true;
    pad.axes[PAD_AXIS_LEFT_Y] = -0.5f;
    pad.buttons[PAD_BUTTON_START] = true;
    script::setGamepad(pad);
    EXPECT_TRUE(getGamepad().pressed(PAD_BUTTON_START));
    EXPECT_FALSE(getGamepad().pressed(PAD_BUTTON_BACK));
    EXPECT_FALSE(getGamepad().pressed(PAD_BUTTON_COUNT));
    EXPECT_EQ(getGamepad().axes[PAD_AXIS_LEFT_Y], -0.5f);

    // No window is open: it never reads as open, scripted or not.
    EXPECT_EQ(getWindowParam(OPENED), 0);
    script::reset();
    EXPECT_FALSE(hasFocus());
    EXPECT_FALSE(getGamepad().pressed(PAD_BUTTON_START));
}
