#include "app/play/LevelSwitching.h"

#include "app/camera/Camera.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"

namespace velmora::app {

namespace {
constexpr int kKeyN = 78;
}  // namespace

bool playLevel(ShellState& shell, int index) {
    if (index < 0 || index >= static_cast<int>(shell.levels.levels.size())) return false;
    const bool ghostShown = shell.session.showGhost;
    switchLevel(shell, shell.levels.levels[static_cast<size_t>(index)]);
    shell.levelIndex = index;
    shell.levelChanged = true;
    shell.session.showGhost = ghostShown;  // a choice of the player's, not of the level
    openLevelIntro(shell);
    return true;
}

bool hasNextLevel(const ShellState& shell) {
    return shell.levelIndex >= 0 && shell.levelIndex + 1 < static_cast<int>(shell.levels.levels.size());
}

void updateLevelKeys(ShellState& shell) {
    const bool won = shell.options.gameWon;
    shell.session.nextLevelOpen = won && hasNextLevel(shell);
    const bool pressed = shell.input.takeKey(kKeyN) > 0;
    if (pressed && won && !shell.session.watching && hasNextLevel(shell)) {
        playLevel(shell, shell.levelIndex + 1);
    }
}

}  // namespace velmora::app
