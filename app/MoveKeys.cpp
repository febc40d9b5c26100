#include "app/MoveKeys.h"

#include <algorithm>

namespace velmora::app {

namespace {
constexpr float kPushPerSecond = 1000.0f;
}  // namespace

std::optional<glm::vec3> moveKeyDirection(const std::function<bool(int key)>& isDown) {
    const bool w = isDown(kKeyW);
    const bool s = isDown(kKeyS);
    const bool a = isDown(kKeyA);
    const bool d = isDown(kKeyD);
    if (!(w || s || a || d)) {
        return std::nullopt;
    }
    glm::vec3 direction(0.0f);
    if (w) direction.z -= 1.0f;
    if (s) direction.z += 1.0f;
    if (a) direction.x -= 1.0f;
    if (d) direction.x += 1.0f;
    return direction;
}

glm::vec3 pushForKeys(const glm::vec3& keyDirection, const glm::mat4& cameraMatrix, double dt) {
    // A direction (w = 0): the camera's position plays no part.
    const glm::vec4 world = cameraMatrix * glm::vec4(keyDirection, 0.0f);
    const float scale = static_cast<float>(std::min(dt, kLongestPushInterval)) * kPushPerSecond;
    return glm::vec3(world.x * scale, 0.0f, world.z * scale);
}

}  // namespace velmora::app
