#include "level/CollisionKind.h"

#include "level/NodeName.h"

namespace velmora {

CollisionPlan planCollision(const std::string& baseName, std::int32_t vertexCount,
                            const glm::vec3& scale) {
    const glm::vec3 size = glm::abs(scale);
    CollisionPlan plan;
    if (vertexCount == 4) {
        plan.kind = CollisionKind::ThinBox;
        plan.halfExtents = {size.x, size.y, 0.0f};
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
