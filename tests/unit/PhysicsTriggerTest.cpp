// Trigger reports and doors, against real Bullet.

#include <gtest/gtest.h>

#include <cmath>

#include <glm/gtc/quaternion.hpp>

#include "tests/unit/PhysicsTestWorld.h"

namespace velmora::physics {
namespace {

using testing::RecordedPair;
using testing::step;
using testing::TestWorld;

// One step's force that brings a resting mass-200 ball to speed v.
glm::vec3 kick(glm::vec3 velocity) { return velocity * 200.0f / step; }

TEST(PhysicsTrigger, BallRolledThroughReportsOneFoundThenOneLost) {
    TestWorld w;
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(20, 1, 20));
    RigidStatic* trigger = w.addTrigger(glm::vec3(0, 1, 0), glm::vec3(1, 1, 1));
    RigidDynamic* ball = w.addBall(glm::vec3(-6, 0.5f, 0));
    w.run(10);
    ball->addForce(kick(glm::vec3(6, 0, 0)));
    w.run(180);

    ASSERT_GT(ball->getGlobalPose().p.x, 3.0f) << "the ball never got past the trigger";
    ASSERT_EQ(w.callback.recorded.size(), 2u);
    const RecordedPair& found = w.callback.recorded[0];
    const RecordedPair& lost = w.callback.recorded[1];
    EXPECT_EQ(found.status, PairFlag::TouchFound);
    EXPECT_EQ(lost.status, PairFlag::TouchLost);
    EXPECT_EQ(found.triggerActor, trigger);
    EXPECT_EQ(found.otherActor, ball);
    Shape* triggerShape = nullptr;
    trigger->getShapes(&triggerShape, 1);
    EXPECT_EQ(found.triggerShape, triggerShape);
    EXPECT_EQ(found.otherShape->getActor(), ball);
    EXPECT_EQ(lost.otherShape, found.otherShape);
}

TEST(PhysicsTrigger, BallRestingInsideReportsOnceAndNeverAgain) {
    TestWorld w;
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(20, 1, 20));
    w.addTrigger(glm::vec3(0, 1, 0), glm::vec3(2, 2, 2));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 1.5f, 0));
    w.run(400);  // long enough for the ball to fall asleep in there

    EXPECT_TRUE(ball->isSleeping());
    EXPECT_EQ(w.callback.count(PairFlag::TouchFound), 1);
    EXPECT_EQ(w.callback.count(PairFlag::TouchLost), 0);
}

TEST(PhysicsTrigger, TriggerOverlappingSolidGeometryReportsOnlyTheBall) {
    TestWorld w;
    TriangleMesh* floor = w.cookFloor(8, 1.0f);
    ASSERT_NE(floor, nullptr);
    w.addMesh(floor, glm::vec3(0));
    w.addBox(glm::vec3(3, 0, 0), glm::vec3(0.5f, 0.5f, 0.5f));  // a solid block inside the trigger too
    w.addTrigger(glm::vec3(0, 0, 0), glm::vec3(4, 1, 4));       // cuts through the floor
    RigidDynamic* ball = w.addBall(glm::vec3(0, 3, 0));
    w.run(120);

    ASSERT_EQ(w.callback.recorded.size(), 1u);
    EXPECT_EQ(w.callback.recorded[0].otherActor, ball);
    EXPECT_EQ(w.callback.recorded[0].status, PairFlag::TouchFound);
}

