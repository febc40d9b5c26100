#pragma once
// The geometry and material opacity of one mesh node or one model file, as
// the scene objects upload it and the collision cooking reads it.

#include <cstdint>
#include <vector>

namespace velmora {

struct MeshData {
    std::vector<float> positions;     // x, y, z per vertex
    std::vector<float> normals;       // x, y, z per vertex; empty when the mesh has none
    std::vector<float> texCoords;     // u, v per vertex; empty when the mesh has none
    std::vector<uint32_t> indices;    // three per triangle
    int32_t vertexCount = 0;
    int32_t faceCount = 0;
    float opacity = 1.0f;             // below 1.0 the object is drawn blended, last
};

}  // namespace velmora
