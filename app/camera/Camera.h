#pragma once
// The player's camera: orbits the main sphere, turned by the cursor near the
// screen edges and zoomed by the wheel. Process-wide, because the frame loop,
// the input (which pushes relative to it) and the renderer all read it.

#include "app/camera/OrbitCamera.h"

namespace velmora::app {

struct ShellState;

extern float cameraYaw;            // degrees about the world's y axis, unbounded
extern float cameraPitch;          // degrees, kept in [-40, 0]
extern glm::mat4 cameraMatrix;     // camera to world, rebuilt by every updateCamera
// Camera to world as the player turned it, before the arm shortens or tilts
// to keep the sphere in view: what the move keys push along.
extern glm::mat4 steeringMatrix;
extern glm::mat4 projectionMatrix; // rebuilt by every updateCamera

// Where the main sphere starts: the camera looks there while no main sphere exists.
extern const glm::vec3 mainSphereStart;

// Rebuilds the projection and the camera matrices from the cursor, the arrow
// keys, the pad, the wheel and the main sphere's position. The camera stands
// on its arm in front of anything solid in the way, and looks down over the
// second sphere when it is right behind the main one. Runs every frame, also
// after the game is won.
void updateCamera(double dt, const ShellState& shell);

// After a restart or a hazard: behind the main sphere, looking where the start
// faces, at the start's zoom and tilt, the arm placed afresh.
void placeCameraBehindSphere(const ShellState& shell);

// First values: level with the sphere, facing -z, six units back.
void resetCamera();

}  // namespace velmora::app
