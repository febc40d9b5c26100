#include <gtest/gtest.h>

#include "level/CollisionCooking.h"
#include "tests/unit/PhysicsTestWorld.h"

namespace velmora {

namespace {

using physics::testing::TestWorld;

// The cube from -1 to 1: eight corners, twelve triangles.
MeshData unitCube() {
    MeshData mesh;
    for (int i = 0; i < 8; ++i) {
        mesh.positions.push_back(i & 1 ? 1.0f : -1.0f);
        mesh.positions.push_back(i & 2 ? 1.0f : -1.0f);
        mesh.positions.push_back(i & 4 ? 1.0f : -1.0f);
    }
    mesh.indices = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                    2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    mesh.vertexCount = 8;
    mesh.faceCount = 12;
    return mesh;
}

// A flat rectangle round the origin, reaching x and y out each side.
MeshData quad(float x, float y) {
    MeshData mesh;
    mesh.positions = {-x, -y, 0, x, -y, 0, x, y, 0, -x, y, 0};
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.vertexCount = 4;
    mesh.faceCount = 2;
    return mesh;
}

NodePose poseAt(const glm::vec3& position, const glm::vec3& scale) {
    NodePose pose;
    pose.position = position;
    pose.rotation = upAxisRotation();
    pose.scale = scale;
    return pose;
}

std::vector<physics::Shape*> shapesOf(const physics::RigidActor& actor) {
    std::vector<physics::Shape*> shapes(actor.getNbShapes());
    actor.getShapes(shapes.data(), static_cast<uint32_t>(shapes.size()));
    return shapes;
}

bool isSolid(const physics::Shape& shape) {
    return shape.getFlag(physics::ShapeFlag::Simulation) &&
           !shape.getFlag(physics::ShapeFlag::Trigger);
}

bool isTriggerVolume(const physics::Shape& shape) {
    return !shape.getFlag(physics::ShapeFlag::Simulation) &&
           shape.getFlag(physics::ShapeFlag::Trigger);
}

class CollisionCooking : public testing::Test {
protected:
    physics::RigidStatic* cook(const std::string& baseName, const MeshData& mesh,
                               const NodePose& pose) {
        return cookStaticActor(*world.physics, world.cooking, world.scene, mesh, pose,
                               planCollision(baseName, mesh, pose.scale));
    }
    TestWorld world;
};

}  // namespace

TEST_F(CollisionCooking, FlatRectangleGetsTwoThinBoxesAndNeverATriggerVolume) {
    const NodePose pose = poseAt({1, 2, 3}, {2, 3, 5});
    physics::RigidStatic* actor = cook("switch_trigger", quad(1, 1), pose);
    ASSERT_NE(actor, nullptr);
    EXPECT_EQ(actor->getScene(), world.scene);
    EXPECT_EQ(actor->getGlobalPose().p, pose.position);
    // A plane whose scale was applied to its vertices collides as drawn too.
    physics::RigidStatic* applied = cook("floor", quad(6, 8), poseAt({0, 0, 0}, {1, 1, 1}));
    ASSERT_NE(applied, nullptr);
    EXPECT_EQ(shapesOf(*applied)[0]->getGeometry().halfExtents, glm::vec3(6, 8, 0));
    const auto shapes = shapesOf(*actor);
    ASSERT_EQ(shapes.size(), 2u);
    for (physics::Shape* shape : shapes) {
        EXPECT_EQ(shape->getGeometry().type, physics::GeometryType::Box);
        EXPECT_EQ(shape->getGeometry().halfExtents, glm::vec3(2, 3, 0));
        EXPECT_TRUE(isSolid(*shape));
        EXPECT_EQ(shape->getLocalPose().p, glm::vec3(0.0f));
        EXPECT_EQ(shape->getMaterial()->getRestitution(), 1.0f);
        EXPECT_EQ(shape->getMaterial()->getDynamicFriction(), 1.0f);
    }
}

TEST_F(CollisionCooking, PlainMeshCarriesItsScaledTriangleMeshTwice) {
    const NodePose pose = poseAt({0, 0, 0}, {1, 2, -0.5f});
    physics::RigidStatic* actor = cook("wall", unitCube(), pose);
    ASSERT_NE(actor, nullptr);
    const auto shapes = shapesOf(*actor);
    ASSERT_EQ(shapes.size(), 2u);
    for (physics::Shape* shape : shapes) {
        EXPECT_EQ(shape->getGeometry().type, physics::GeometryType::TriangleMesh);
        EXPECT_EQ(shape->getGeometry().meshScale, glm::vec3(1, 2, -0.5f));
        EXPECT_EQ(shape->getGeometry().mesh->getNbTriangles(), 12u);
        EXPECT_TRUE(isSolid(*shape));
    }
    EXPECT_EQ(shapes[0]->getGeometry().mesh, shapes[1]->getGeometry().mesh);
}

TEST_F(CollisionCooking, TriggerStaysSolidAndAddsAVolumeOfItsScale) {
    physics::RigidStatic* actor = cook("switch_trigger", unitCube(), poseAt({0, 0, 0}, {2, 1.5f, 1}));
    ASSERT_NE(actor, nullptr);
    const auto shapes = shapesOf(*actor);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0]->getGeometry().type, physics::GeometryType::TriangleMesh);
    EXPECT_TRUE(isSolid(*shapes[0]));
    EXPECT_EQ(shapes[1]->getGeometry().type, physics::GeometryType::Box);
    EXPECT_EQ(shapes[1]->getGeometry().halfExtents, glm::vec3(2, 1.5f, 1));
    EXPECT_TRUE(isTriggerVolume(*shapes[1]));
}