TEST(PhysicsTrigger, RotatedTriggerReportsAtItsTrueFaceNotItsBoundingBox) {
    TestWorld w(glm::vec3(0));
    // A thin slab along the diagonal: its bounding box reaches far past its faces.
    const glm::quat turn = glm::angleAxis(glm::radians(45.0f), glm::vec3(0, 1, 0));
    w.addTrigger(glm::vec3(0), glm::vec3(2, 1, 0.2f), turn);
    RigidDynamic* ball = w.addBall(glm::vec3(0));
    const glm::vec3 across = turn * glm::vec3(0, 0, 1);  // the slab's face normal

    float distanceAtFound = -1.0f;
    for (float d = 2.0f; d > 0.0f && distanceAtFound < 0.0f; d -= 0.005f) {
        ball->setGlobalPose(Transform(across * d));
        w.run(1);
        if (w.callback.count(PairFlag::TouchFound) > 0) distanceAtFound = d;
    }
    // Touching means centre distance = half thickness + radius = 0.7.
    EXPECT_NEAR(distanceAtFound, 0.7f, 0.01f);
}

TEST(PhysicsTrigger, TwoBallsEnteringInOneStepArriveInOneReport) {
    TestWorld w(glm::vec3(0));
    w.addTrigger(glm::vec3(0), glm::vec3(1, 1, 1));
    RigidDynamic* a = w.addBall(glm::vec3(-5, 0, 0));
    RigidDynamic* b = w.addBall(glm::vec3(5, 0, 0));
    w.run(2);
    a->setGlobalPose(Transform(glm::vec3(-0.5f, 0, 0)));
    b->setGlobalPose(Transform(glm::vec3(0.5f, 0, 0)));
    w.run(1);

    ASSERT_EQ(w.callback.calls, 1);
    ASSERT_EQ(w.callback.recorded.size(), 2u);
    EXPECT_NE(w.callback.recorded[0].otherActor, w.callback.recorded[1].otherActor);
    for (const auto& p : w.callback.recorded) EXPECT_EQ(p.status, PairFlag::TouchFound);
}

TEST(PhysicsTrigger, EachShapeOfABallIsItsOwnPair) {
    TestWorld w(glm::vec3(0));
    w.addTrigger(glm::vec3(0), glm::vec3(1, 1, 1));
    RigidDynamic* ball = w.addBall(glm::vec3(5, 0, 0));
    Shape* first = nullptr;
    ball->getShapes(&first, 1);
    // The very same sphere again, as the game's spheres carry it: the two
    // collide as one, yet each must be reported.
    Shape* second = ball->createShape(Geometry::sphere(0.5f), *first->getMaterial());
    w.run(1);
    ball->setGlobalPose(Transform(glm::vec3(0)));
    w.run(1);
    ASSERT_EQ(w.callback.recorded.size(), 2u);
    EXPECT_NE(w.callback.recorded[0].otherShape, w.callback.recorded[1].otherShape);
    EXPECT_TRUE(w.callback.recorded[0].otherShape == second || w.callback.recorded[1].otherShape == second);
}

TEST(PhysicsTrigger, SwitchingATriggerOffEndsItsOverlapsAndOnAgainFindsThem) {
    TestWorld w(glm::vec3(0));
    RigidStatic* trigger = w.addTrigger(glm::vec3(0), glm::vec3(1, 1, 1));
    w.addBall(glm::vec3(0));
    w.run(1);
    Shape* shape = nullptr;
    trigger->getShapes(&shape, 1);
    shape->setFlag(ShapeFlag::Trigger, false);
    w.run(2);
    shape->setFlag(ShapeFlag::Trigger, true);
    w.run(2);
    ASSERT_EQ(w.callback.recorded.size(), 3u);
    EXPECT_EQ(w.callback.recorded[0].status, PairFlag::TouchFound);
    EXPECT_EQ(w.callback.recorded[1].status, PairFlag::TouchLost);
    EXPECT_EQ(w.callback.recorded[2].status, PairFlag::TouchFound);
}

TEST(PhysicsTrigger, ReportsArriveOnlyInsideFetchResults) {
    TestWorld w(glm::vec3(0));
    w.addTrigger(glm::vec3(0), glm::vec3(1, 1, 1));
    w.addBall(glm::vec3(0));
    w.scene->simulate(step);
    EXPECT_EQ(w.callback.calls, 0);
    EXPECT_TRUE(w.scene->fetchResults(true));
    EXPECT_EQ(w.callback.calls, 1);
    // Nothing started since: nothing to fetch, nothing reported twice.
    EXPECT_FALSE(w.scene->fetchResults(true));
    EXPECT_EQ(w.callback.calls, 1);
}

