#include "app/camera/Camera.h"

#include <algorithm>

#include "app/camera/CameraArm.h"
#include "app/input/PadInput.h"
#include "app/shell/ShellState.h"
#include "physics/Physics.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"
#include "world/StateLooks.h"

namespace velmora::app {

const glm::vec3 mainSphereStart(-1.0f, 0.1f, -24.0f);

namespace {

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
    // This frame's steps have already moved the doors' looks on.
    const std::vector<physics::Bounds> slidingDoors = slidingDoorBounds(simulation.world());
    const auto clearFor = [&](const ArmBend& bend) {
        return clearArmLength(simulation, target, armDirection(bentAngles(angles, bend)), distance, alpha,
                              slidingDoors);
    };
    const float wanted = std::min(distance, kComfortableArm);
    camera.arm.wantedBend = clearBend(clearFor, wanted, camera.arm.wantedBend);
    ArmBend bend = camera.arm.followBend(camera.arm.wantedBend, dt);
    float clear = clearFor(bend);
    // Half-way round, the way may be blocked where neither end is: then the
    // camera goes straight to the end it is heading for rather than in close.
    if (clear < std::min(wanted, kShortestArm) && !(bend == camera.arm.wantedBend)) {
        const float there = clearFor(camera.arm.wantedBend);
        if (there > clear) {
            bend = camera.arm.bend = camera.arm.wantedBend;
            clear = there;
        }
    }
    camera.matrix = orbitCameraMatrix(target, bentAngles(angles, bend), camera.arm.follow(clear, dt));
}

void placeCameraBehindSphere(ShellState& shell) {
    // The player's tilt and zoom stay as they were.
    CameraState& camera = shell.camera;
    camera.yaw = camera.startYaw;
    camera.arm = CameraArm{};
}

void faceLevelStart(CameraState& camera, float startYaw) {
    camera.startYaw = startYaw;
    camera.yaw = startYaw;
    camera.arm = CameraArm{};
}

void resetCamera(CameraState& camera) { camera = CameraState{}; }

}  // namespace velmora::app
