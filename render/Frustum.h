#pragma once
// View-frustum culling on world-space boxes. Pure maths, no GL: the scene
// renderer extracts the planes once per scene pass and tests every shape.

#include <array>

#include <glm/glm.hpp>

namespace velmora {

// Six planes (a, b, c, d) in the order left, right, bottom, top, near, far.
// A point p is inside a plane when a*p.x + b*p.y + c*p.z + d >= 0; (a, b, c)
// is normalised, so that value is a signed distance.
using FrustumPlanes = std::array<glm::vec4, 6>;

// Planes of the frustum described by a projection x view matrix.
FrustumPlanes extractFrustumPlanes(const glm::mat4& viewProjection);

// False only when the box lies wholly outside one of the planes. A box that
// straddles a plane counts as visible, so the test never drops a shape that
// shows even a sliver. The corners may come in either order.
bool boxInFrustum(const FrustumPlanes& planes, const glm::vec3& cornerA, const glm::vec3& cornerB);

}  // namespace velmora
