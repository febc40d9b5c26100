#include "app/play/LevelSwitching.h"

#include "app/camera/Camera.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "platform/Window.h"

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
    // N may still be held when the new level starts.
    shell.session.nextLevelControlWasDown = true;
    return true;
}

bool hasNextLevel(const ShellState& shell) {
    return shell.levelIndex >= 0 && shell.levelIndex + 1 < static_cast<int>(shell.levels.levels.size());
}

void updateLevelKeys(ShellState& shell) {
    shell.session.nextLevelOpen = gameWon && hasNextLevel(shell);
    const bool down = platform::getKey(kKeyN) == platform::PRESS;
    const bool pressed = down && !shell.session.nextLevelControlWasDown;
    shell.session.nextLevelControlWasDown = down;
    if (pressed && gameWon && !shell.session.watching && hasNextLevel(shell)) {
        playLevel(shell, shell.levelIndex + 1);
    }
}

}  // namespace velmora::app
