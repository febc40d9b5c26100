#include "app/input/MoveKeys.h"

#include <algorithm>

namespace velmora::app {

namespace {
constexpr float kPushPerSecond = 1000.0f;
}  // namespace

std::optional<glm::vec3> moveKeyDirection(const std::function<bool(int key)>& isDown,
                                          const KeyBindings& keys) {
    const bool w = isDown(keys.of(KeyAction::forward));
    const bool s = isDown(keys.of(KeyAction::back));
    const bool a = isDown(keys.of(KeyAction::left));
    const bool d = isDown(keys.of(KeyAction::right));
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
