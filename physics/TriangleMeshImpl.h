#pragma once
// A cooked triangle mesh: checked positions and indices, plus one Bullet mesh
// shape per scale it is used with (the scale is baked into the vertices).

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include <btBulletDynamicsCommon.h>
#include <BulletCollision/CollisionDispatch/btInternalEdgeUtility.h>

#include "physics/Physics.h"

namespace velmora::physics {

class TriangleMeshImpl : public TriangleMesh {
public:
    TriangleMeshImpl(std::vector<float> points, std::vector<uint32_t> indices);
    ~TriangleMeshImpl() override;

    uint32_t getNbVertices() const override { return static_cast<uint32_t>(points_.size() / 3); }
    uint32_t getNbTriangles() const override { return static_cast<uint32_t>(indices_.size() / 3); }

    // The collision shape for this scale, made on first use and shared by
    // every shape that uses the same scale.
    btBvhTriangleMeshShape* shapeForScale(const glm::vec3& scale);

private:
    struct ScaledShape {
        std::vector<btScalar> vertices;
        std::vector<int> indices;
        std::unique_ptr<btTriangleIndexVertexArray> array;
        std::unique_ptr<btBvhTriangleMeshShape> shape;
        std::unique_ptr<btTriangleInfoMap> edgeInfo;
    };
    using ScaleKey = std::tuple<float, float, float>;

    std::vector<float> points_;
    std::vector<uint32_t> indices_;
    std::map<ScaleKey, std::unique_ptr<ScaledShape>> shapes_;
};

// Checks and copies a mesh description; null when it cannot make a mesh.
std::unique_ptr<TriangleMeshImpl> cookMesh(const TriangleMeshDesc& desc);

}  // namespace velmora::physics
