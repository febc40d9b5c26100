// Cooking triangle meshes: bad input is refused, never a crash; mirrored
// scales keep the faces pointing the way the mirror image does.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "physics/TriangleMeshImpl.h"
#include "tests/unit/PhysicsTestWorld.h"

namespace velmora::physics {
namespace {

using testing::TestWorld;

TriangleMeshDesc describe(const std::vector<float>& points, const std::vector<uint32_t>& indices) {
    TriangleMeshDesc desc;
    desc.points = points.data();
    desc.pointCount = static_cast<uint32_t>(points.size() / 3);
    desc.triangles = indices.data();
    desc.triangleCount = static_cast<uint32_t>(indices.size() / 3);
    return desc;
}

const std::vector<float> square = {0, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1};

TEST(PhysicsCooking, RefusesMeshesItCannotBuild) {
    TestWorld w;
    EXPECT_EQ(w.cooking->cookTriangleMesh(TriangleMeshDesc()), nullptr) << "empty";

    TriangleMeshDesc missing = describe(square, {0, 2, 1});
    missing.triangles = nullptr;
    EXPECT_EQ(w.cooking->cookTriangleMesh(missing), nullptr) << "no index array";
    missing = describe(square, {0, 2, 1});
    missing.points = nullptr;
    EXPECT_EQ(w.cooking->cookTriangleMesh(missing), nullptr) << "no point array";

    EXPECT_EQ(w.cooking->cookTriangleMesh(describe(square, {0, 2, 4})), nullptr) << "index out of range";
    EXPECT_EQ(w.cooking->cookTriangleMesh(describe(square, {0, 2, 0xffffffffu})), nullptr) << "huge index";
    EXPECT_EQ(w.cooking->cookTriangleMesh(describe(square, {0, 0, 1, 2, 2, 2})), nullptr) << "only repeated corners";
    const std::vector<float> line = {0, 0, 0, 1, 1, 1, 2, 2, 2};
    EXPECT_EQ(w.cooking->cookTriangleMesh(describe(line, {0, 1, 2})), nullptr) << "collinear";
    std::vector<float> broken = square;
    broken[4] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(w.cooking->cookTriangleMesh(describe(broken, {0, 2, 1})), nullptr) << "not a number";
}

TEST(PhysicsCooking, DropsZeroAreaTrianglesAndKeepsTheRest) {
    TestWorld w;
    TriangleMesh* mesh = w.cooking->cookTriangleMesh(describe(square, {0, 2, 1, 0, 0, 3, 0, 3, 2}));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->getNbTriangles(), 2u);
    EXPECT_EQ(mesh->getNbVertices(), 4u);
}

TEST(PhysicsCooking, InvalidGeometryMakesNoActor) {
    TestWorld w;
    TriangleMesh* mesh = w.cookFloor(2, 1.0f);
    EXPECT_EQ(createStatic(*w.physics, Transform(), Geometry::triangleMesh(mesh, glm::vec3(1, 0, 1)), *w.material),
              nullptr);
    EXPECT_EQ(createStatic(*w.physics, Transform(), Geometry::triangleMesh(nullptr, glm::vec3(1)), *w.material),
              nullptr);
    EXPECT_EQ(createStatic(*w.physics, Transform(), Geometry::box(glm::vec3(1, 0, 0)), *w.material), nullptr);
    EXPECT_EQ(createStatic(*w.physics, Transform(), Geometry::sphere(-1), *w.material), nullptr);
    EXPECT_EQ(createDynamic(*w.physics, Transform(), Geometry::box(glm::vec3(1)), *w.material, 1.0f), nullptr);
    EXPECT_EQ(createDynamic(*w.physics, Transform(), Geometry::sphere(1), *w.material, 0.0f), nullptr);
    RigidDynamic* ball = createDynamic(*w.physics, Transform(), Geometry::sphere(1), *w.material, 1.0f);
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->createShape(Geometry::triangleMesh(mesh, glm::vec3(1)), *w.material), nullptr);
    EXPECT_EQ(ball->getNbShapes(), 1u);
}

// Face directions of the baked collision triangles, by their winding.
struct NormalCollector : btTriangleCallback {
    void processTriangle(btVector3* t, int, int) override { normals.push_back((t[1] - t[0]).cross(t[2] - t[0])); }
    std::vector<btVector3> normals;
};

TEST(PhysicsCooking, MirroredScaleKeepsFacesPointingOutwards) {
    TestWorld w;
    auto* floor = static_cast<TriangleMeshImpl*>(w.cookFloor(2, 1.0f));  // faces up
    const btVector3 big(1e3f, 1e3f, 1e3f);
    // Mirrored across x or z the floor still faces up; across y it faces down.
    const std::pair<glm::vec3, float> cases[] = {
        {glm::vec3(1, 1, 1), 1.0f}, {glm::vec3(-1, 1, 1), 1.0f}, {glm::vec3(2, 1, -3), 1.0f},
        {glm::vec3(1, -1, 1), -1.0f}, {glm::vec3(-1, -1, -1), -1.0f}};
    for (const auto& [scale, up] : cases) {
        NormalCollector collector;
        floor->shapeForScale(scale)->processAllTriangles(&collector, -big, big);
        ASSERT_EQ(collector.normals.size(), 8u);
        for (const btVector3& n : collector.normals) EXPECT_GT(n.y() * up, 0.0f) << scale.x << scale.y << scale.z;
    }
}

}  // namespace
}  // namespace velmora::physics
