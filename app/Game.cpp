#include "app/Game.h"

#include <GL/glew.h>

#include <iostream>

#include "app/FrameLoop.h"
#include "app/GameWindow.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "platform/Console.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

void initialize(ShellState&) { platform::setWindowTitle("Vizazuv!"); }

void shutdown(ShellState&) {}

}  // namespace

int runGame() {
    setFirstValues();
    ShellState shell;

    if (!platform::init()) {
        std::cout << "Failed to init glfw" << std::endl;
        platform::fatalExit();
    }
    if (!openGameWindow(shell.screenWidth, shell.screenHeight)) {
        std::cout << "Failed to initialize OpenGL window." << std::endl;
        platform::terminate();
        return -1;
    }
    if (!initGlew()) {
        std::cout << "failed to init glew :(" << std::endl;
        platform::fatalExit();
    }
    if (hasOpenGl33()) {
        std::cout << "OPEN GL 3 SUPPORTED YEAH" << std::endl;
    }
    reloadEntryPoints();

    initialize(shell);

    glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
    glViewport(0, 0, shell.screenWidth, shell.screenHeight);
    glEnable(GL_DEPTH_TEST);
    shell.shadowCube = ShadowCubeMap::create();

    FrameLoop loop(shell);
    loop.run();

    shutdown(shell);
    platform::terminate();
    return 0;
}

}  // namespace velmora::app
