#pragma once
// The orbit camera's maths, free of the window and the world: how the cursor
// near the screen edges turns it, how the wheel sets its distance, and the
// matrices it hands to the renderer.

#include <glm/glm.hpp>

namespace velmora::app {

// Degrees. Yaw turns about the world's y axis and is unbounded; pitch tilts
// about the camera's x axis, negative lifting the camera above the sphere.
struct OrbitAngles {
    float yaw = 0.0f;
    float pitch = 0.0f;
};

constexpr float kHighestPitch = 0.0f;    // level with the sphere
constexpr float kLowestPitch = -40.0f;   // looking down on it
constexpr float kOrbitDegreesPerSecond = 50.0f;

// How the player likes the camera to turn (settings): its rate at the edges
// and at full stick, and whether up tilts it down instead.
struct OrbitFeel {
    float degreesPerSecond = kOrbitDegreesPerSecond;
    bool invertTilt = false;
};

// Turns the angles by the cursor position (window pixels, origin top left,
// y down): left or right of a middle band turns the yaw, above the top band's
// lower edge or below the bottom band's upper edge tilts the pitch. The bands
// scale with the window: on 1280 x 720 the middle band is 400 pixels wide
// and the rows are 100 and 500. The pitch never leaves its range, however
// long the frame.
void orbitByCursor(OrbitAngles& angles, int x, int y, int screenWidth, int screenHeight, double dt,
                   const OrbitFeel& feel = {});

// Turns the angles by the right stick's push (after its dead zone, each axis
// -1..1, y down): at the cursor edges' rate times the push, right turning the
// yaw like the right edge, up lifting the pitch like the top edge. The pitch
// stays in its range.
void orbitByStick(OrbitAngles& angles, const glm::vec2& push, double dt, const OrbitFeel& feel = {});

// The distance from the sphere centre for a wheel position (clicks since
// start-up, towards the sphere positive): 0.3 units a click from 6, kept
// within 2 to 30. The position itself is never clamped, so after turning past
// a limit the same clicks back are needed before the distance moves again.
constexpr float kStartDistance = 6.0f;
float zoomDistance(int wheelPosition);

// Camera to world: stands `distance` behind `target` along the turned +z
// axis and looks at it.
glm::mat4 orbitCameraMatrix(const glm::vec3& target, const OrbitAngles& angles, float distance);

// Perspective of the given vertical field of view (degrees), near 0.1, far 500.
glm::mat4 cameraProjection(float fieldOfViewDegrees, int screenWidth, int screenHeight);

}  // namespace velmora::app
