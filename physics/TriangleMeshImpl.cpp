// Cooking checks the triangle soup once; each scale then gets its own baked
// copy so that mirrored scales can flip the winding (see Physics.h).

#include "physics/TriangleMeshImpl.h"

#include <cmath>

namespace velmora::physics {

TriangleMeshImpl::TriangleMeshImpl(std::vector<float> points, std::vector<uint32_t> indices)
    : points_(std::move(points)), indices_(std::move(indices)) {}

TriangleMeshImpl::~TriangleMeshImpl() = default;

btBvhTriangleMeshShape* TriangleMeshImpl::shapeForScale(const glm::vec3& scale) {
    const ScaleKey key(scale.x, scale.y, scale.z);
    auto found = shapes_.find(key);
    if (found != shapes_.end()) return found->second->shape.get();

    auto scaled = std::make_unique<ScaledShape>();
    scaled->vertices.resize(points_.size());
    for (size_t i = 0; i < points_.size(); ++i) scaled->vertices[i] = points_[i] * scale[i % 3];

    // A mirroring scale turns every face inside out; swapping two corners
    // turns it back, which the edge correction depends on.
    const bool mirrored = scale.x * scale.y * scale.z < 0.0f;
    scaled->indices.assign(indices_.begin(), indices_.end());
    if (mirrored) {
        for (size_t t = 0; t + 2 < scaled->indices.size(); t += 3) std::swap(scaled->indices[t + 1], scaled->indices[t + 2]);
    }

    scaled->array = std::make_unique<btTriangleIndexVertexArray>(
        static_cast<int>(scaled->indices.size() / 3), scaled->indices.data(), static_cast<int>(3 * sizeof(int)),
        static_cast<int>(scaled->vertices.size() / 3), scaled->vertices.data(), static_cast<int>(3 * sizeof(btScalar)));
    scaled->shape = std::make_unique<btBvhTriangleMeshShape>(scaled->array.get(), true, true);
    scaled->edgeInfo = std::make_unique<btTriangleInfoMap>();
    btGenerateInternalEdgeInfo(scaled->shape.get(), scaled->edgeInfo.get());

    btBvhTriangleMeshShape* shape = scaled->shape.get();
    shapes_.emplace(key, std::move(scaled));
    return shape;
}

namespace {

bool hasArea(const float* a, const float* b, const float* c) {
    const glm::vec3 pa(a[0], a[1], a[2]), pb(b[0], b[1], b[2]), pc(c[0], c[1], c[2]);
    const glm::vec3 n = glm::cross(pb - pa, pc - pa);
    return glm::dot(n, n) > 0.0f;
}

}  // namespace

std::unique_ptr<TriangleMeshImpl> cookMesh(const TriangleMeshDesc& desc) {
    if (desc.pointCount == 0 || desc.triangleCount == 0 || !desc.points || !desc.triangles) return nullptr;
    // Bullet indexes with int; larger meshes are not something a level holds.
    if (desc.pointCount > (1u << 30) || desc.triangleCount > (1u << 29)) return nullptr;

    std::vector<float> points(desc.points, desc.points + 3 * size_t(desc.pointCount));
    for (float v : points) {
        if (!std::isfinite(v)) return nullptr;
    }

    std::vector<uint32_t> indices;
    indices.reserve(3 * size_t(desc.triangleCount));
    for (uint32_t t = 0; t < desc.triangleCount; ++t) {
        const uint32_t* tri = desc.triangles + 3 * size_t(t);
        if (tri[0] >= desc.pointCount || tri[1] >= desc.pointCount || tri[2] >= desc.pointCount) return nullptr;
        // Zero-area triangles have no normal; they would only spoil contacts.
        if (!hasArea(&points[3 * tri[0]], &points[3 * tri[1]], &points[3 * tri[2]])) continue;
        indices.insert(indices.end(), tri, tri + 3);
    }
    if (indices.empty()) return nullptr;
    return std::make_unique<TriangleMeshImpl>(std::move(points), std::move(indices));
}

}  // namespace velmora::physics
