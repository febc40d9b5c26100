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

// A four-vertex node is taken as a flat rectangle and never gets a trigger
// volume. Its box reaches as far along each of the node's axes as its
// vertices do (quadExtent: the largest magnitude of each coordinate), times
// the magnitude of the scale, so the unit square with a node scale and a
// plane whose scale was applied to its vertices both collide where they are
// drawn, and a mirrored node (negative scale) still gets a proper box.
CollisionPlan planCollision(const std::string& baseName, std::int32_t vertexCount,
                            const glm::vec3& scale,
                            const glm::vec3& quadExtent = glm::vec3(1.0f, 1.0f, 0.0f));

// How far the vertices reach from the node's origin along each of its axes.
glm::vec3 vertexExtent(const MeshData& mesh);

inline CollisionPlan planCollision(const std::string& baseName, const MeshData& mesh,
                                   const glm::vec3& scale) {
    return planCollision(baseName, mesh.vertexCount, scale,
                         mesh.vertexCount == 4 ? vertexExtent(mesh) : glm::vec3(0.0f));
}

const char* collisionKindName(CollisionKind kind);

}  // namespace velmora
