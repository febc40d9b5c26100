#include "app/PlayerInput.h"

#include <string>

#include "app/Camera.h"
#include "app/Hud.h"
#include "app/MoveKeys.h"
#include "app/OptionKeys.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {

bool keyDown(int key) { return platform::getKey(key) == platform::PRESS; }

void applyCouplingButtons(RenderLogic& logic) {
    // Not held back by the option-key lock-out. With both down it ends uncoupled.
    if (platform::getMouseButton(platform::MOUSE_BUTTON_LEFT) == platform::PRESS) {
        logic.spheresCoupled = true;
    }
    if (platform::getMouseButton(platform::MOUSE_BUTTON_RIGHT) == platform::PRESS) {
        logic.spheresCoupled = false;
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

void updateInput(double dt, ShellState& shell) {
    RenderLogic& logic = *shell.renderLogic;
    advanceLockout(optionKeyLockout, dt);
    if (const auto direction = moveKeyDirection(keyDown)) {
        logic.pushMainSphere(pushForKeys(*direction, cameraMatrix, dt));
    }
    applyCouplingButtons(logic);
    takeOptionKeys(logic);
    logic.updateSecondSphere();
}

}  // namespace velmora::app
