#pragma once
// Which static collision a level node gets, decided from its base name, its
// vertex count and its scale alone, so the collision cooking and the level
// checker agree on it.

#include "level/MeshData.h"

#include <glm/glm.hpp>

#include <string>

namespace velmora {

enum class CollisionKind {
    ThinBox,     // exactly four vertices: a flat rectangle, solid box only
    Mesh,        // solid triangle mesh only
    TriggerBox,  // solid triangle mesh plus a trigger box following the scale
    SpikeBox,    // solid triangle mesh plus a trigger box 0.55 high either side
};

// The spike volume reaches this far above and below the node's origin along
// its own up axis, whatever its scale, so a sphere rolling onto low spikes
// sinks into it.
constexpr float kSpikeHalfHeight = 0.55f;

struct CollisionPlan {
    CollisionKind kind = CollisionKind::Mesh;
    // ThinBox: the solid box. TriggerBox / SpikeBox: the trigger volume.
    // Along the node's own axes (z is the tile's up axis).
    glm::vec3 halfExtents{0.0f};

    bool hasTriggerVolume() const {
        return kind == CollisionKind::TriggerBox || kind == CollisionKind::SpikeBox;
    }
};

// A four-vertex node is taken as a flat rectangle of the unit square scaled
// by its node scale, whatever its true vertices, and never gets a trigger
// volume. Extents are the magnitudes of the scale: a mirrored node (negative
// scale) still gets a proper box.
CollisionPlan planCollision(const std::string& baseName, std::int32_t vertexCount,
                            const glm::vec3& scale);

inline CollisionPlan planCollision(const std::string& baseName, const MeshData& mesh,
                                   const glm::vec3& scale) {
    return planCollision(baseName, mesh.vertexCount, scale);
}

const char* collisionKindName(CollisionKind kind);

}  // namespace velmora
