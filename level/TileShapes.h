#pragma once
// The geometry of the shapes a tile description can place.

#include "level/TileDescription.h"

#include <cstdint>
#include <vector>

namespace velmora {

struct ShapeMesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> texCoords;
    std::vector<std::uint32_t> indices;  // three per triangle
};

// The node's shape with its extent baked in. Texture coordinates repeat once
// per two metres of the node's final size, so a stretched floor does not
// stretch its texture; a pad shows its texture once across its face. Corners shared by two triangles agree in position,
// normal and texture coordinate, so a quad stays four vertices after import.
ShapeMesh buildShapeMesh(const TileNode& node);

}  // namespace velmora
