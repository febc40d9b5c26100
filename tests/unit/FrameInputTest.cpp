// The presses of a frame as the window's events deliver them, and how what
// one layer takes stays away from the layers below.

#include <gtest/gtest.h>

#include "app/input/FrameInput.h"
#include "platform/Window.h"

using namespace velmora;
using app::PressSource;

namespace {

class FrameInputTest : public testing::Test {
protected:
    void SetUp() override { platform::script::reset(); }
    void TearDown() override { platform::script::reset(); }

    void tap(int key) {
        platform::script::setKey(key, true);
        platform::script::setKey(key, false);
    }
    void frame(const platform::GamepadState& pad = {}) {
        input.beginFrame(platform::takeInputEvents(), pad);
    }

    app::FrameInput input;
};

}  // namespace

TEST_F(FrameInputTest, EveryPressBetweenTwoFramesCountsInOrderWithItsModifiers) {
    tap(platform::KEY_DOWN);
    tap(platform::KEY_DOWN);
    platform::script::setKey(platform::KEY_LALT, true);
    tap(platform::KEY_ENTER);  // a chord: the Alt is on the Enter's press however short
    platform::script::setKey(platform::KEY_LALT, false);
    tap(platform::KEY_DOWN);
    frame();
    ASSERT_EQ(input.presses().size(), 5u);
    EXPECT_TRUE(input.presses()[3].isKey(platform::KEY_ENTER));
    EXPECT_EQ(input.count(PressSource::key, platform::KEY_DOWN), 3);
    EXPECT_EQ(input.takeKey(platform::KEY_ENTER), 1);  // without asking for the Alt
    frame();
    EXPECT_TRUE(input.presses().empty());  // taken once, by the next frame only

    tap(platform::KEY_ENTER);
    platform::script::setKey(platform::KEY_RALT, true);
    tap(platform::KEY_ENTER);
    frame();
    EXPECT_EQ(input.takeKey(platform::KEY_ENTER, platform::MOD_ALT), 1);
    EXPECT_EQ(input.takeKey(platform::KEY_ENTER, platform::MOD_ALT), 0);
    EXPECT_EQ(input.takeKey(platform::KEY_ENTER), 1);  // the plain one is left
}

TEST_F(FrameInputTest, AKeyWhosePressWasTakenIsNotHeldBelowUntilLetGo) {
    platform::script::setKey('W', true);
    frame();
    EXPECT_TRUE(input.keyHeld('W'));
    input.take(input.presses()[0]);
    EXPECT_FALSE(input.keyHeld('W'));
    frame();  // still down, still taken
    EXPECT_FALSE(input.keyHeld('W'));
    EXPECT_EQ(input.count(PressSource::key, 'W'), 0);

    platform::script::setKey('W', false);
    platform::script::setKey('W', true);  // let go and pressed again: a new press
    frame();
    EXPECT_TRUE(input.keyHeld('W'));
    EXPECT_EQ(input.count(PressSource::key, 'W'), 1);

    // A button taken by a click on a menu does not couple underneath.
    platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, true);
    frame();
    EXPECT_EQ(input.takeButton(platform::MOUSE_BUTTON_LEFT), 1);
    EXPECT_FALSE(input.buttonHeld(platform::MOUSE_BUTTON_LEFT));
    platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, false);
    frame();
    EXPECT_FALSE(input.buttonHeld(platform::MOUSE_BUTTON_LEFT));
}

TEST_F(FrameInputTest, APadButtonOrTheStickPastHalfCountsWhenItGoesDown) {
    platform::GamepadState pad;
    pad.connected = true;
    pad.buttons[platform::PAD_BUTTON_START] = true;
    pad.axes[platform::PAD_AXIS_LEFT_Y] = 0.7f;  // pulled back: down
    frame(pad);
    EXPECT_EQ(input.count(PressSource::pad, platform::PAD_BUTTON_START), 1);
    EXPECT_EQ(input.takePad(platform::PAD_BUTTON_DPAD_DOWN), 1);
    EXPECT_FALSE(input.padHeld(platform::PAD_BUTTON_DPAD_DOWN));
    frame(pad);  // held: no new press
    EXPECT_TRUE(input.presses().empty());
    EXPECT_TRUE(input.padHeld(platform::PAD_BUTTON_START));
    pad.axes[platform::PAD_AXIS_LEFT_Y] = 0.3f;
    frame(pad);
    pad.axes[platform::PAD_AXIS_LEFT_Y] = 0.9f;
    frame(pad);
    EXPECT_EQ(input.count(PressSource::pad, platform::PAD_BUTTON_DPAD_DOWN), 1);
}
