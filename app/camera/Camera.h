#pragma once
// The player's camera: orbits the main sphere, turned by the cursor near the
// screen edges and zoomed by the wheel. The shell owns it (ShellState::camera);
// the frame loop, the input (which pushes relative to it), the renderer and
// the sound read it.

#include "app/camera/CameraArm.h"
#include "app/camera/OrbitCamera.h"

namespace velmora::app {

struct ShellState;

// Its first values: level with the sphere, facing -z, six units back.
struct CameraState {
    float yaw = 0.0f;                // degrees about the world's y axis, unbounded
    float pitch = 0.0f;              // degrees, kept in [-40, 0]
    glm::mat4 matrix{1.0f};          // camera to world, rebuilt by every updateCamera
    // Camera to world as the player turned it, before the arm shortens or
    // tilts to keep the sphere in view: what the move keys push along.
    glm::mat4 steering{1.0f};
    glm::mat4 projection{1.0f};      // rebuilt by every updateCamera
    CameraArm arm;
    int zoomWheelOrigin = 0;  // the wheel's position that stands for the start's zoom
};

// Where the main sphere starts: the camera looks there while no main sphere exists.
extern const glm::vec3 mainSphereStart;

// Rebuilds the projection and the camera matrices from the cursor, the arrow
// keys, the pad, the wheel and the main sphere's position. The camera stands
// on its arm in front of anything solid in the way, and looks down over the
// second sphere when it is right behind the main one. Runs every frame, also
// after the game is won.
void updateCamera(double dt, ShellState& shell);

// After a restart or a hazard: behind the main sphere, looking where the start
// faces, at the start's zoom and tilt, the arm placed afresh.
void placeCameraBehindSphere(ShellState& shell);

// Back to its first values.
void resetCamera(CameraState& camera);

}  // namespace velmora::app
