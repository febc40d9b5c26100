#pragma once
// Whether a trigger's volume covers what is drawn of it. The volume is a box
// of the node's scale around its origin, whatever the vertices, so a trigger
// whose scale went into its vertices, or whose modifiers were left out of the
// export, reacts somewhere else than it is seen.

#include "level/LevelCheck.h"
#include "level/MeshData.h"

#include <string>

namespace velmora {

// The bounds of the mesh along the node's own axes, times its scale.
void nodeBounds(const MeshData& mesh, const glm::vec3& scale, glm::vec3& lo, glm::vec3& hi);

// Empty when the volume and the geometry agree across the ground (the node's
// x and y; height is the volume's own business: a switch's reaches above
// it on purpose); otherwise the checker's warning.
std::string triggerMisfit(const CheckedNode& node);

}  // namespace velmora