TEST_F(CollisionCooking, SpikeVolumeIsHalfAMetreAndAHalfHighWhateverTheNodesHeight) {
    for (float height : {0.4f, 3.0f}) {
        physics::RigidStatic* actor =
            cook("stacheln_trigger", unitCube(), poseAt({0, 0, 0}, {1.5f, 1.5f, height}));
        ASSERT_NE(actor, nullptr);
        const auto shapes = shapesOf(*actor);
        ASSERT_EQ(shapes.size(), 2u);
        EXPECT_EQ(shapes[1]->getGeometry().halfExtents, glm::vec3(1.5f, 1.5f, 0.55f)) << height;
        EXPECT_TRUE(isTriggerVolume(*shapes[1]));
    }
}

TEST_F(CollisionCooking, SpikesWithoutTheTriggerWordAreAPlainMesh) {
    physics::RigidStatic* actor = cook("stacheln", unitCube(), poseAt({0, 0, 0}, {1, 1, 1}));
    ASSERT_NE(actor, nullptr);
    for (physics::Shape* shape : shapesOf(*actor)) {
        EXPECT_TRUE(isSolid(*shape));
        EXPECT_EQ(shape->getGeometry().type, physics::GeometryType::TriangleMesh);
    }
}

TEST_F(CollisionCooking, MirroredTriggerStillGetsAProperVolume) {
    physics::RigidStatic* actor = cook("Trigger", unitCube(), poseAt({0, 0, 0}, {-1, -2, -3}));
    ASSERT_NE(actor, nullptr);
    const auto shapes = shapesOf(*actor);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[1]->getGeometry().halfExtents, glm::vec3(1, 2, 3));
    EXPECT_TRUE(isTriggerVolume(*shapes[1]));
}

TEST_F(CollisionCooking, SphereRestsOnATriggerCubeAndIsReportedInside) {
    // Unturned, so the cube's own z is the world's z and its top is at y = 1.
    NodePose pose = poseAt({0, 0, 0}, {1, 1, 1});
    pose.rotation = glm::quat(1, 0, 0, 0);
    ASSERT_NE(cook("switch_trigger", unitCube(), pose), nullptr);
    physics::RigidDynamic* ball = world.addBall({0.2f, 2.0f, 0.1f}, 0.5f, 5.0f);
    for (int i = 0; i < 300; ++i) {
        world.scene->simulate(physics::testing::step);
        world.scene->fetchResults(true);
    }
    EXPECT_NEAR(ball->getGlobalPose().p.y, 1.5f, 0.05f);  // held up by the solid mesh
    // The level's bouncy material may let it hop out and back a few times,
    // but it ends inside the volume.
    ASSERT_FALSE(world.callback.recorded.empty());
    EXPECT_EQ(world.callback.recorded.front().status, physics::PairFlag::TouchFound);
    EXPECT_EQ(world.callback.count(physics::PairFlag::TouchFound),
              world.callback.count(physics::PairFlag::TouchLost) + 1);
}

TEST_F(CollisionCooking, FailedCookingPrintsAndLeavesTheNodeWithoutAnActor) {
    MeshData broken = unitCube();
    broken.indices[5] = 99;  // points past the last vertex
    const uint32_t before = world.scene->getNbActors();
    testing::internal::CaptureStdout();
    EXPECT_EQ(cook("wall", broken, poseAt({0, 0, 0}, {1, 1, 1})), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "mCooking failed cooking mesh\n");

    MeshData empty;
    testing::internal::CaptureStdout();
    EXPECT_EQ(cook("switch_trigger", empty, poseAt({0, 0, 0}, {1, 1, 1})), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "mCooking failed cooking mesh\n");

    // Counts larger than the arrays are refused before anything reads past them.
    MeshData lying = unitCube();
    lying.faceCount = 1000;
    testing::internal::CaptureStdout();
    EXPECT_EQ(cook("wall", lying, poseAt({0, 0, 0}, {1, 1, 1})), nullptr);
    testing::internal::GetCapturedStdout();

    testing::internal::CaptureStdout();
    EXPECT_EQ(cookStaticActor(*world.physics, nullptr, world.scene, unitCube(),
                              poseAt({0, 0, 0}, {1, 1, 1}), planCollision("wall", 8, {1, 1, 1})),
              nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "mCooking failed cooking mesh\n");
    EXPECT_EQ(world.scene->getNbActors(), before);
}

TEST_F(CollisionCooking, DegenerateScaleLeavesTheNodeWithoutAnActor) {
    const uint32_t before = world.scene->getNbActors();
    EXPECT_EQ(cook("wall", unitCube(), poseAt({0, 0, 0}, {1, 0, 1})), nullptr);
    EXPECT_EQ(cook("switch_trigger", unitCube(), poseAt({0, 0, 0}, {0, 1, 1})), nullptr);
    EXPECT_EQ(cook("floor", quad(2, 1), poseAt({0, 0, 0}, {0, 1, 1})), nullptr);
    // A flat rectangle squashed flat would still make a box, but the rotation
    // read from its matrix is not to be trusted.
    EXPECT_EQ(cook("floor", quad(2, 1), poseAt({0, 0, 0}, {1, 1, 0})), nullptr);
    EXPECT_EQ(cook("wall", unitCube(), poseAt({0, 0, 0}, {1, NAN, 1})), nullptr);
    EXPECT_EQ(world.scene->getNbActors(), before);
}

}  // namespace velmora
