#include "app/play/ReplayControls.h"

#include <algorithm>

#include "app/hud/Hud.h"
#include "app/play/PlaySession.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr int kKeyMinus = 45;
constexpr int kKeyEquals = 61;  // '+' on most keyboards
constexpr int kLastSpeed = 4;

void watch(ShellState& shell, const Replay& run) {
    const Replay shown = run;  // restartRun begins a new recording
    restartRun(shell);
    shell.watchedRun = shown;
    shell.watchedStep = 0;
    shell.session.watching = true;
    shell.session.replaySpeed = 2;
}

}  // namespace

double replaySpeedFactor(int speed) {
    static const double factors[] = {0.25, 0.5, 1.0, 2.0, 4.0};
    return factors[std::clamp(speed, 0, kLastSpeed)];
}

std::string replaySpeedText(int speed) {
    static const char* const texts[] = {"1/4x", "1/2x", "1x", "2x", "4x"};
    return texts[std::clamp(speed, 0, kLastSpeed)];
}

void updateReplayControls(ShellState& shell) {
    PlaySession& session = shell.session;
    const KeyBindings& keys = shell.settings.keys;
    FrameInput& input = shell.input;
    const bool v = input.takeKey(keys.of(KeyAction::replay)) > 0;
    const bool b = input.takeKey(keys.of(KeyAction::bestRun)) > 0;
    // Every press counts: G twice between two frames shows the ghost as it was.
    const int g = input.takeKey(keys.of(KeyAction::ghost));
    const int faster = input.takeKey(kKeyEquals) + input.takeKey(platform::KEY_KP_ADD);
    const int slower = input.takeKey(kKeyMinus) + input.takeKey(platform::KEY_KP_SUBTRACT);
    if (g > 0) {
        if (g % 2 == 1) session.showGhost = !session.showGhost;
        showStatusMessage(shell.options, !shell.archive.best  ? "No best run yet"
                          : session.showGhost ? "Ghost shown"
                                              : "Ghost hidden");
    }
    const int wheel = platform::getMouseWheel();
    const int clicks = wheel - session.lastWheel;
    session.lastWheel = wheel;
    if (session.watching) {
        // The wheel sets the speed here; the zoom stays where it was.
        session.wheelSpentOnSpeed += clicks;
        session.replaySpeed = std::clamp(session.replaySpeed + clicks, 0, kLastSpeed);
        if (v) {
            restartRun(shell);
            return;
        }
        session.replaySpeed = std::clamp(session.replaySpeed + faster - slower, 0, kLastSpeed);
        return;
    }
    const bool won = shell.options.gameWon;
    if (v && won) {
        watch(shell, shell.archive.recorder.replay());
    } else if (b && session.timedSteps == 0 && !won) {
        // Before the first push: the run's clock still stands at zero.
        if (shell.archive.best) {
            watch(shell, *shell.archive.best);
        } else {
            showStatusMessage(shell.options, "No best run yet");
        }
    }
}

bool nextWatchedInput(ShellState& shell, StepInput& input) {
    if (shell.watchedStep >= shell.watchedRun.inputs.size()) return false;
    input = shell.watchedRun.inputs[shell.watchedStep++];
    return true;
}

}  // namespace velmora::app
