#include "level/TriggerFit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace velmora {

namespace {

// A volume edge may sit this far from the geometry's edge, and no warning:
// at least kSlack metres, or a quarter of the volume's size along that axis.
constexpr float kSlack = 0.25f;
constexpr float kSlackShare = 0.25f;

}  // namespace

void nodeBounds(const MeshData& mesh, const glm::vec3& scale, glm::vec3& lo, glm::vec3& hi) {
    lo = glm::vec3(std::numeric_limits<float>::max());
    hi = -lo;
    const std::size_t count =
        std::min(mesh.positions.size() / 3, static_cast<std::size_t>(std::max(mesh.vertexCount, 0)));
    for (std::size_t v = 0; v < count; ++v) {
        const glm::vec3 local(mesh.positions[3 * v], mesh.positions[3 * v + 1],
                              mesh.positions[3 * v + 2]);
        lo = glm::min(lo, local * scale);
        hi = glm::max(hi, local * scale);
    }
    if (count == 0) lo = hi = glm::vec3(0.0f);
}

std::string triggerMisfit(const CheckedNode& node) {
    const glm::vec3 half = glm::abs(node.collision.halfExtents);
    for (int axis = 0; axis < 2; ++axis) {
        const float slack = std::max(kSlack, kSlackShare * 2.0f * half[axis]);
        const float drawnBeyond = std::max(node.nodeMax[axis] - half[axis], -half[axis] - node.nodeMin[axis]);
        const float volumeBeyond = std::max(half[axis] - node.nodeMax[axis], node.nodeMin[axis] + half[axis]);
        if (!(drawnBeyond > slack || volumeBeyond > slack)) continue;
        std::ostringstream message;
        message << "trigger volume reaches " << -half[axis] << " to " << half[axis] << " along its "
                << (axis == 0 ? 'x' : 'y') << ", its drawn geometry " << node.nodeMin[axis]
                << " to " << node.nodeMax[axis]
                << ": the volume is the node's scale around its origin (keep a trigger's scale "
                   "on the node, and export with modifiers applied)";
        return message.str();
    }
    return "";
}

}  // namespace velmora
