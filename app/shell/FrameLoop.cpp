#include "app/shell/FrameLoop.h"

#include <GL/glew.h>

#include <algorithm>

#include "app/camera/Camera.h"
#include "app/play/EventFeedback.h"
#include "app/hud/Hud.h"
#include "app/play/LevelSwitching.h"
#include "app/menu/MenuDraw.h"
#include "app/input/PlayerInput.h"
#include "app/play/ReplayControls.h"
#include "app/hud/ScreenOverlay.h"
#include "app/play/RunArchive.h"
#include "app/play/PlaySession.h"
#include "app/shell/RenderScaleControl.h"
#include "app/shell/ShellState.h"
#include "app/shell/WindowMode.h"
#include "app/sound/SoundControls.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "render/PassProbe.h"
#include "render/ShaderProgram.h"
#include "world/RenderLogic.h"
#include "sim/RunClock.h"

namespace velmora::app {

namespace {
constexpr int kKeyQ = 81;
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
    followFrameTime(shell_, dt);

    // The presses since the last frame, in order; each of the controls below
    // takes those it answers to, the pause menu (and its key prompt) first.
    shell_.input.beginFrame(platform::takeInputEvents(), platform::getGamepad());
    updateWindowMode(shell_);
    updatePauseMenu(shell_);
    updateSession(shell_);
    updateLevelKeys(shell_);
    if (shell_.levelChanged) {
        // Another level's loading is no game time either.
        shell_.levelChanged = false;
        clock_ = FrameClock{};
        started_ = false;
    }
    updateReplayControls(shell_);
    updateSound(shell_);
    // Paused: no step starts and no time piles up, so nothing moves and the
    // run's clock stands. The first frame's interval is the loading, which
    // is no game time. A run shown again goes at the speed chosen for it.
    const double speed = shell_.session.watching ? replaySpeedFactor(shell_.session.replaySpeed) : 1.0;
    // The level's card and flight are no game time either.
    const bool introShown = shell_.intro.active;
    advanceLevelIntro(shell_.intro, dt);
    if (!shell_.session.paused && !introShown) runSteps(clock_.advance(started_ ? dt * speed : 0.0));
    started_ = true;
    shell_.renderLogic->drawAlpha = clock_.alpha();
    placeGhost();
    // Also after the goal: the camera keeps following the main sphere.
    updateCamera(dt, shell_);
    shell_.camera.matrix = introCamera(shell_.intro, shell_.camera.matrix);
    followSound(shell_);
    if (shell_.renderLogic->gameRunning()) {
        updateOptionKeys(dt, shell_);
    } else {
        if (!shell_.options.gameWon) {
            finishRun(shell_.session);
            if (!shell_.session.watching) archiveFinishedRun(shell_.archive);
        }
        shell_.options.gameWon = true;  // input, option keys and the mill stay frozen until a restart
    }
    return dt;
}

void FrameLoop::runSteps(int steps) {
    Simulation& simulation = *shell_.simulation;
    const bool watching = shell_.session.watching;
    // One reading of the devices for the frame, also for a frame that runs
    // no step (a click must not be lost at 144 Hz); each step gets it. A run
    // shown again has its own input for every step.
    StepInput input = simulation.won() || watching ? StepInput{} : readStepInput(shell_);
    for (int i = 0; i < steps; ++i) {
        if (watching && !nextWatchedInput(shell_, input)) break;
        // A step that reaches the goal still counts to the run's time.
        if (!simulation.won()) {
            ++shell_.session.runSteps;
            PlaySession& session = shell_.session;
            if (session.timedSteps > 0 || startsRunClock(input)) ++session.timedSteps;
        }
        simulation.step(input);
        if (!watching) shell_.archive.recorder.record(input, simulation);
        ++stepsStarted_;
    }
    const std::vector<SimulationEvent> events = simulation.takeEvents();
    reactToEvents(events, shell_);
    shell_.renderLogic->showEvents(events);
    hearEvents(shell_, events);
}

void FrameLoop::drawFrame(double dt) {
    renderShadowFaces(dt);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glCullFace(GL_BACK);
    renderScenePass(dt);
    postProcess(dt);
    // Over the finished picture, at the window's own pixels: the text stays
    // sharp at any render scale.
    drawHud(dt, shell_);
    passDone("HUD");
    drawPauseMenu(shell_);
    passDone("menu");
    present();
    passDone("swap");
}

void FrameLoop::run() {
    while (runFrame()) {
    }
}

void FrameLoop::placeGhost() {
    // Where the best run's main sphere was at this step of the run, drawn
    // between its last two steps as the spheres are.
    std::optional<glm::vec3>& ghost = shell_.renderLogic->ghostPosition;
    ghost.reset();
    const std::vector<glm::vec3>& path = shell_.archive.ghostPath;
    if (!shell_.session.showGhost || shell_.session.watching || path.empty()) return;
    const long last = static_cast<long>(path.size()) - 1;
    const long steps = shell_.session.runSteps;
    const glm::vec3 now = path[std::clamp(steps - 1, 0L, last)];
    const glm::vec3 before = path[std::clamp(steps - 2, 0L, last)];
    ghost = glm::mix(before, now, shell_.renderLogic->drawAlpha);
}

void FrameLoop::renderShadowFaces(double dt) {
    shell_.shadowCube.beginPass();
    const bool shadows = shell_.options.render.shadowsEnabled;
    for (int face = 0; face < 6; ++face) {
        // Cleared unless what it holds or gets back is still right, so with
        // shadows off the map holds the far depth.
        if (shell_.renderLogic->shadowFaceNeedsClear(face, shadows)) {
            shell_.shadowCube.attachAndClearFace(face);
        } else {
            shell_.shadowCube.attachFace(face);
        }
        passDone("shadow face clears");
        if (shadows) {
            shell_.renderLogic->renderScene(true, shell_.camera.matrix, shell_.camera.projection, dt);
        }
    }
}

void FrameLoop::renderScenePass(double dt) {
    glBindFramebuffer(GL_FRAMEBUFFER, shell_.sceneTarget.framebuffer->name());
    glViewport(0, 0, shell_.sceneWidth, shell_.sceneHeight);
    // Only the colour the post-process reads: the second output is neither
    // cleared nor written, a screenful of memory less each frame.
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shell_.renderLogic->renderScene(false, shell_.camera.matrix, shell_.camera.projection, dt);
}

void FrameLoop::postProcess(double dt) {
    glUseProgram(shell_.blurProgram->program);
    const glm::vec4 overlay = screenOverlay(dt, shell_.options.gameWon);
    glUniform4f(shell_.blurProgram->uniformLocation("overlay"), overlay.r, overlay.g, overlay.b, overlay.a);
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

bool FrameLoop::exitRequested() const {
    // Escape and Q quit when nothing open took them: in a menu Escape goes
    // back, and the key prompt refuses Q.
    const FrameInput& input = shell_.input;
    return shell_.quitRequested || input.count(PressSource::key, platform::KEY_ESC) > 0 ||
           input.count(PressSource::key, kKeyQ) > 0 || platform::getWindowParam(platform::OPENED) == 0;
}

}  // namespace velmora::app
