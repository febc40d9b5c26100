#include "level/CollisionKind.h"

#include "level/NodeName.h"

#include <algorithm>
#include <cmath>

namespace velmora {

CollisionPlan planCollision(const std::string& baseName, std::int32_t vertexCount,
                            const glm::vec3& scale, const glm::vec3& quadExtent) {
    const glm::vec3 size = glm::abs(scale);
    CollisionPlan plan;
    if (vertexCount == 4) {
        plan.kind = CollisionKind::ThinBox;
        plan.halfExtents = glm::abs(quadExtent) * size;
    } else if (!hasTriggerWord(baseName)) {
        plan.kind = CollisionKind::Mesh;
    } else if (hasSpikesWord(baseName)) {
        plan.kind = CollisionKind::SpikeBox;
        plan.halfExtents = {size.x, size.y, kSpikeHalfHeight};
    } else {
        plan.kind = CollisionKind::TriggerBox;
        plan.halfExtents = size;
    }
    return plan;
}

glm::vec3 vertexExtent(const MeshData& mesh) {
    glm::vec3 extent(0.0f);
    const std::size_t count =
        std::min(mesh.positions.size() / 3, static_cast<std::size_t>(std::max(mesh.vertexCount, 0)));
    for (std::size_t v = 0; v < count; ++v) {
        for (int axis = 0; axis < 3; ++axis) {
            const float reach = std::abs(mesh.positions[3 * v + axis]);
            // A non-finite vertex makes no box; isPlaceable has the scale's say.
            if (std::isfinite(reach)) extent[axis] = std::max(extent[axis], reach);
        }
    }
    return extent;
}

const char* collisionKindName(CollisionKind kind) {
    switch (kind) {
        case CollisionKind::ThinBox: return "thin box";
        case CollisionKind::TriggerBox: return "trigger box";
        case CollisionKind::SpikeBox: return "spike box";
        case CollisionKind::Mesh: break;
    }
    return "mesh";
}

}  // namespace velmora
