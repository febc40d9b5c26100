#include "app/Camera.h"

#include "app/PadInput.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "physics/Physics.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"

namespace velmora::app {

float cameraYaw = 0.0f;
float cameraPitch = 0.0f;
glm::mat4 cameraMatrix(1.0f);
glm::mat4 projectionMatrix(1.0f);
const glm::vec3 mainSphereStart(-1.0f, 0.1f, -24.0f);

namespace {

glm::vec3 mainSpherePosition(const ShellState& shell) {
    if (shell.renderLogic == nullptr) return mainSphereStart;
    // Where it is drawn this frame, between the last two steps.
    return shell.renderLogic->simulation().spherePosition(MainActorType, shell.renderLogic->drawAlpha);
}

}  // namespace

void updateCamera(double dt, const ShellState& shell) {
    projectionMatrix = cameraProjection(fieldOfView, shell.screenWidth, shell.screenHeight);
    int x = 0;
    int y = 0;
    platform::getMousePos(&x, &y);
    OrbitAngles angles{cameraYaw, cameraPitch};
    const OrbitFeel feel{static_cast<float>(shell.settings.orbitSpeed), shell.settings.invertTilt};
    orbitByCursor(angles, x, y, shell.screenWidth, shell.screenHeight, dt, feel);
    const platform::GamepadState pad = platform::getGamepad();
    orbitByStick(angles,
                 stickPush(pad.axes[platform::PAD_AXIS_RIGHT_X], pad.axes[platform::PAD_AXIS_RIGHT_Y]),
                 dt, feel);
    cameraYaw = angles.yaw;
    cameraPitch = angles.pitch;
    const float distance = zoomDistance(platform::getMouseWheel() - shell.session.wheelSpentOnSpeed);
    cameraMatrix = orbitCameraMatrix(mainSpherePosition(shell), angles, distance);
}

void resetCamera() {
    cameraYaw = 0.0f;
    cameraPitch = 0.0f;
    cameraMatrix = glm::mat4(1.0f);
    projectionMatrix = glm::mat4(1.0f);
}

}  // namespace velmora::app
