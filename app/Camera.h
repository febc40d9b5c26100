#pragma once
// The player's camera: orbits the main sphere, turned by the cursor near the
// screen edges and zoomed by the wheel. Process-wide, because the frame loop,
// the input (which pushes relative to it) and the renderer all read it.

#include "app/OrbitCamera.h"

namespace velmora::app {

struct ShellState;

extern float cameraYaw;            // degrees about the world's y axis, unbounded
extern float cameraPitch;          // degrees, kept in [-40, 0]
extern glm::mat4 cameraMatrix;     // camera to world, rebuilt by every updateCamera
extern glm::mat4 projectionMatrix; // rebuilt by every updateCamera

// Where the main sphere starts: the camera looks there while no main sphere exists.
extern const glm::vec3 mainSphereStart;

// Rebuilds the projection and the camera matrix from the cursor, the wheel and
// the main sphere's position. Runs every frame, also after the game is won.
void updateCamera(double dt, const ShellState& shell);

// First values: level with the sphere, facing -z, six units back.
void resetCamera();

}  // namespace velmora::app
