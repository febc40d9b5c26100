#include "app/camera/Camera.h"

#include <algorithm>

#include "app/camera/CameraArm.h"
#include "app/input/PadInput.h"
#include "app/shell/ShellState.h"
#include "physics/Physics.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"

namespace velmora::app {

const glm::vec3 mainSphereStart(-1.0f, 0.1f, -24.0f);

namespace {

constexpr float kSteepestLookDown = -85.0f;
constexpr float kLiftStepDegrees = 10.0f;
// The wheel's position that gives the start's zoom: moved on by every reset.

// The arm's direction from the sphere for the angles: the turned +z axis.
glm::vec3 armDirection(float yaw, float pitch) {
    return glm::vec3(orbitCameraMatrix(glm::vec3(0.0f), OrbitAngles{yaw, pitch}, 1.0f)[3]);
}

// The least tilt further down that lets the arm reach past the main sphere:
// whatever stands right behind it, the camera then looks over it.
float neededLift(const Simulation& simulation, glm::vec3 target, const OrbitAngles& angles,
                 float distance, float alpha) {
    const float wanted = std::min(distance, kShortestArm);
    for (float lift = 0.0f;; lift += kLiftStepDegrees) {
        const float pitch = std::max(angles.pitch - lift, kSteepestLookDown);
        const glm::vec3 away = armDirection(angles.yaw, pitch);
        if (clearArmLength(simulation, target, away, distance, alpha) >= wanted) return lift;
        if (pitch <= kSteepestLookDown) return 0.0f;  // nowhere better: stay level
    }
}

// Camera keys turn the view at the cursor edges' rate, like a full stick.
glm::vec2 arrowKeyPush(const FrameInput& input) {
    const auto down = [&input](int key) { return input.keyHeld(key) ? 1.0f : 0.0f; };
    return glm::vec2(down(platform::KEY_RIGHT) - down(platform::KEY_LEFT),
                     down(platform::KEY_DOWN) - down(platform::KEY_UP));
}

glm::vec3 mainSpherePosition(const ShellState& shell) {
    if (shell.renderLogic == nullptr) return mainSphereStart;
    // Where it is drawn this frame, between the last two steps.
    return shell.renderLogic->simulation().spherePosition(MainActorType, shell.renderLogic->drawAlpha);
}

}  // namespace

void updateCamera(double dt, ShellState& shell) {
    CameraState& camera = shell.camera;
    camera.projection = cameraProjection(shell.options.fieldOfView, shell.screenWidth, shell.screenHeight);
    int x = 0;
    int y = 0;
    platform::getMousePos(&x, &y);
    OrbitAngles angles{camera.yaw, camera.pitch};
    // Under an open menu the cursor, the arrows and the pad are the menu's:
    // the scene behind it holds still.
    if (!shell.menu.open) {
        const OrbitFeel feel{static_cast<float>(shell.settings.orbitSpeed), shell.settings.invertTilt};
        orbitByCursor(angles, x, y, shell.screenWidth, shell.screenHeight, dt, feel);
        const platform::GamepadState& pad = shell.input.pad();
        const glm::vec2 push = stickPush(pad.axes[platform::PAD_AXIS_RIGHT_X], pad.axes[platform::PAD_AXIS_RIGHT_Y]) +
                               arrowKeyPush(shell.input);
        orbitByStick(angles, glm::clamp(push, glm::vec2(-1.0f), glm::vec2(1.0f)), dt, feel);
    }
    camera.yaw = angles.yaw;
    camera.pitch = angles.pitch;
    const float distance =
        zoomDistance(platform::getMouseWheel() - shell.session.wheelSpentOnSpeed - camera.zoomWheelOrigin);
    const glm::vec3 target = mainSpherePosition(shell);
    // The keys push as the player turned the camera, whatever the arm does.
    camera.steering = orbitCameraMatrix(target, angles, distance);
    if (shell.renderLogic == nullptr) {
        camera.matrix = camera.steering;
        return;
    }
    const Simulation& simulation = shell.renderLogic->simulation();
    const float alpha = shell.renderLogic->drawAlpha;
    const float lift = camera.arm.followLift(neededLift(simulation, target, angles, distance, alpha), dt);
    const OrbitAngles held{angles.yaw, std::max(angles.pitch - lift, kSteepestLookDown)};
    const float clear =
        clearArmLength(simulation, target, armDirection(held.yaw, held.pitch), distance, alpha);
    camera.matrix = orbitCameraMatrix(target, held, camera.arm.follow(clear, dt));
}

void placeCameraBehindSphere(ShellState& shell) {
    CameraState& camera = shell.camera;
    camera.yaw = 0.0f;
    camera.pitch = 0.0f;
    camera.zoomWheelOrigin = platform::getMouseWheel() - shell.session.wheelSpentOnSpeed;
    camera.arm = CameraArm{};
}

void resetCamera(CameraState& camera) { camera = CameraState{}; }

}  // namespace velmora::app
