#include "app/Game.h"

#include <iostream>

#include "app/FrameLoop.h"
#include "app/GameWindow.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "platform/Console.h"
#include "platform/LeakCheck.h"
#include "platform/Window.h"

namespace velmora::app {

int runGame() {
    ShellState shell;
    // The player's best times and replays are kept from one game to the next.
    shell.archive.keepsPlayerFiles = true;
    if (!openGame(shell)) {
        return -1;
    }
    FrameLoop loop(shell);
    loop.run();
    closeGame(shell);
    return 0;
}

bool openGame(ShellState& shell) {
    setFirstValues();

    if (!platform::init()) {
        std::cout << "Failed to init glfw" << std::endl;
        platform::fatalExit();
    }
    if (!openGameWindow(shell.screenWidth, shell.screenHeight)) {
        std::cout << "Failed to initialize OpenGL window." << std::endl;
        // The driver loaded for the failed context is unloaded with the
        // window library; what it left would then have no module to name.
        platform::checkLeaksBeforeTerminate();
        platform::terminate();
        return false;
    }
    if (!initGlew()) {
        // The window library is deliberately left running: the process ends here.
        std::cout << "failed to init glew :(" << std::endl;
        platform::fatalExit();
    }
    if (hasOpenGl33()) {
        std::cout << "OPEN GL 3 SUPPORTED YEAH" << std::endl;
    }
    reloadEntryPoints();

    initialize(shell);
    createRenderTargets(shell);
    shell.sound = audio::SoundSystem::open("Sounds", std::cout);
    return true;
}

void closeGame(ShellState& shell) {
    shell.sound.reset();
    shutdown(shell);
    platform::checkLeaksBeforeTerminate();
    platform::terminate();
}

}  // namespace velmora::app
