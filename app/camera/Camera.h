#pragma once
// The player's camera: orbits the main sphere, turned by the cursor near the
// screen edges and zoomed by the wheel. The shell owns it (ShellState::camera);
// the frame loop, the input (which pushes relative to it), the renderer and
// the sound read it.

#include "app/camera/CameraArm.h"
#include "app/camera/OrbitCamera.h"

namespace velmora::app {

struct ShellState;

// The tilt the game starts with: looking down on the sphere and ahead.
constexpr float kStartPitch = -30.0f;

// Its first values: looking down on the sphere, facing -z, six units back.
struct CameraState {
    float yaw = 0.0f;                // degrees about the world's y axis, unbounded
    float pitch = kStartPitch;       // degrees, kept in [-40, 0]
    float startYaw = 0.0f;           // where the level's start faces
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
// keys, the pad, the wheel and the main sphere's position, where it is drawn.
// Where something solid or the second sphere stands close behind the sphere,
// the camera swings round or rises over it (ArmBend); what is still in the
// way, it stands in front of. It is never inside a sphere or a wall, at any
// frame rate. Runs every frame, also after the game is won.
void updateCamera(double dt, ShellState& shell);

// After a restart or a hazard: behind the main sphere, looking where the start
// faces, the arm placed afresh; the player's tilt and zoom are kept.
void placeCameraBehindSphere(ShellState& shell);

// A level begins: the camera looks where its start faces (yaw in degrees),
// the player's tilt and zoom kept from the level before.
void faceLevelStart(CameraState& camera, float startYaw);

// Back to its first values (a new game).
void resetCamera(CameraState& camera);

}  // namespace velmora::app
