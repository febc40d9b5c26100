#include "app/input/PadInput.h"

#include <algorithm>
#include <cmath>

namespace velmora::app {

glm::vec2 stickPush(float x, float y) {
    const glm::vec2 stick(x, y);
    const float length = glm::length(stick);
    // Also rejects NaN from a pad that reports garbage.
    if (!(length > kStickDeadZone)) {
        return glm::vec2(0.0f);
    }
    const float scaled = std::min((length - kStickDeadZone) / (1.0f - kStickDeadZone), 1.0f);
    return stick / length * scaled;
}

std::optional<glm::vec3> combinedMoveDirection(const std::optional<glm::vec3>& keys,
                                               const glm::vec2& leftStick) {
    const bool stickPushed = leftStick.x != 0.0f || leftStick.y != 0.0f;
    if (!keys && !stickPushed) {
        return std::nullopt;
    }
    glm::vec3 direction = keys.value_or(glm::vec3(0.0f));
    direction.x = std::clamp(direction.x + leftStick.x, -1.0f, 1.0f);
    direction.z = std::clamp(direction.z + leftStick.y, -1.0f, 1.0f);
    return direction;
}

}  // namespace velmora::app
