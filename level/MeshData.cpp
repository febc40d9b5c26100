#include "level/MeshData.h"

#include "level/DefaultMaterial.h"

#include <assimp/material.h>
#include <assimp/mesh.h>
#include <assimp/scene.h>

namespace velmora {

namespace {

// Triangulated polygons come flagged as triangles plus the importer's n-gon
// marker, and a mesh read without sorting may mix points and lines in; any
// mesh holding triangles is kept, and appendMesh takes its triangles only.
bool holdsTriangles(const aiMesh& mesh) {
    return (mesh.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) != 0 && mesh.mNormals != nullptr;
}

float readOpacity(const aiMesh* first, const aiMaterial* const* materials,
                  unsigned materialCount) {
    float opacity = 1.0f;
    if (first == nullptr || materials == nullptr || first->mMaterialIndex >= materialCount) {
        return opacity;
    }
    // Whatever its number: which number a material gets depends only on how
    // the file names it. The default material stands for none.
    const aiMaterial* material = materials[first->mMaterialIndex];
    if (material == nullptr || isDefaultMaterial(*material)) return opacity;
    unsigned count = 1;
    aiGetMaterialFloatArray(material, AI_MATKEY_OPACITY, &opacity, &count);
    return opacity;
}

void appendMesh(const aiMesh& mesh, MeshData& data) {
    const auto base = static_cast<std::uint32_t>(data.vertexCount);
    const aiVector3D* uvs = mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0] : nullptr;
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
        const aiVector3D& p = mesh.mVertices[v];
        const aiVector3D& n = mesh.mNormals[v];
        data.positions.insert(data.positions.end(), {p.x, p.y, p.z});
        data.normals.insert(data.normals.end(), {n.x, n.y, n.z});
        if (uvs != nullptr) {
            data.texCoords.insert(data.texCoords.end(), {uvs[v].x, uvs[v].y});
        } else {
            data.texCoords.insert(data.texCoords.end(), {0.0f, 0.0f});
        }
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3) continue;  // a point or line face
        for (unsigned i = 0; i < 3; ++i) data.indices.push_back(base + face.mIndices[i]);
        ++data.faceCount;
    }
    data.vertexCount += static_cast<std::int32_t>(mesh.mNumVertices);
}

}  // namespace

std::unique_ptr<MeshData> buildMeshData(const aiMesh* const* meshes, unsigned meshCount,
                                        const aiMaterial* const* materials,
                                        unsigned materialCount) {
    auto data = std::make_unique<MeshData>();
    for (unsigned m = 0; m < meshCount; ++m) {
        if (meshes[m] != nullptr && holdsTriangles(*meshes[m])) appendMesh(*meshes[m], *data);
    }
    data->opacity = readOpacity(meshCount > 0 ? meshes[0] : nullptr, materials, materialCount);
    return data;
}

std::unique_ptr<MeshData> buildNodeMeshData(const aiScene& scene, const aiNode& node) {
    std::vector<const aiMesh*> meshes;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        if (node.mMeshes[i] < scene.mNumMeshes) meshes.push_back(scene.mMeshes[node.mMeshes[i]]);
    }
    return buildMeshData(meshes.data(), static_cast<unsigned>(meshes.size()), scene.mMaterials,
                         scene.mNumMaterials);
}

}  // namespace velmora
