#pragma once
// W, A, S and D (or the keys the player moved them to) push the main sphere
// relative to where the camera looks.

#include <functional>
#include <optional>

#include <glm/glm.hpp>

#include "app/input/KeyBindings.h"

namespace velmora::app {

// The four keys as they come, as the window layer numbers them (their ASCII letters).
constexpr int kKeyW = 87;
constexpr int kKeyA = 65;
constexpr int kKeyS = 83;
constexpr int kKeyD = 68;

// The keys as a camera-space direction: forward (W) is -z (ahead), back (S)
// +z, left (A) -x, right (D) +x.
// Empty when none of the four is down; keys that cancel out still give a
// (zero) direction, so the sphere still gets its (zero) push.
std::optional<glm::vec3> moveKeyDirection(const std::function<bool(int key)>& isDown,
                                          const KeyBindings& keys = KeyBindings{});

// The push of the keys: their direction turned by the camera's rotation into
// the world, its height dropped, scaled by 1000 per second of dt. W therefore
// pushes along the horizontal part of the viewing direction, which shortens
// as the camera looks further down. The game asks for one step's push (dt
// 1/60 s) and gives it to every step; longer dts than kLongestPushInterval
// count as that long.
glm::vec3 pushForKeys(const glm::vec3& keyDirection, const glm::mat4& cameraMatrix, double dt);

constexpr double kLongestPushInterval = 0.1;

}  // namespace velmora::app
