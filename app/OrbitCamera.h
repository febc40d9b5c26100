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

// Turns the angles by the cursor position (window pixels, origin top left,
// y down): left or right of a 400-pixel middle band turns the yaw, above row
// 100 or below row 500 tilts the pitch. The pitch never leaves its range,
// however long the frame.
void orbitByCursor(OrbitAngles& angles, int x, int y, int screenWidth, double dt);

// The distance from the sphere centre, set by the wheel. The window layer
// reports the wheel as a position accumulated since start-up; only its
// movement counts here, and the zoom stops at its limits instead of winding
// on, so turning back from past a limit zooms at once.
class ZoomWheel {
public:
    static constexpr float kStartDistance = 6.0f;
    static constexpr float kNearest = 2.0f;
    static constexpr float kFarthest = 30.0f;
    static constexpr float kUnitsPerClick = 0.3f;

    // Takes the wheel position now; returns the distance.
    float follow(int wheelPosition);
    float distance() const;
    // Zoom back to the start distance, counting from this wheel position.
    void reset(int wheelPosition);

private:
    float clicks_ = 0.0f;  // towards the sphere is positive
    int lastPosition_ = 0;
};

// Camera to world: stands `distance` behind `target` along the turned +z
// axis and looks at it.
glm::mat4 orbitCameraMatrix(const glm::vec3& target, const OrbitAngles& angles, float distance);

// Perspective of the given vertical field of view (degrees), near 0.1, far 500.
glm::mat4 cameraProjection(float fieldOfViewDegrees, int screenWidth, int screenHeight);

}  // namespace velmora::app
