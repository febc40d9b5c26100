#include "level/TileShapes.h"

#include <glm/geometric.hpp>

namespace velmora {

namespace {

// Appends one flat face of four corners (counter-clockwise seen from where
// the normal points) with texture coordinates from two of its axes.
void addFace(ShapeMesh& mesh, const glm::vec3 (&corners)[4], const glm::vec3& normal,
             const glm::vec2 (&uvs)[4]) {
    const auto base = static_cast<std::uint32_t>(mesh.positions.size());
    for (int i = 0; i < 4; ++i) {
        mesh.positions.push_back(corners[i]);
        mesh.normals.push_back(normal);
        mesh.texCoords.push_back(uvs[i]);
    }
    mesh.indices.insert(mesh.indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
}

void addTriangle(ShapeMesh& mesh, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) {
    const glm::vec3 normal = glm::normalize(glm::cross(b - a, c - a));
    const auto base = static_cast<std::uint32_t>(mesh.positions.size());
    for (const glm::vec3& p : {a, b, c}) {
        mesh.positions.push_back(p);
        mesh.normals.push_back(normal);
        mesh.texCoords.push_back({p.x * 0.5f + 0.5f, p.y * 0.5f + 0.5f});
    }
    mesh.indices.insert(mesh.indices.end(), {base, base + 1, base + 2});
}

// An axis-aligned box from lo to hi, one face of four corners per side.
void addBox(ShapeMesh& mesh, const glm::vec3& lo, const glm::vec3& hi, const glm::vec3& repeat) {
    const glm::vec3 n[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& normal : n) {
        // Two axes spanning the face, chosen so (u, v, normal) is right-handed.
        glm::vec3 u = glm::abs(normal.z) > 0.5f ? glm::vec3(1, 0, 0) : glm::vec3(0, 0, 1);
        glm::vec3 v = glm::cross(normal, u);
        u = glm::cross(v, normal);
        const glm::vec3 centre = (lo + hi) * 0.5f + normal * (hi - lo) * 0.5f;
        const glm::vec3 halfU = u * (hi - lo) * 0.5f;
        const glm::vec3 halfV = v * (hi - lo) * 0.5f;
        const float ru = glm::length(u * repeat);
        const float rv = glm::length(v * repeat);
        const glm::vec3 corners[4] = {centre - halfU - halfV, centre + halfU - halfV,
                                      centre + halfU + halfV, centre - halfU + halfV};
        const glm::vec2 uvs[4] = {{0, 0}, {ru, 0}, {ru, rv}, {0, rv}};
        addFace(mesh, corners, normal, uvs);
    }
}

void addSpikes(ShapeMesh& mesh) {
    const int perSide = 3;
    const float cell = 2.0f / perSide;
    for (int i = 0; i < perSide; ++i) {
        for (int j = 0; j < perSide; ++j) {
            const float x0 = -1.0f + i * cell;
            const float y0 = -1.0f + j * cell;
            const glm::vec3 c00(x0, y0, 0), c10(x0 + cell, y0, 0);
            const glm::vec3 c11(x0 + cell, y0 + cell, 0), c01(x0, y0 + cell, 0);
            const glm::vec3 tip(x0 + cell * 0.5f, y0 + cell * 0.5f, 1.0f);
            addTriangle(mesh, c00, c10, tip);
            addTriangle(mesh, c10, c11, tip);
            addTriangle(mesh, c11, c01, tip);
            addTriangle(mesh, c01, c00, tip);
        }
    }
}

}  // namespace

ShapeMesh buildShapeMesh(const TileNode& node) {
    ShapeMesh mesh;
    // One texture repeat per two metres of final size.
    const glm::vec3 repeat = glm::abs(node.extent * node.size);
    switch (node.shape) {
        case TileShape::Group:
            return mesh;
        case TileShape::Quad: {
            const glm::vec3 corners[4] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
            const glm::vec2 uvs[4] = {{0, 0}, {repeat.x, 0}, {repeat.x, repeat.y}, {0, repeat.y}};
            addFace(mesh, corners, {0, 0, 1}, uvs);
            break;
        }
        case TileShape::Box:
            addBox(mesh, glm::vec3(-1.0f), glm::vec3(1.0f), repeat);
            break;
        case TileShape::Plate:
            addBox(mesh, {-1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 0.1f}, repeat);
            break;
        case TileShape::Spikes:
            addSpikes(mesh);
            break;
    }
    for (glm::vec3& p : mesh.positions) p *= node.extent;
    return mesh;
}

}  // namespace velmora
