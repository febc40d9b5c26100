#include "app/shell/Game.h"

#include <iostream>
#include <string>

#include "app/shell/FrameLoop.h"
#include "app/shell/GameWindow.h"
#include "app/shell/RenderScaleControl.h"
#include "app/play/LevelProgress.h"
#include "app/hud/ScreenOverlay.h"
#include "app/online/LeaderboardLink.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "app/shell/WindowMode.h"
#include "platform/Console.h"
#include "platform/LeakCheck.h"
#include "platform/Window.h"

namespace velmora::app {

int runGame(int argc, char** argv) {
    std::string levelName;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--level" && i + 1 < argc) {
            levelName = argv[++i];
        } else {
            std::cout << "Usage: vizazuv [--level NAME]" << std::endl;
            return 2;
        }
    }
    ShellState shell;
    // The player's best times and replays are kept from one game to the next.
    shell.archive.keepsPlayerFiles = true;
    shell.showLevelIntros = true;
    shell.levels = shippedLevelSet();
    shell.levelIndex = levelName.empty() ? firstUnfinishedLevel(levelStandings(shell.levels))
                                         : chosenLevel(shell.levels, levelName);
    if (shell.levelIndex < 0) return 2;
    // So are the settings; the window opens as they say.
    shell.settingsFile = SettingsFile(SettingsFile::defaultPath());
    shell.settings = shell.settingsFile.load();
    if (!openGame(shell)) {
        return -1;
    }
    FrameLoop loop(shell);
    try {
        loop.run();
    } catch (const platform::FatalFailure&) {
        // A level switched to, or a panel drawn for the first time, could
        // not build its programs; their lines are out. Ended as a failed
        // start is, with the settings kept.
        closeGame(shell);
        platform::consolePause();
        return -1;
    }
    closeGame(shell);
    return 0;
}

bool openGame(ShellState& shell) {
    clearScreenOverlay();

    if (!platform::init()) {
        std::cout << "Failed to init glfw" << std::endl;
        platform::consolePause();
        return false;
    }
    if (!openGameWindow(shell.screenWidth, shell.screenHeight, shell.settings)) {
        std::cout << "Failed to initialize OpenGL window." << std::endl;
        // The driver loaded for the failed context is unloaded with the
        // window library; what it left would then have no module to name.
        platform::checkLeaksBeforeTerminate();
        platform::terminate();
        return false;
    }
    if (!initGlew()) {
        // The window library is deliberately left running: the process ends
        // as soon as this returns.
        std::cout << "failed to init glew :(" << std::endl;
        platform::consolePause();
        return false;
    }
    if (hasOpenGl33()) {
        std::cout << "OPEN GL 3 SUPPORTED YEAH" << std::endl;
    }
    reloadEntryPoints();

    if (!startWorld(shell)) {
        platform::checkLeaksBeforeTerminate();
        platform::terminate();
        platform::consolePause();
        return false;
    }
    return true;
}

bool startWorld(ShellState& shell) {
    try {
        if (shell.levelIndex >= 0) {
            initialize(shell, shell.levels.levels[static_cast<size_t>(shell.levelIndex)]);
        } else {
            initialize(shell);
        }
        createRenderTargets(shell);
        openLevelIntro(shell);
        startRenderScale(shell);
    } catch (const platform::FatalFailure&) {
        // Its lines are printed. What was built goes, the settings stay.
        keepSettingsAndRelease(shell);
        return false;
    }
    shell.sound = audio::SoundSystem::open("Sounds", std::cout);
    startLeaderboard(shell);
    return true;
}

void keepSettingsAndRelease(ShellState& shell) {
    // Where the window was left is where it opens next time.
    rememberWindow(shell);
    shell.settingsFile.saveIfChanged(shell.settings);
    finishSaving(shell.archive);
    stopLeaderboard(shell);
    shell.sound.reset();
    shutdown(shell);
}

void closeGame(ShellState& shell) {
    keepSettingsAndRelease(shell);
    platform::checkLeaksBeforeTerminate();
    platform::terminate();
}

}  // namespace velmora::app
