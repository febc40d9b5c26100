#pragma once
// The gamepad's sticks as the game reads them: a radial dead zone, so a stick
// at rest that does not quite centre moves nothing, and the rest of the
// travel scaled back to the full range.

#include <optional>

#include <glm/glm.hpp>

namespace velmora::app {

constexpr float kStickDeadZone = 0.2f;

// The stick's push, 0 to 1 long: nothing within the dead zone, then rising
// linearly from its edge to full at the rim, in the stick's direction.
glm::vec2 stickPush(float x, float y);

// The keys' camera-space direction (MoveKeys) plus the left stick's push
// (stick up is ahead, -z). Each axis is kept within -1..1, so keys and stick
// together never push harder than the keys alone at full; empty when neither
// asks for a push.
std::optional<glm::vec3> combinedMoveDirection(const std::optional<glm::vec3>& keys,
                                               const glm::vec2& leftStick);

}  // namespace velmora::app