TEST(PhysicsTrigger, RemovedBallIsForgottenWithoutAReport) {
    TestWorld w(glm::vec3(0));
    w.addTrigger(glm::vec3(0), glm::vec3(1, 1, 1));
    RigidDynamic* ball = w.addBall(glm::vec3(0));
    w.run(1);
    w.scene->removeActor(*ball);
    w.run(2);
    EXPECT_EQ(w.callback.count(PairFlag::TouchLost), 0);
    EXPECT_EQ(w.scene->getNbActors(), 1u);
}

// A wall across the ball's path, like a level door.
struct DoorCourse {
    DoorCourse() {
        w.addBox(glm::vec3(0, -1, 0), glm::vec3(20, 1, 20));
        door = w.addBox(glm::vec3(0, 1, 0), glm::vec3(0.1f, 1, 3));
        door->createShape(Geometry::box(glm::vec3(0.1f, 1, 3)), *w.material);  // doors carry two shapes
        ball = w.addBall(glm::vec3(-3, 0.5f, 0), 0.5f, 10.0f);
        w.run(10);
    }
    void setShapeSolid(uint32_t index, bool solid) {
        Shape* shapes[2];
        door->getShapes(shapes, 2);
        shapes[index]->setFlag(ShapeFlag::Simulation, solid);
    }
    void setDoorSolid(bool solid) {
        Shape* shapes[2];
        const uint32_t n = door->getShapes(shapes, 2);
        for (uint32_t i = n; i-- > 0;) shapes[i]->setFlag(ShapeFlag::Simulation, solid);
    }
    // Held like a movement key: with the game's damping this heads for
    // about 3 m/s, so the ball covers some 5 m in two seconds.
    void push(float direction) {
        for (int i = 0; i < 120; ++i) {
            ball->addForce(glm::vec3(7200.0f * direction, 0, 0));
            w.run(1);
        }
    }
    TestWorld w;
    RigidStatic* door;
    RigidDynamic* ball;
};

TEST(PhysicsDoor, ClosedDoorBlocksOpenDoorLetsThroughClosedAgainBlocks) {
    DoorCourse c;
    c.push(1);
    EXPECT_LT(c.ball->getGlobalPose().p.x, -0.5f) << "a closed door must block";

    c.setDoorSolid(false);
    c.push(1);
    EXPECT_GT(c.ball->getGlobalPose().p.x, 1.0f) << "an open door must let the ball through";

    c.setDoorSolid(true);
    c.push(-1);
    EXPECT_GT(c.ball->getGlobalPose().p.x, 0.5f) << "a closed door must block from the other side too";
}

TEST(PhysicsDoor, DoorWithOneOfItsTwoShapesStillSolidStillBlocks) {
    DoorCourse c;
    c.setShapeSolid(0, false);
    c.push(1);
    EXPECT_LT(c.ball->getGlobalPose().p.x, -0.5f);
}

TEST(PhysicsDoor, OpeningATrapdoorDropsTheSleepingBallOnIt) {
    TestWorld w;
    RigidStatic* trapdoor = w.addBox(glm::vec3(0, -0.1f, 0), glm::vec3(2, 0.1f, 2));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 0.5f, 0));
    w.run(300);
    ASSERT_TRUE(ball->isSleeping());

    Shape* shape = nullptr;
    trapdoor->getShapes(&shape, 1);
    shape->setFlag(ShapeFlag::Simulation, false);
    w.run(30);
    EXPECT_LT(ball->getGlobalPose().p.y, -1.0f);
}

}  // namespace
}  // namespace velmora::physics
