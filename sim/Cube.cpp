#include "sim/Cube.h"

#include <iterator>

#include "level/MeshData.h"

namespace velmora::scene {

namespace {

// Four corners per face, so every face keeps its own flat normal.
// Faces: back, front, top, bottom, right, left.
const float kCubePositions[24 * 3] = {
    -0.5f, -0.5f, -0.5f, -0.5f, 0.5f,  -0.5f, 0.5f,  0.5f,  -0.5f, 0.5f,  -0.5f, -0.5f,
    -0.5f, -0.5f, 0.5f,  0.5f,  -0.5f, 0.5f,  0.5f,  0.5f,  0.5f,  -0.5f, 0.5f,  0.5f,
    0.5f,  0.5f,  0.5f,  0.5f,  0.5f,  -0.5f, -0.5f, 0.5f,  -0.5f, -0.5f, 0.5f,  0.5f,
    0.5f,  -0.5f, 0.5f,  -0.5f, -0.5f, 0.5f,  -0.5f, -0.5f, -0.5f, 0.5f,  -0.5f, -0.5f,
    0.5f,  0.5f,  0.5f,  0.5f,  -0.5f, 0.5f,  0.5f,  -0.5f, -0.5f, 0.5f,  0.5f,  -0.5f,
    -0.5f, 0.5f,  0.5f,  -0.5f, 0.5f,  -0.5f, -0.5f, -0.5f, -0.5f, -0.5f, -0.5f, 0.5f,
};

const float kCubeNormals[24 * 3] = {
    0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1,  //
    0, 0, 1,  0, 0, 1,  0, 0, 1,  0, 0, 1,   //
    0, 1, 0,  0, 1, 0,  0, 1, 0,  0, 1, 0,   //
    0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0,  //
    1, 0, 0,  1, 0, 0,  1, 0, 0,  1, 0, 0,   //
    -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0,  //
};

// Two triangles per face: (b, b+1, b+2) and (b, b+2, b+3) with b = 4 x face.
const uint32_t kCubeIndices[12 * 3] = {
    0,  1,  2,  0,  2,  3,  4,  5,  6,  4,  6,  7,  8,  9,  10, 8,  10, 11,
    12, 13, 14, 12, 14, 15, 16, 17, 18, 16, 18, 19, 20, 21, 22, 20, 22, 23,
};

}  // namespace

void Cube::createDefaultMesh() {
    delete mesh;
    mesh = new MeshData();
    mesh->positions.assign(std::begin(kCubePositions), std::end(kCubePositions));
    mesh->normals.assign(std::begin(kCubeNormals), std::end(kCubeNormals));
    mesh->indices.assign(std::begin(kCubeIndices), std::end(kCubeIndices));
    mesh->vertexCount = 24;
    mesh->faceCount = 12;
    hasMesh = true;
}

}  // namespace velmora::scene
