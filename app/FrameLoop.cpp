#include "app/FrameLoop.h"

#include <GL/glew.h>

#include "app/ShellState.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {
constexpr int kKeyQ = 81;
}

bool FrameLoop::runFrame() {
    const double now = platform::getTime();
    lastInterval_ = now - previousTime_;
    previousTime_ = now;

    stepPhysics();
    renderShadowFaces();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glCullFace(GL_BACK);
    renderScenePass();
    present();
    return !exitRequested();
}

void FrameLoop::run() {
    while (runFrame()) {
    }
}

void FrameLoop::stepPhysics() {
    if (fixedStep_.advance()) {
        ++stepsStarted_;
    }
}

void FrameLoop::renderShadowFaces() {
    shell_.shadowCube.beginPass();
    for (int face = 0; face < 6; ++face) {
        // Cleared every frame, so with shadows off the map holds the far depth.
        shell_.shadowCube.attachAndClearFace(face);
    }
}

void FrameLoop::renderScenePass() {
    glViewport(0, 0, shell_.screenWidth, shell_.screenHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void FrameLoop::present() {
    platform::swapBuffers();
    // Only drains pending errors; nothing is reported.
    if (glGetError() != GL_NO_ERROR) {
        glGetError();
    }
}

bool FrameLoop::exitRequested() {
    return platform::getKey(platform::KEY_ESC) != platform::RELEASE ||
           platform::getKey(kKeyQ) != platform::RELEASE ||
           platform::getWindowParam(platform::OPENED) == 0;
}

}  // namespace velmora::app
