#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/PhysicsTestWorld.h"

using namespace velmora::physics;
using namespace velmora::physics::testing;

namespace {

// A push that gives a 200 kg ball the speed in one step: a slow frame rate
// makes the game's key forces this large.
void launch(RigidDynamic& ball, glm::vec3 velocity) { ball.addForce(velocity * 200.0f / step); }

}  // namespace

// At 60 m/s a ball moves a metre a step, twice its size: without a sweep it
// would appear on the far side of any wall thinner than that.
TEST(PhysicsFastMotion, FastBallStopsAtThinWallsAndFlatFloors) {
    struct Wall {
        const char* what;
        glm::vec3 halfExtents;
    };
    for (const Wall& wall : {Wall{"flat rectangle", {2.0f, 2.0f, 0.0f}},
                             Wall{"thin box", {2.0f, 2.0f, 0.1f}}}) {
        TestWorld world(glm::vec3(0.0f));
        world.addBox(glm::vec3(0.0f, 0.0f, -5.0f), wall.halfExtents);
        RigidDynamic* ball = world.addBall(glm::vec3(0.0f, 0.0f, 0.0f));
        launch(*ball, glm::vec3(0.0f, 0.0f, -60.0f));
        world.run(30);
        EXPECT_GT(ball->getGlobalPose().p.z, -5.0f) << wall.what;
    }

    TestWorld world;
    world.addBox(glm::vec3(0.0f), glm::vec3(5.0f, 0.0f, 5.0f));
    TriangleMesh* floor = world.cookFloor(4, 2.0f);
    world.addMesh(floor, glm::vec3(20.0f, 0.0f, 0.0f));
    RigidDynamic* onBox = world.addBall(glm::vec3(0.0f, 3.0f, 0.0f));
    RigidDynamic* onMesh = world.addBall(glm::vec3(20.0f, 3.0f, 0.0f));
    launch(*onBox, glm::vec3(0.0f, -80.0f, 0.0f));
    launch(*onMesh, glm::vec3(0.0f, -80.0f, 0.0f));
    // The floors are springy (restitution averages to 0.55): the balls bounce
    // back up, but never go below the surface.
    float lowestOnBox = 3.0f;
    float lowestOnMesh = 3.0f;
    for (int i = 0; i < 60; ++i) {
        world.run(1);
        lowestOnBox = std::min(lowestOnBox, onBox->getGlobalPose().p.y);
        lowestOnMesh = std::min(lowestOnMesh, onMesh->getGlobalPose().p.y);
    }
    EXPECT_GT(lowestOnBox, 0.3f);
    EXPECT_GT(lowestOnMesh, 0.3f);
}

TEST(PhysicsFastMotion, FastBallStillPassesOpenDoorsAndTriggers) {
    TestWorld world(glm::vec3(0.0f));
    RigidStatic* door = world.addBox(glm::vec3(0.0f, 0.0f, -5.0f), glm::vec3(2.0f, 2.0f, 0.1f));
    Shape* shape = nullptr;
    door->getShapes(&shape, 1);
    shape->setFlag(ShapeFlag::Simulation, false);
    world.addTrigger(glm::vec3(0.0f, 0.0f, -10.0f), glm::vec3(2.0f, 2.0f, 1.0f));
    RigidDynamic* ball = world.addBall(glm::vec3(0.0f));
    launch(*ball, glm::vec3(0.0f, 0.0f, -60.0f));
    world.run(20);
    EXPECT_LT(ball->getGlobalPose().p.z, -15.0f);
    EXPECT_EQ(world.callback.count(PairFlag::TouchFound), 1);
    EXPECT_EQ(world.callback.count(PairFlag::TouchLost), 1);
}

// The camera's probe: stopped by solid statics (box, mesh, the near face of a
// wall), passing balls, triggers and open doors; a sweep moves nothing.
TEST(PhysicsFastMotion, SphereSweepStopsAtSolidStaticsOnly) {
    TestWorld world(glm::vec3(0.0f));
    RigidStatic* door = world.addBox(glm::vec3(0.0f, 0.0f, -4.0f), glm::vec3(2.0f, 2.0f, 0.1f));
    world.addTrigger(glm::vec3(0.0f, 0.0f, -2.0f), glm::vec3(2.0f, 2.0f, 0.5f));
    RigidDynamic* ball = world.addBall(glm::vec3(0.0f, 0.0f, -1.0f));
    world.addMesh(world.cookFloor(4, 2.0f), glm::vec3(0.0f, -3.0f, 0.0f));
    const glm::vec3 from(0.0f);
    // Touches the door's near face (z = -3.9) with its 0.5 radius at z = -3.4.
    EXPECT_NEAR(world.scene->sweepSphere(from, glm::vec3(0.0f, 0.0f, -10.0f), 0.5f), 0.34f, 0.01f);
    EXPECT_NEAR(world.scene->sweepSphere(from, glm::vec3(0.0f, -10.0f, 0.0f), 0.5f), 0.25f, 0.01f);
    EXPECT_EQ(world.scene->sweepSphere(from, glm::vec3(0.0f, 0.0f, 3.0f), 0.5f), 1.0f);
    Shape* shape = nullptr;
    door->getShapes(&shape, 1);
    shape->setFlag(ShapeFlag::Simulation, false);
    EXPECT_EQ(world.scene->sweepSphere(from, glm::vec3(0.0f, 0.0f, -10.0f), 0.5f), 1.0f);
    EXPECT_EQ(ball->getGlobalPose().p, glm::vec3(0.0f, 0.0f, -1.0f));
}
