// How dynamic actors move: damping, mass, forces, poses, determinism.

#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/PhysicsTestWorld.h"

namespace velmora::physics {
namespace {

using testing::step;
using testing::TestWorld;

TEST(PhysicsDynamics, DampingTenGivesTheTerminalSpeedOfTheDampingFormula) {
    TestWorld w(glm::vec3(0));
    RigidDynamic* ball = w.addBall(glm::vec3(0), 0.5f, 10.0f);
    const float force = 2000.0f, mass = 200.0f, c = 10.0f;
    for (int i = 0; i < 300; ++i) {
        ball->addForce(glm::vec3(force, 0, 0));
        w.run(1);
    }
    // Fixed point of v = (v + F/m*dt) * (1 - dt*c).
    const float terminal = force / mass * (1.0f - step * c) / c;
    EXPECT_NEAR(ball->getLinearVelocity().x, terminal, 0.02f * terminal);
}

TEST(PhysicsDynamics, DampingIsAFactorPerStepNotAStop) {
    TestWorld w(glm::vec3(0));
    RigidDynamic* ball = w.addBall(glm::vec3(0), 0.5f, 10.0f);
    ball->addForce(glm::vec3(200.0f * 6.0f / step, 0, 0));  // 6 m/s before damping
    w.run(1);
    EXPECT_NEAR(ball->getLinearVelocity().x, 6.0f * (1.0f - step * 10.0f), 1e-3f);
    w.run(1);
    EXPECT_NEAR(ball->getLinearVelocity().x, 6.0f * std::pow(1.0f - step * 10.0f, 2.0f), 1e-3f);
}

TEST(PhysicsDynamics, ForceActsInTheNextStepOnlyAndWakesTheBall) {
    TestWorld w;
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(20, 1, 20));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 0.5f, 0));
    w.run(300);
    ASSERT_TRUE(ball->isSleeping());

    ball->addForce(glm::vec3(0, 0, 12000.0f));
    EXPECT_FALSE(ball->isSleeping());
    EXPECT_EQ(ball->getLinearVelocity().z, 0.0f) << "nothing moves before the step";
    w.run(1);
    const float afterPush = ball->getLinearVelocity().z;
    EXPECT_GT(afterPush, 0.5f);
    w.run(1);
    // Rolling friction is nil and damping 0: no second push means no gain.
    EXPECT_LE(ball->getLinearVelocity().z, afterPush + 1e-4f);
}

TEST(PhysicsDynamics, SetGlobalPoseMovesButKeepsVelocity) {
    TestWorld w(glm::vec3(0));
    RigidDynamic* ball = w.addBall(glm::vec3(0));
    ball->addForce(glm::vec3(200.0f * 3.0f / step, 0, 0));
    w.run(1);
    const glm::vec3 before = ball->getLinearVelocity();
    ball->setGlobalPose(Transform(glm::vec3(10, 5, 0)));
    EXPECT_EQ(ball->getGlobalPose().p, glm::vec3(10, 5, 0));
    EXPECT_EQ(ball->getLinearVelocity(), before);
    w.run(1);
    EXPECT_NEAR(ball->getGlobalPose().p.x, 10.0f + 3.0f * step, 1e-4f);
}

TEST(PhysicsDynamics, MassOverrideKeepsTheDensityInertia) {
    TestWorld w(glm::vec3(0));
    RigidDynamic* ball = w.addBall(glm::vec3(0));  // density 1, radius 0.5, then mass 200
    const float densityMass = 4.0f / 3.0f * float(M_PI) * 0.125f;
    EXPECT_FLOAT_EQ(ball->getMass(), 200.0f);
    const glm::vec3 inertia = ball->getMassSpaceInertiaTensor();
    EXPECT_NEAR(inertia.x, 0.4f * densityMass * 0.25f, 1e-5f);
    EXPECT_EQ(inertia.x, inertia.y);
    EXPECT_EQ(inertia.x, inertia.z);
}

TEST(PhysicsDynamics, LightInertiaLetsASlidingBallRollWithoutLosingSpeed) {
    // With the inertia of a 200 kg ball it would keep only 5/7 of its speed.
    TestWorld w;
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(50, 1, 50));
    RigidDynamic* ball = w.addBall(glm::vec3(-20, 0.5f, 0));
    w.run(10);
    ball->addForce(glm::vec3(200.0f * 5.0f / step, 0, 0));
    w.run(60);
    EXPECT_GT(ball->getLinearVelocity().x, 0.98f * 5.0f);
    EXPECT_NEAR(-ball->getAngularVelocity().z * 0.5f, ball->getLinearVelocity().x, 0.05f);
}

TEST(PhysicsDynamics, GravityPullsAsTheSceneSays) {
    TestWorld w;
    RigidDynamic* ball = w.addBall(glm::vec3(0));
    EXPECT_EQ(w.scene->getGravity(), glm::vec3(0, -20.8f, 0));
    w.run(60);
    EXPECT_NEAR(ball->getLinearVelocity().y, -20.8f, 0.01f);
}

std::vector<Transform> runCourse() {
    TestWorld w;
    w.addMesh(w.cookFloor(20, 1.0f), glm::vec3(0));
    w.addBox(glm::vec3(3, 0.5f, 2), glm::vec3(0.5f, 0.5f, 2));
    RigidDynamic* a = w.addBall(glm::vec3(-1, 0.6f, 0), 0.5f, 10.0f);
    RigidDynamic* b = w.addBall(glm::vec3(2, 1.1f, -3), 1.0f, 10.0f);
    std::vector<Transform> poses;
    for (int i = 0; i < 300; ++i) {
        a->addForce(glm::vec3(9000.0f, 0, 4000.0f));
        b->addForce(glm::vec3(-3000.0f, 0, 7000.0f));
        w.run(1);
        poses.push_back(a->getGlobalPose());
        poses.push_back(b->getGlobalPose());
    }
    return poses;
}

TEST(PhysicsDynamics, SameInputsGiveBitIdenticalPoses) {
    const std::vector<Transform> first = runCourse();
    const std::vector<Transform> second = runCourse();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(std::memcmp(&first[i].p, &second[i].p, sizeof(glm::vec3)), 0) << "pose " << i;
        ASSERT_EQ(std::memcmp(&first[i].q, &second[i].q, sizeof(glm::quat)), 0) << "pose " << i;
    }
}

}  // namespace
}  // namespace velmora::physics
