#include "app/FrameLoop.h"

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/Camera.h"
#include "app/Hud.h"
#include "app/PlayerInput.h"
#include "app/PlaySession.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/PassProbe.h"
#include "render/RenderOptions.h"
#include "render/ShaderProgram.h"
#include "world/MillBodies.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "world/SceneObject.h"

namespace velmora::app {

namespace {
constexpr int kKeyQ = 81;
constexpr float kMillDegreesPerSecond = 200.0f;
}  // namespace

bool FrameLoop::runFrame() {
    const double dt = updateFrame();
    drawFrame(dt);
    return !exitRequested();
}

double FrameLoop::updateFrame() {
    const double now = platform::getTime();
    const double dt = now - previousTime_;
    lastInterval_ = dt;
    previousTime_ = now;

    updateSession(shell_);
    // Paused: no step starts, so nothing moves and the run's clock stands.
    if (!shell_.session.paused) stepPhysics();
    // Also after the goal: the camera keeps following the main sphere.
    updateCamera(dt, shell_);
    if (shell_.renderLogic->gameRunning) {
        if (shell_.session.paused) {
            updateOptionKeys(dt, shell_);
        } else {
            updateInput(dt, shell_);
            turnMill(dt);
        }
    } else {
        if (!gameWon) finishRun(shell_.session);
        gameWon = true;  // input, option keys and the mill stay frozen until a restart
    }
    return dt;
}

void FrameLoop::drawFrame(double dt) {
    renderShadowFaces(dt);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glCullFace(GL_BACK);
    renderScenePass(dt);
    // Into the scene target still, so the text is blurred with the scene.
    drawHud(dt, shell_);
    passDone("HUD");
    postProcess();
    present();
    passDone("swap");
}

void FrameLoop::run() {
    while (runFrame()) {
    }
}

void FrameLoop::stepPhysics() {
    if (fixedStep_.advance()) {
        // A step that reaches the goal still counts to the run's time.
        if (shell_.renderLogic->gameRunning) ++shell_.session.runSteps;
        physicsScene->simulate(FixedStep::step);
        ++stepsStarted_;
    }
    // Every frame, also one that started no step: trigger reports arrive here.
    physicsScene->fetchResults(true);
}

void FrameLoop::turnMill(double dt) {
    scene::SceneObject* mill =
        scene::SceneObject::findByName("mill", shell_.objectRegistry->mainWorld()->root);
    if (mill == nullptr) {
        return;
    }
    const glm::mat4 rotation =
        glm::rotate(glm::mat4(1.0f), glm::radians(static_cast<float>(dt) * kMillDegreesPerSecond),
                    glm::vec3(0.0f, 1.0f, 0.0f));
    mill->transform(true, rotation);
    // Its parts collide where they are drawn: their bodies take the turn over.
    moveMillBodies(*mill);
}

void FrameLoop::renderShadowFaces(double dt) {
    shell_.shadowCube.beginPass();
    for (int face = 0; face < 6; ++face) {
        // Cleared unless what it holds or gets back is still right, so with
        // shadows off the map holds the far depth.
        if (shell_.renderLogic->shadowFaceNeedsClear(face, shadowsEnabled)) {
            shell_.shadowCube.attachAndClearFace(face);
        } else {
            shell_.shadowCube.attachFace(face);
        }
        passDone("shadow face clears");
        if (shadowsEnabled) {
            shell_.renderLogic->renderScene(true, cameraMatrix, projectionMatrix, dt);
        }
    }
}

void FrameLoop::renderScenePass(double dt) {
    glBindFramebuffer(GL_FRAMEBUFFER, shell_.sceneTarget.framebuffer->name());
    glViewport(0, 0, shell_.screenWidth, shell_.screenHeight);
    const GLenum both[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shell_.renderLogic->renderScene(false, cameraMatrix, projectionMatrix, dt);
}

void FrameLoop::postProcess() {
    glUseProgram(shell_.blurProgram->program);
    // The next scene pass must bind its own program again.
    shell_.renderLogic->currentProgram = nullptr;
    blurAndCompose(shell_.blurSetup());
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
