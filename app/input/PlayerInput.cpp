#include "app/input/PlayerInput.h"

#include <string>

#include "app/camera/Camera.h"
#include "app/shell/FrameClock.h"
#include "app/hud/Hud.h"
#include "app/input/MoveKeys.h"
#include "app/input/OptionKeys.h"
#include "app/input/PadInput.h"
#include "app/settings/SettingsApply.h"
#include "app/shell/ShellState.h"
#include "app/sound/SoundControls.h"
#include "platform/Gamepad.h"
#include "platform/KeyCodes.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {

void applyCouplingButtons(bool& coupled, const FrameInput& input) {
    // Not held back by the option-key lock-out. With both down it ends
    // uncoupled; the pad's A or right shoulder and B or left shoulder likewise.
    if (input.buttonHeld(platform::MOUSE_BUTTON_LEFT) || input.padHeld(platform::PAD_BUTTON_A) ||
        input.padHeld(platform::PAD_BUTTON_RIGHT_BUMPER)) {
        coupled = true;
    }
    if (input.buttonHeld(platform::MOUSE_BUTTON_RIGHT) || input.padHeld(platform::PAD_BUTTON_B) ||
        input.padHeld(platform::PAD_BUTTON_LEFT_BUMPER)) {
        coupled = false;
    }
}

void takeOptionKeys(ShellOptions& options, RenderLogic& logic, const FrameInput& input) {
    OptionFlags flags;
    flags.showHelp = options.showHelp;
    flags.showFrameTime = options.showFrameTime;
    flags.wireframeEnabled = logic.wireframeEnabled;
    flags.mipmapMode = logic.mipmapMode;
    flags.shadowsEnabled = options.render.shadowsEnabled;
    flags.frustumCullingEnabled = logic.frustumCullingEnabled;
    flags.transparencyEnabled = options.render.transparencyEnabled;

    // Held, or tapped since the last frame, and not a key a menu or prompt took.
    const auto isDown = [&input](int key) { return input.keyHeld(key); };
    const std::string message = applyOptionKeys(isDown, flags, options.optionKeyLockout);

    options.showHelp = flags.showHelp;
    options.showFrameTime = flags.showFrameTime;
    logic.wireframeEnabled = flags.wireframeEnabled;
    logic.mipmapMode = flags.mipmapMode;
    options.render.shadowsEnabled = flags.shadowsEnabled;
    logic.frustumCullingEnabled = flags.frustumCullingEnabled;
    options.render.transparencyEnabled = flags.transparencyEnabled;
    if (!message.empty()) {
        showStatusMessage(options, message);
    }
}

}  // namespace

StepInput readStepInput(ShellState& shell) {
    const FrameInput& held = shell.input;
    const platform::GamepadState& pad = held.pad();
    const glm::vec2 leftStick =
        stickPush(pad.axes[platform::PAD_AXIS_LEFT_X], pad.axes[platform::PAD_AXIS_LEFT_Y]);
    const auto keyDown = [&held](int key) { return held.keyHeld(key); };
    StepInput input;
    if (const auto direction = combinedMoveDirection(moveKeyDirection(keyDown, shell.settings.keys), leftStick)) {
        // What a frame of 1/60 s pushed: every step gets the same push,
        // whatever the frame rate.
        input.push = pushForKeys(*direction, shell.camera.steering, FrameClock::kStep) * spheres::kPushScale;
    }
    applyCouplingButtons(shell.session.coupled, held);
    input.coupled = shell.session.coupled;
    return input;
}

void updateOptionKeys(double dt, ShellState& shell) {
    advanceLockout(shell.options.optionKeyLockout, dt);
    takeOptionKeys(shell.options, *shell.renderLogic, shell.input);
    keepSettings(shell);
    // A key taken starts the lock-out again from zero.
    if (shell.options.optionKeyLockout == 0.0) tickInterface(shell);
}

}  // namespace velmora::app
