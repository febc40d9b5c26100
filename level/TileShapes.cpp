#include "level/TileShapes.h"

#include <glm/geometric.hpp>

#include <cmath>

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

void addTriangle(ShapeMesh& mesh, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c,
                 int uAxis = 0, int vAxis = 1) {
    const glm::vec3 normal = glm::normalize(glm::cross(b - a, c - a));
    const auto base = static_cast<std::uint32_t>(mesh.positions.size());
    for (const glm::vec3& p : {a, b, c}) {
        mesh.positions.push_back(p);
        mesh.normals.push_back(normal);
        mesh.texCoords.push_back({p[uAxis] * 0.5f + 0.5f, p[vAxis] * 0.5f + 0.5f});
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

// A wedge for walking up: floor, back wall, sloped top and two triangular
// sides, each face flat-shaded so the slope reads as one surface.
void addRamp(ShapeMesh& mesh, const glm::vec3& repeat) {
    const glm::vec3 l0(-1, -1, 0), r0(1, -1, 0), l1(-1, 1, 0), r1(1, 1, 0);
    const glm::vec3 lt(-1, 1, 1), rt(1, 1, 1);
    const glm::vec2 floorUv[4] = {{0, 0}, {0, repeat.y}, {repeat.x, repeat.y}, {repeat.x, 0}};
    const glm::vec3 floor[4] = {l0, l1, r1, r0};
    addFace(mesh, floor, {0, 0, -1}, floorUv);
    const glm::vec3 back[4] = {r1, l1, lt, rt};
    const glm::vec2 backUv[4] = {{0, 0}, {repeat.x, 0}, {repeat.x, repeat.z}, {0, repeat.z}};
    addFace(mesh, back, {0, 1, 0}, backUv);
    const glm::vec3 top[4] = {l0, r0, rt, lt};
    const float slope = glm::length(glm::vec2(repeat.y, repeat.z));
    const glm::vec2 topUv[4] = {{0, 0}, {repeat.x, 0}, {repeat.x, slope}, {0, slope}};
    addFace(mesh, top, glm::normalize(glm::vec3(0, -1, 2)), topUv);
    // The sides stand in y/z, so their texture runs along those axes.
    addTriangle(mesh, l0, lt, l1, 1, 2);
    addTriangle(mesh, r0, r1, rt, 1, 2);
}

// A closed pillar: side faces of four corners, and a fan of triangles for
// each cap.
void addColumn(ShapeMesh& mesh, const glm::vec3& repeat) {
    constexpr int kSides = 24;
    const float around = 3.14159265f * (repeat.x + repeat.y) * 0.5f;
    const auto corner = [](int i, float z) {
        const float angle = 6.28318531f * static_cast<float>(i) / kSides;
        return glm::vec3(std::cos(angle), std::sin(angle), z);
    };
    for (int i = 0; i < kSides; ++i) {
        const glm::vec3 a = corner(i, 0), b = corner(i + 1, 0);
        const glm::vec3 corners[4] = {a, b, corner(i + 1, 1), corner(i, 1)};
        const float u0 = around * i / kSides, u1 = around * (i + 1) / kSides;
        const glm::vec2 uvs[4] = {{u0, 0}, {u1, 0}, {u1, repeat.z}, {u0, repeat.z}};
        addFace(mesh, corners, glm::normalize(glm::vec3(a + b) * 0.5f), uvs);
        addTriangle(mesh, {0, 0, 1}, corner(i, 1), corner(i + 1, 1));
        addTriangle(mesh, {0, 0, 0}, b, a);
    }
}

// A switch pad spheres roll onto: its sides slope gently, so what a sphere
// meets at the rim is a low ramp, not a wall. Its face shows its texture
// once, whatever its size: a switch's mark, not a floor's tiling.
void addPad(ShapeMesh& mesh) {
    constexpr float kTop = 0.8f, kHeight = 0.1f;
    const glm::vec2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const glm::vec3 top[4] = {{-kTop, -kTop, kHeight}, {kTop, -kTop, kHeight},
                              {kTop, kTop, kHeight}, {-kTop, kTop, kHeight}};
    addFace(mesh, top, {0, 0, 1}, uvs);
    const glm::vec3 bottom[4] = {{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}};
    addFace(mesh, bottom, {0, 0, -1}, uvs);
    // Each side: bottom edge, then top edge, counter-clockwise from outside.
    const glm::vec2 outward[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (const glm::vec2& out : outward) {
        const glm::vec2 along(-out.y, out.x);
        const glm::vec3 corners[4] = {glm::vec3(out - along, 0), glm::vec3(out + along, 0),
                                      glm::vec3((out + along) * kTop, kHeight),
                                      glm::vec3((out - along) * kTop, kHeight)};
        const glm::vec3 normal =
            glm::normalize(glm::cross(corners[1] - corners[0], corners[3] - corners[0]));
        const glm::vec2 sideUvs[4] = {{0, 0}, {1, 0}, {1, 0.1f}, {0, 0.1f}};
        addFace(mesh, corners, normal, sideUvs);
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
        case TileShape::Ramp:
            addRamp(mesh, repeat);
            break;
        case TileShape::Column:
            addColumn(mesh, repeat);
            break;
        case TileShape::Pad:
            addPad(mesh);
            break;
    }
    for (glm::vec3& p : mesh.positions) p *= node.extent;
    return mesh;
}

}  // namespace velmora
