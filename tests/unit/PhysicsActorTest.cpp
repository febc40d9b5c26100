// Actors and scenes: shapes in creation order, names, membership, release.

#include <gtest/gtest.h>

#include "tests/unit/PhysicsTestWorld.h"

namespace velmora::physics {
namespace {

using testing::TestWorld;

TEST(PhysicsActor, ShapesComeBackInCreationOrderFromAnyStart) {
    TestWorld w;
    RigidDynamic* ball = createDynamic(*w.physics, Transform(), Geometry::sphere(1), *w.material, 1.0f);
    Shape* second = ball->createShape(Geometry::sphere(1), *w.material);
    Shape* third = ball->createShape(Geometry::sphere(2), *w.material);
    ASSERT_EQ(ball->getNbShapes(), 3u);

    Shape* all[3] = {};
    ASSERT_EQ(ball->getShapes(all, 3), 3u);
    EXPECT_EQ(all[1], second);
    EXPECT_EQ(all[2], third);
    EXPECT_EQ(all[0]->getActor(), ball);
    EXPECT_FLOAT_EQ(all[0]->getGeometry().radius, 1.0f);

    Shape* tail[3] = {};
    EXPECT_EQ(ball->getShapes(tail, 3, 2), 1u);
    EXPECT_EQ(tail[0], third);
    EXPECT_EQ(ball->getShapes(tail, 1, 0), 1u) << "never more than the buffer holds";
    EXPECT_EQ(ball->getShapes(tail, 3, 5), 0u);
}

TEST(PhysicsActor, LaterShapesDoNotChangeTheMass) {
    TestWorld w;
    RigidDynamic* ball = createDynamic(*w.physics, Transform(), Geometry::sphere(1), *w.material, 1.0f);
    const float mass = ball->getMass();
    ball->createShape(Geometry::sphere(2), *w.material);
    EXPECT_EQ(ball->getMass(), mass);
    EXPECT_NEAR(mass, 4.0f / 3.0f * float(M_PI), 1e-4f);
}

TEST(PhysicsActor, NamesAndFlagsAreKept) {
    TestWorld w;
    RigidDynamic* ball = w.addBall(glm::vec3(0));
    ball->setName("MainActor");
    EXPECT_EQ(ball->getName(), "MainActor");
    Shape* shape = nullptr;
    ball->getShapes(&shape, 1);
    EXPECT_TRUE(shape->getFlag(ShapeFlag::Simulation));
    EXPECT_FALSE(shape->getFlag(ShapeFlag::Trigger));
    shape->setFlag(ShapeFlag::Simulation, false);
    EXPECT_FALSE(shape->getFlag(ShapeFlag::Simulation));
}

TEST(PhysicsActor, NonSimulatingBallShapeNeitherCollidesNorTriggers) {
    TestWorld w;
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(10, 1, 10));
    w.addTrigger(glm::vec3(0, 1, 0), glm::vec3(3, 1, 3));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 2.5f, 0));
    // A wide extra shape that takes no part, like the second sphere's third.
    Shape* wide = ball->createShape(Geometry::sphere(2.5f), *w.material);
    wide->setFlag(ShapeFlag::Simulation, false);
    wide->setFlag(ShapeFlag::Trigger, false);
    w.run(120);
    EXPECT_NEAR(ball->getGlobalPose().p.y, 0.5f, 0.03f);
    for (const auto& pair : w.callback.recorded) EXPECT_NE(pair.otherShape, wide);
    EXPECT_EQ(w.callback.count(PairFlag::TouchFound), 1);
}

TEST(PhysicsActor, ActorsJoinAndLeaveTheScene) {
    TestWorld w;
    RigidStatic* floor = w.addBox(glm::vec3(0, -1, 0), glm::vec3(10, 1, 10));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 0.5f, 0));
    w.scene->addActor(*ball);  // twice: still one
    EXPECT_EQ(w.scene->getNbActors(), 2u);
    EXPECT_EQ(ball->getScene(), w.scene);

    w.scene->removeActor(*floor);
    EXPECT_EQ(floor->getScene(), nullptr);
    EXPECT_EQ(w.scene->getNbActors(), 1u);
    ball->setGlobalPose(Transform(glm::vec3(0, 0.5f, 0)));  // wake it
    w.run(30);
    EXPECT_LT(ball->getGlobalPose().p.y, -1.0f) << "a removed floor holds nothing";
}

TEST(PhysicsActor, ReleasingTheSceneThenPhysicsLeavesNothingBehind) {
    // Run under the sanitizers or valgrind this is where leaks and dangling
    // pointers would show; here it must simply not crash.
    Physics* physics = createPhysics(ToleranceScale());
    ASSERT_NE(physics, nullptr);
    Material* material = physics->createMaterial(1, 1, 1);
    SceneDesc desc;
    Scene* scene = physics->createScene(desc);
    RigidDynamic* ball = createDynamic(*physics, Transform(), Geometry::sphere(1), *material, 1.0f);
    scene->addActor(*ball);
    scene->simulate(0.016f);
    scene->fetchResults(true);
    scene->release();
    EXPECT_EQ(ball->getScene(), nullptr);
    physics->release();
}

TEST(PhysicsActor, PhysicsNeedsASensibleScale) {
    ToleranceScale bad;
    bad.length = 0.0f;
    EXPECT_EQ(createPhysics(bad), nullptr);
    EXPECT_EQ(createCooking(nullptr), nullptr);
}

}  // namespace
}  // namespace velmora::physics
