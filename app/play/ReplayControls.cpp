#include "app/play/ReplayControls.h"

#include <algorithm>

#include "app/hud/Hud.h"
#include "app/play/PlaySession.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr int kKeyMinus = 45;
constexpr int kKeyEquals = 61;  // '+' on most keyboards
constexpr int kLastSpeed = 4;

bool keyDown(int key) { return platform::getKey(key) == platform::PRESS; }

// Each control acts on the frame its key goes down.
struct Edges {
    bool v = false, b = false, g = false, faster = false, slower = false;
};
Edges previous;

bool pressed(bool now, bool& before) {
    const bool edge = now && !before;
    before = now;
    return edge;
}

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
    const bool v = pressed(keyDown(keys.of(KeyAction::replay)), previous.v);
    const bool b = pressed(keyDown(keys.of(KeyAction::bestRun)), previous.b);
    const bool g = pressed(keyDown(keys.of(KeyAction::ghost)), previous.g);
    const bool faster =
        pressed(keyDown(kKeyEquals) || keyDown(platform::KEY_KP_ADD), previous.faster);
    const bool slower =
        pressed(keyDown(kKeyMinus) || keyDown(platform::KEY_KP_SUBTRACT), previous.slower);
    if (g) {
        session.showGhost = !session.showGhost;
        showStatusMessage(!shell.archive.best  ? "No best run yet"
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
        if (faster) session.replaySpeed = std::min(session.replaySpeed + 1, kLastSpeed);
        if (slower) session.replaySpeed = std::max(session.replaySpeed - 1, 0);
        return;
    }
    if (v && gameWon) {
        watch(shell, shell.archive.recorder.replay());
    } else if (b && session.timedSteps == 0 && !gameWon) {
        // Before the first push: the run's clock still stands at zero.
        if (shell.archive.best) {
            watch(shell, *shell.archive.best);
        } else {
            showStatusMessage("No best run yet");
        }
    }
}

bool nextWatchedInput(ShellState& shell, StepInput& input) {
    if (shell.watchedStep >= shell.watchedRun.inputs.size()) return false;
    input = shell.watchedRun.inputs[shell.watchedStep++];
    return true;
}

}  // namespace velmora::app
