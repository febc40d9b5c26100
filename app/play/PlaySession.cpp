#include "app/play/PlaySession.h"

#include <cstdio>

#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"

namespace velmora::app {

namespace {
bool keyDown(int key) { return platform::getKey(key) == platform::PRESS; }
}  // namespace

SessionActions applySessionControls(PlaySession& session, const SessionControls& controls) {
    SessionActions actions;
    if (controls.pauseDown && !session.pauseControlWasDown) session.paused = !session.paused;
    if (controls.restartDown && !session.restartControlWasDown) actions.restart = true;
    if (session.hadFocus && session.focusedLastFrame && !controls.focused) session.paused = true;
    if (controls.focused) session.hadFocus = true;
    session.focusedLastFrame = controls.focused;
    session.pauseControlWasDown = controls.pauseDown;
    session.restartControlWasDown = controls.restartDown;
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
    gameWon = false;
}

void updateSession(ShellState& shell) {
    const platform::GamepadState pad = platform::getGamepad();
    SessionControls controls;
    const KeyBindings& keys = shell.settings.keys;
    controls.pauseDown = keyDown(keys.of(KeyAction::pause)) || pad.pressed(platform::PAD_BUTTON_START);
    controls.restartDown = keyDown(keys.of(KeyAction::restart)) || pad.pressed(platform::PAD_BUTTON_BACK);
    controls.focused = platform::hasFocus();
    if (applySessionControls(shell.session, controls).restart) restartRun(shell);
}

}  // namespace velmora::app
