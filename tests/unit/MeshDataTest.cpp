#include <gtest/gtest.h>

#include "level/MeshData.h"

#include <assimp/material.h>
#include <assimp/mesh.h>

#include <memory>

using namespace velmora;

namespace {

// A triangle mesh of `triangles` separate triangles, as the importer hands
// them over (normals always, texture coordinates optional).
std::unique_ptr<aiMesh> triangleMesh(unsigned triangles, bool withUvs, unsigned material = 0) {
    auto mesh = std::make_unique<aiMesh>();
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = triangles * 3;
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    mesh->mNormals = new aiVector3D[mesh->mNumVertices];
    if (withUvs) {
        mesh->mTextureCoords[0] = new aiVector3D[mesh->mNumVertices];
        mesh->mNumUVComponents[0] = 2;
    }
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
        const float f = static_cast<float>(v);
        mesh->mVertices[v] = aiVector3D(f, f + 0.5f, -f);
        mesh->mNormals[v] = aiVector3D(0, 0, 1);
        if (withUvs) mesh->mTextureCoords[0][v] = aiVector3D(0.25f * f, 0.5f, 0.0f);
    }
    mesh->mNumFaces = triangles;
    mesh->mFaces = new aiFace[triangles];
    for (unsigned f = 0; f < triangles; ++f) {
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
    }
    mesh->mMaterialIndex = material;
    return mesh;
}

std::unique_ptr<aiMesh> pointMesh(unsigned points) {
    auto mesh = std::make_unique<aiMesh>();
    mesh->mPrimitiveTypes = aiPrimitiveType_POINT;
    mesh->mNumVertices = points;
    mesh->mVertices = new aiVector3D[points];
    mesh->mNumFaces = points;
    mesh->mFaces = new aiFace[points];
    for (unsigned f = 0; f < points; ++f) {
        mesh->mFaces[f].mNumIndices = 1;
        mesh->mFaces[f].mIndices = new unsigned[1]{f};
    }
    return mesh;
}

std::unique_ptr<aiMaterial> materialWithOpacity(float opacity) {
    auto material = std::make_unique<aiMaterial>();
    material->AddProperty(&opacity, 1, AI_MATKEY_OPACITY);
    return material;
}

}  // namespace

TEST(MeshData, JoinsMeshesSoEveryIndexAddressesTheJoinedArrays) {
    const auto first = triangleMesh(2, true);
    const auto second = triangleMesh(1, true);
    const aiMesh* meshes[] = {first.get(), second.get()};
    const auto data = buildMeshData(meshes, 2, nullptr, 0);
    ASSERT_EQ(data->vertexCount, 9);
    ASSERT_EQ(data->faceCount, 3);
    EXPECT_EQ(data->positions.size(), 27u);
    EXPECT_EQ(data->normals.size(), 27u);
    EXPECT_EQ(data->texCoords.size(), 18u);
    // The second mesh's triangle follows the first mesh's six vertices.
    EXPECT_EQ(data->indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // Its first vertex is the second mesh's own vertex 0.
    EXPECT_FLOAT_EQ(data->positions[3 * 6 + 0], 0.0f);
    EXPECT_FLOAT_EQ(data->positions[3 * 6 + 1], 0.5f);
    for (std::uint32_t index : data->indices) EXPECT_LT(index, 9u);
}

TEST(MeshData, MeshesWithoutTextureCoordinatesGetZeros) {
    const auto textured = triangleMesh(1, true);
    const auto plain = triangleMesh(1, false);
    const aiMesh* meshes[] = {plain.get(), textured.get()};
    const auto data = buildMeshData(meshes, 2, nullptr, 0);
    ASSERT_EQ(data->texCoords.size(), 12u);
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(data->texCoords[i], 0.0f);
    // The textured mesh's coordinates stay with its own vertices.
    EXPECT_FLOAT_EQ(data->texCoords[6 + 2], 0.25f);
    EXPECT_FLOAT_EQ(data->texCoords[6 + 3], 0.5f);
}

TEST(MeshData, TrianglesAreKeptWhateverElseTheMeshIsFlaggedWith) {
    const auto points = pointMesh(5);
    const auto triangles = triangleMesh(1, true);
    // Triangulated polygons carry the n-gon marker; a mesh read unsorted may
    // hold a line face among its triangles.
    const auto mixed = triangleMesh(2, true);
    mixed->mPrimitiveTypes = aiPrimitiveType_TRIANGLE | aiPrimitiveType_LINE |
                             aiPrimitiveType_NGONEncodingFlag;
    mixed->mFaces[0].mNumIndices = 2;
    const aiMesh* meshes[] = {points.get(), triangles.get(), mixed.get()};
    const auto data = buildMeshData(meshes, 3, nullptr, 0);
    EXPECT_EQ(data->vertexCount, 9);
    EXPECT_EQ(data->faceCount, 2);
    EXPECT_EQ(data->indices, (std::vector<std::uint32_t>{0, 1, 2, 6, 7, 8}));
}

TEST(MeshData, OpacityComesFromTheFirstMeshsMaterialWhateverItsIndex) {
    const auto atZero = materialWithOpacity(0.5f);
    const auto glass = materialWithOpacity(0.99f);
    const auto solid = materialWithOpacity(1.0f);
    const auto bare = std::make_unique<aiMaterial>();
    // The default material stands for none, whatever it holds.
    const auto fallback = materialWithOpacity(0.5f);
    const aiString defaultName(AI_DEFAULT_MATERIAL_NAME);
    fallback->AddProperty(&defaultName, AI_MATKEY_NAME);
    const aiMaterial* materials[] = {atZero.get(), glass.get(), solid.get(), bare.get(),
                                     fallback.get()};

    const auto opacityOf = [&](unsigned firstMaterial, unsigned secondMaterial) {
        const auto first = triangleMesh(1, false, firstMaterial);
        const auto second = triangleMesh(1, false, secondMaterial);
        const aiMesh* meshes[] = {first.get(), second.get()};
        return buildMeshData(meshes, 2, materials, 5)->opacity;
    };
    EXPECT_FLOAT_EQ(opacityOf(0, 1), 0.5f);   // a glass that sorted first
    EXPECT_FLOAT_EQ(opacityOf(4, 1), 1.0f);   // no material
    EXPECT_FLOAT_EQ(opacityOf(1, 2), 0.99f);  // the second mesh's material is not read
    EXPECT_FLOAT_EQ(opacityOf(2, 1), 1.0f);
    EXPECT_FLOAT_EQ(opacityOf(3, 1), 1.0f);   // no opacity key
    EXPECT_FLOAT_EQ(opacityOf(9, 1), 1.0f);   // an index past the materials

    MeshData mesh;
    mesh.opacity = 1.0f;
    EXPECT_FALSE(isTransparent(mesh));
    mesh.opacity = 0.99f;
    EXPECT_TRUE(isTransparent(mesh));
}

TEST(MeshData, NoMeshesGiveAnEmptyOpaqueRecord) {
    const auto data = buildMeshData(nullptr, 0, nullptr, 0);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->vertexCount, 0);
    EXPECT_EQ(data->faceCount, 0);
    EXPECT_FLOAT_EQ(data->opacity, 1.0f);
}
