#include "app/play/PlaySession.h"

#include <cstdio>

#include "app/shell/ShellState.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"

namespace velmora::app {

SessionActions applySessionControls(PlaySession& session, const SessionControls& controls) {
    SessionActions actions;
    actions.restart = controls.restartPressed;
    if (session.hadFocus && session.focusedLastFrame && !controls.focused) session.paused = true;
    if (controls.focused) session.hadFocus = true;
    session.focusedLastFrame = controls.focused;
    return actions;
}

void finishRun(PlaySession& session) {
    session.previousBestSteps = session.bestSteps;
    if (session.bestSteps < 0 || session.timedSteps < session.bestSteps) {
        session.bestSteps = session.timedSteps;
    }
}

void restartRun(ShellState& shell) {
    shell.simulation->restart();
    shell.renderLogic->clearBursts();
    shell.session.runSteps = 0;
    shell.session.timedSteps = 0;
    shell.session.coupled = true;
    shell.session.watching = false;
    shell.archive.recorder.begin(shell.archive.levelIdentity);
    shell.session.paused = false;
    shell.options.gameWon = false;
}

void updateSession(ShellState& shell) {
    FrameInput& input = shell.input;
    SessionControls controls;
    controls.restartPressed = input.takeKey(shell.settings.keys.of(KeyAction::restart)) +
                                  input.takePad(platform::PAD_BUTTON_BACK) > 0;
    controls.focused = platform::hasFocus();
    if (applySessionControls(shell.session, controls).restart) restartRun(shell);
}

}  // namespace velmora::app
