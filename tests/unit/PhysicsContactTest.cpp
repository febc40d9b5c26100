// Contacts: their reports, material combine, flat boxes, mesh floors
// (mirrored too) and their internal edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <glm/gtc/quaternion.hpp>

#include "physics/SceneImpl.h"
#include "tests/unit/PhysicsTestWorld.h"

namespace velmora::physics {
namespace {

using testing::step;
using testing::TestWorld;

TEST(PhysicsContact, FrictionAndRestitutionAreAveragedNotMultiplied) {
    TestWorld w;  // the floor's material is (1, 1, 1), the ball's (500.5, 500.5, 0.1)
    w.addBox(glm::vec3(0, -1, 0), glm::vec3(5, 1, 5));
    w.addBall(glm::vec3(0, 0.5f, 0));
    w.run(5);

    btDispatcher* dispatcher = static_cast<SceneImpl*>(w.scene)->world().getDispatcher();
    int points = 0;
    for (int m = 0; m < dispatcher->getNumManifolds(); ++m) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(m);
        for (int p = 0; p < manifold->getNumContacts(); ++p, ++points) {
            EXPECT_FLOAT_EQ(manifold->getContactPoint(p).m_combinedFriction, 250.75f);
            EXPECT_FLOAT_EQ(manifold->getContactPoint(p).m_combinedRestitution, 0.55f);
        }
    }
    EXPECT_GT(points, 0);
}

TEST(PhysicsContact, BallBouncesWithTheAverageRestitutionOnlyFromTwoMetresASecond) {
    struct Drop {
        float height;  // of the ball's lowest point above the floor
        bool bounces;
    };
    // About 1.4, 2.4 and 11 m/s at the floor: a step's gentle landing stays
    // put, the others bounce.
    for (const Drop drop : {Drop{0.06f, false}, Drop{0.15f, true}, Drop{3.0f, true}}) {
        TestWorld w;
        w.addBox(glm::vec3(0, -1, 0), glm::vec3(5, 1, 5));
        RigidDynamic* ball = w.addBall(glm::vec3(0, 0.5f + drop.height, 0));
        float impact = 0.0f, rebound = 0.0f;
        for (int i = 0; i < 120; ++i) {
            impact = std::max(impact, -ball->getLinearVelocity().y);
            w.run(1);
            rebound = std::max(rebound, ball->getLinearVelocity().y);
        }
        ASSERT_GT(impact, 1.2f) << "drop " << drop.height;
        if (drop.bounces) {
            // The product of the two would be 0.1.
            EXPECT_NEAR(rebound / impact, 0.55f, 0.08f) << "drop " << drop.height;
        } else {
            EXPECT_LT(rebound, 0.05f) << "drop " << drop.height;
            EXPECT_NEAR(ball->getGlobalPose().p.y, 0.5f, 0.02f);
        }
    }
}

TEST(PhysicsContact, ReportsTheStartOfAContactWithItsNormalSpeedAndItsEnd) {
    TestWorld w;
    RigidStatic* floor = w.addBox(glm::vec3(0, -1, 0), glm::vec3(5, 1, 5));
    RigidDynamic* ball = w.addBall(glm::vec3(0, 0.56f, 0));
    RigidDynamic* resting = w.addBall(glm::vec3(3, 0.5f, 0));
    w.run(60);
    // The dropped ball's landing, at the speed it fell (about 1.4 m/s); the
    // ball placed on the floor begins at none.
    ASSERT_EQ(w.callback.contacts.size(), 2u);
    for (const ContactReport& report : w.callback.contacts) {
        EXPECT_TRUE(report.began);
        EXPECT_EQ(report.other, floor);
        EXPECT_NEAR(report.normal.y, 1.0f, 1e-3f);
        EXPECT_NEAR(report.point.y, 0.0f, 0.02f);
        EXPECT_NEAR(report.normalSpeed, report.actor == ball ? 1.4f : 0.0f, 0.2f);
    }

    // Rolling along the floor stays one contact; hitting the other ball is
    // a new one, reported with the ball created first, at the speed along
    // the line between the two; leaving the floor's edge ends one.
    w.callback.contacts.clear();
    ball->setLinearVelocity(glm::vec3(4, 0, 0));
    float closing = 0.0f;
    for (int i = 0; i < 120 && w.callback.contacts.empty(); ++i) {
        closing = ball->getLinearVelocity().x - resting->getLinearVelocity().x;
        w.run(1);
    }
    ASSERT_EQ(w.callback.contacts.size(), 1u);
    const ContactReport hit = w.callback.contacts[0];
    EXPECT_TRUE(hit.began);
    EXPECT_EQ(hit.actor, ball);
    EXPECT_EQ(hit.other, resting);
    EXPECT_NEAR(hit.normal.x, -1.0f, 1e-2f);
    EXPECT_NEAR(hit.normalSpeed, closing, 0.05f);
    w.callback.contacts.clear();
    w.run(120);
    const auto leftTheFloor = std::count_if(w.callback.contacts.begin(), w.callback.contacts.end(),
                                            [&](const ContactReport& r) { return !r.began && r.other == floor; });
    EXPECT_GE(leftTheFloor, 1);
}

TEST(PhysicsContact, FlatBoxWithZeroThicknessStopsAFallingBall) {
    TestWorld w;
    // Authored flat in its own z, turned to lie in the world's floor plane.
    const glm::quat upright = glm::angleAxis(glm::radians(-90.0f), glm::vec3(1, 0, 0));
    w.addBox(glm::vec3(0), glm::vec3(2, 2, 0), upright);
    RigidDynamic* ball = w.addBall(glm::vec3(0, 4, 0));
    w.run(180);
    EXPECT_NEAR(ball->getGlobalPose().p.y, 0.5f, 0.03f);
}

// Lowest and highest centre height of a ball rolled across a floor.
struct RollResult {
    float lowest = 1e9f;
    float highest = -1e9f;
    float distance = 0.0f;
};

RollResult rollAcross(TestWorld& w, float speed) {
    const glm::vec3 start(-15, 0.5f, -4);
    RigidDynamic* ball = w.addBall(start);
    w.run(20);  // settle
    const glm::vec3 direction = glm::normalize(glm::vec3(1, 0, 0.3f));  // crosses every kind of edge
    ball->addForce(direction * (200.0f * speed / step));
    RollResult result;
    for (int i = 0; i < 90; ++i) {
        w.run(1);
        const float y = ball->getGlobalPose().p.y;
        result.lowest = std::min(result.lowest, y);
        result.highest = std::max(result.highest, y);
    }
    result.distance = glm::length(ball->getGlobalPose().p - start);
    return result;
}

class PhysicsMeshFloor : public ::testing::TestWithParam<std::tuple<float, glm::vec3>> {};

TEST_P(PhysicsMeshFloor, BallRollsAcrossInternalEdgesWithoutBumps) {
    const float speed = std::get<0>(GetParam());
    const glm::vec3 scale = std::get<1>(GetParam());
    TestWorld w;
    TriangleMesh* floor = w.cookFloor(40, 1.0f);
    ASSERT_NE(floor, nullptr);
    w.addMesh(floor, glm::vec3(0), scale);
    const RollResult r = rollAcross(w, speed);
    EXPECT_GT(r.distance, 0.9f * speed * 1.5f) << "the ball must roll, not stick";
    EXPECT_GT(r.lowest, 0.5f - 0.02f) << "sank into the floor";
    EXPECT_LT(r.highest, 0.5f + 0.02f) << "bumped at an edge";
}

// Mirrored scales (one or three negative components) flip the winding.
INSTANTIATE_TEST_SUITE_P(SpeedsAndScales, PhysicsMeshFloor,
                         ::testing::Combine(::testing::Values(5.0f, 10.0f, 15.0f),
                                            ::testing::Values(glm::vec3(1, 1, 1), glm::vec3(-1, 1, 1),
                                                              glm::vec3(1, 1, -1), glm::vec3(-1, -1, -1),
                                                              glm::vec3(1, -1, 1))));

TEST(PhysicsContact, MirroredMeshStillHoldsTheBallOnItsUpperSide) {
    TestWorld w;
    // A floor mirrored through x: the faces must still point up.
    w.addMesh(w.cookFloor(8, 1.0f), glm::vec3(0), glm::vec3(-1.5f, 1, 1));
    RigidDynamic* ball = w.addBall(glm::vec3(0.3f, 3, 0.2f));
    w.run(180);
    EXPECT_NEAR(ball->getGlobalPose().p.y, 0.5f, 0.03f);
}

TEST(PhysicsContact, WorldBoundsContainTheShape) {
    TestWorld w;
    const Transform pose(glm::vec3(3, -2, 7), glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3))));
    const Transform offset(glm::vec3(0.5f, 1, 0), glm::angleAxis(0.3f, glm::vec3(0, 0, 1)));

    RigidStatic* box = createStatic(*w.physics, pose, Geometry::box(glm::vec3(1, 2, 0.5f)), *w.material, offset);
    Shape* shape = nullptr;
    box->getShapes(&shape, 1);
    const Bounds b = shape->getWorldBounds();
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 local((corner & 1) ? 1 : -1, (corner & 2) ? 2 : -2, (corner & 4) ? 0.5f : -0.5f);
        const glm::vec3 world = (pose * offset).transform(local);
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_LE(b.minimum[axis], world[axis] + 1e-4f);
            EXPECT_GE(b.maximum[axis], world[axis] - 1e-4f);
        }
    }
    // Contains, but not wildly: no wider than the box's diagonal.
    EXPECT_LT(glm::length(b.maximum - b.minimum), 2.0f * glm::length(glm::vec3(2, 4, 1)) + 0.2f);

    RigidStatic* mesh = w.addMesh(w.cookFloor(2, 1.0f), glm::vec3(1, 2, 3), glm::vec3(2, 1, -3));
    mesh->getShapes(&shape, 1);
    const Bounds m = shape->getWorldBounds();
    EXPECT_LE(m.minimum.x, 1 - 2.0f);
    EXPECT_GE(m.maximum.x, 1 + 2.0f);
    EXPECT_LE(m.minimum.z, 3 - 3.0f);
    EXPECT_GE(m.maximum.z, 3 + 3.0f);
    EXPECT_LE(m.minimum.y, 2.0f);
    EXPECT_GE(m.maximum.y, 2.0f);
}

TEST(PhysicsContact, ShapeGlobalPoseIsActorPoseTimesLocalPose) {
    TestWorld w;
    const Transform pose(glm::vec3(1, 2, 3), glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 1, 0)));
    RigidStatic* actor = w.physics->createRigidStatic(pose);
    Shape* shape = actor->createShape(Geometry::sphere(1), *w.material, Transform(glm::vec3(1, 0, 0)));
    const Transform global = shape->getGlobalPose();
    EXPECT_NEAR(global.p.x, 1.0f, 1e-5f);
    EXPECT_NEAR(global.p.y, 2.0f, 1e-5f);
    EXPECT_NEAR(global.p.z, 2.0f, 1e-5f);  // +x turned a quarter about y is -z
    EXPECT_NEAR(std::abs(glm::dot(global.q, pose.q)), 1.0f, 1e-5f);
}

}  // namespace
}  // namespace velmora::physics
