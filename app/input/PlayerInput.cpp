#include "app/input/PlayerInput.h"

#include <string>

#include "app/camera/Camera.h"
#include "app/shell/FrameClock.h"
#include "app/hud/Hud.h"
#include "app/input/MoveKeys.h"
#include "app/input/OptionKeys.h"
#include "app/input/PadInput.h"
#include "app/settings/SettingsApply.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/sound/SoundControls.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {

bool keyDown(int key) { return platform::getKey(key) == platform::PRESS; }

void applyCouplingButtons(bool& coupled, const platform::GamepadState& pad) {
    // Not held back by the option-key lock-out. With both down it ends
    // uncoupled; the pad's A or right shoulder and B or left shoulder likewise.
    if (platform::getMouseButton(platform::MOUSE_BUTTON_LEFT) == platform::PRESS ||
        pad.pressed(platform::PAD_BUTTON_A) || pad.pressed(platform::PAD_BUTTON_RIGHT_BUMPER)) {
        coupled = true;
    }
    if (platform::getMouseButton(platform::MOUSE_BUTTON_RIGHT) == platform::PRESS ||
        pad.pressed(platform::PAD_BUTTON_B) || pad.pressed(platform::PAD_BUTTON_LEFT_BUMPER)) {
        coupled = false;
    }
}

void takeOptionKeys(RenderLogic& logic) {
    OptionFlags flags;
    flags.showHelp = showHelp;
    flags.showFrameTime = showFrameTime;
    flags.wireframeEnabled = logic.wireframeEnabled;
    flags.mipmapMode = logic.mipmapMode;
    flags.shadowsEnabled = shadowsEnabled;
    flags.frustumCullingEnabled = logic.frustumCullingEnabled;
    flags.transparencyEnabled = transparencyEnabled;

    const std::string message = applyOptionKeys(keyDown, flags, optionKeyLockout);

    showHelp = flags.showHelp;
    showFrameTime = flags.showFrameTime;
    logic.wireframeEnabled = flags.wireframeEnabled;
    logic.mipmapMode = flags.mipmapMode;
    shadowsEnabled = flags.shadowsEnabled;
    logic.frustumCullingEnabled = flags.frustumCullingEnabled;
    transparencyEnabled = flags.transparencyEnabled;
    if (!message.empty()) {
        showStatusMessage(message);
    }
}

}  // namespace

StepInput readStepInput(ShellState& shell) {
    const platform::GamepadState pad = platform::getGamepad();
    const glm::vec2 leftStick =
        stickPush(pad.axes[platform::PAD_AXIS_LEFT_X], pad.axes[platform::PAD_AXIS_LEFT_Y]);
    StepInput input;
    if (const auto direction = combinedMoveDirection(moveKeyDirection(keyDown, shell.settings.keys), leftStick)) {
        // What a frame of 1/60 s pushed: every step gets the same push,
        // whatever the frame rate.
        input.push = pushForKeys(*direction, shell.camera.steering, FrameClock::kStep) * spheres::kPushScale;
    }
    applyCouplingButtons(shell.session.coupled, pad);
    input.coupled = shell.session.coupled;
    return input;
}

void updateOptionKeys(double dt, ShellState& shell) {
    advanceLockout(optionKeyLockout, dt);
    takeOptionKeys(*shell.renderLogic);
    keepSettings(shell);
    // A key taken starts the lock-out again from zero.
    if (optionKeyLockout == 0.0) tickInterface(shell);
}

}  // namespace velmora::app
