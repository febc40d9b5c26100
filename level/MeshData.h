#pragma once
// Geometry of one level node (or of one model file) in the flat layout the
// renderer uploads and the collision cooking reads.

#include <cstdint>
#include <memory>
#include <vector>

struct aiMesh;
struct aiMaterial;
struct aiNode;
struct aiScene;

namespace velmora {

struct MeshData {
    std::vector<float> positions;       // x, y, z per vertex
    std::vector<float> normals;         // x, y, z per vertex
    std::vector<float> texCoords;       // u, v per vertex (zeros where a mesh has none)
    std::vector<std::uint32_t> indices; // three per triangle, into the joined arrays
    std::int32_t vertexCount = 0;
    std::int32_t faceCount = 0;
    float opacity = 1.0f;               // below 1.0 means drawn in the blended pass
};

// Joins the triangles of the meshes into one record, whatever else a mesh's
// primitive flags say. Meshes of points or lines only (which carry no
// normals) are left out, and so are the point and line faces of a mixed mesh. Each later
// mesh's indices are offset by the vertices before it, so every index
// addresses the joined arrays. The opacity comes from the first mesh's
// material, whatever its index; the default material (a mesh without one in
// its file, see DefaultMaterial.h) and a material without opacity give 1.0.
std::unique_ptr<MeshData> buildMeshData(const aiMesh* const* meshes, unsigned meshCount,
                                        const aiMaterial* const* materials,
                                        unsigned materialCount);

// The meshes a scene node refers to, joined as above.
std::unique_ptr<MeshData> buildNodeMeshData(const aiScene& scene, const aiNode& node);

// True when the record will be drawn in the blended pass.
inline bool isTransparent(const MeshData& mesh) { return mesh.opacity < 1.0f; }

}  // namespace velmora
