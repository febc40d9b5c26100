#pragma once
// Where a level node lands in the world. Tiles are authored z up; the world
// is y up, so every node is turned by -90 degrees about x and then shifted by
// its tile's offset. The node's scale stays in its own model matrix; rotation
// and position make up the physics pose.

#include <assimp/matrix4x4.h>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace velmora {

struct NodePose {
    glm::vec3 scale{1.0f};       // kept in the object's model matrix
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};  // world rotation (turn included)
    glm::vec3 position{0.0f};    // world position (offset included)

    // A point of the node's own mesh, in world coordinates.
    glm::vec3 toWorld(const glm::vec3& local) const;
};

// The z-up to y-up turn: -90 degrees about x, (x, y, z, w) =
// (-0.70710677, 0, 0, 0.70710677).
glm::quat upAxisRotation();

// A point given in a tile's z-up coordinates, in the world:
// (offset.x + x, offset.y + z, offset.z - y).
glm::vec3 tileToWorld(const glm::vec3& tilePoint, const glm::vec3& tileOffset);

// Splits a node's accumulated transform (the product of its ancestors' and
// its own transforms, the tile root's excluded) into scale, world rotation
// and world position.
NodePose nodePose(const aiMatrix4x4& accumulated, const glm::vec3& tileOffset);

// The model matrix a level object keeps: its scale only.
glm::mat4 nodeLocalMatrix(const NodePose& pose);

}  // namespace velmora
