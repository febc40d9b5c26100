#pragma once
// W, A, S and D push the main sphere relative to where the camera looks.

#include <functional>
#include <optional>

#include <glm/glm.hpp>

namespace velmora::app {

// The four keys, as the window layer numbers them (their ASCII letters).
constexpr int kKeyW = 87;
constexpr int kKeyA = 65;
constexpr int kKeyS = 83;
constexpr int kKeyD = 68;

// The keys as a camera-space direction: W is -z (ahead), S +z, A -x, D +x.
// Empty when none of the four is down; keys that cancel out still give a
// (zero) direction, so the sphere still gets its (zero) push.
std::optional<glm::vec3> moveKeyDirection(const std::function<bool(int key)>& isDown);

// The push for pushMainSphere: the key direction turned by the camera's
// rotation into the world, its height dropped, scaled by 1000 per second of
// frame. W therefore pushes along the horizontal part of the viewing
// direction, which shortens as the camera looks further down.
//
// The physics advances one fixed step per frame however long the frame was,
// so a long frame's push all lands in one step. Frames longer than
// kLongestPushInterval push as if they had lasted that long: the start-up
// frame or a stall would otherwise fire the sphere through the walls.
glm::vec3 pushForKeys(const glm::vec3& keyDirection, const glm::mat4& cameraMatrix, double dt);

constexpr double kLongestPushInterval = 0.1;

}  // namespace velmora::app
