// The two player spheres as the simulation builds and moves them: their
// bodies, the push against the damping, the magnet's ranges, a reset.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "physics/Physics.h"
#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"
#include "sim/SolidSphere.h"
#include "tests/unit/SimScenery.h"
#include "tests/unit/SimWorldFixture.h"

namespace velmora {
namespace {

constexpr float kStep = 1.0f / 60.0f;

// The shipped level with both spheres.
class PlayerSpheres : public test::SimWorldFixture {
protected:
    physics::RigidDynamic* actor(ActorType type) { return world().playerActors.at(type)->actor; }
    glm::vec3 position(ActorType type) { return actor(type)->getGlobalPose().p; }
    glm::vec3 velocity(ActorType type) { return actor(type)->getLinearVelocity(); }

    // Only the spheres, floating where they are put: no floor, no gravity, so
    // every change of speed comes from our own forces.
    void floatSpheres(glm::vec3 main, glm::vec3 second) {
        test::removeLevel(world(), simulation());
        simulation().scene()->setGravity(glm::vec3(0.0f));
        simulation().placeSpheres(main, second);
    }
};

TEST_F(PlayerSpheres, BothAreBuiltAfterTheLevelAndRegisteredByType) {
    const std::vector<scene::SceneObject*>& children = world().root->children;
    ASSERT_GE(children.size(), 5u);  // three tiles, then the spheres
    auto* main = dynamic_cast<scene::MainSphere*>(children[children.size() - 2]);
    auto* second = dynamic_cast<scene::SecondSphere*>(children.back());
    ASSERT_NE(main, nullptr);
    ASSERT_NE(second, nullptr);

    ASSERT_EQ(world().playerActors.size(), 2u);
    EXPECT_EQ(world().playerActors.at(MainActorType)->object, main);
    EXPECT_EQ(world().playerActors.at(SecondActorType)->object, second);
    EXPECT_EQ(world().actorTypes.at(main->actor), MainActorType);
    EXPECT_EQ(world().actorTypes.at(second->actor), SecondActorType);
    EXPECT_EQ(main->actor->getName(), "MainActor");
    EXPECT_EQ(second->actor->getName(), "SecondActor");
    EXPECT_EQ(main->actor->getScene(), simulation().scene());
    EXPECT_EQ(second->actor->getScene(), simulation().scene());

    // The second is drawn at its size: twice the model's radius.
    EXPECT_EQ(second->localMatrix[0][0], 2.0f);
    EXPECT_EQ(main->actor->getNbShapes(), 2u);
    ASSERT_EQ(second->actor->getNbShapes(), 3u);
    physics::Shape* shapes[3];
    second->actor->getShapes(shapes, 3);
    EXPECT_EQ(shapes[0]->getGeometry().radius, 1.0f);
    // The outer sphere neither collides nor sets off triggers.
    EXPECT_EQ(shapes[2]->getGeometry().radius, 2.0f);
    EXPECT_FALSE(shapes[2]->getFlag(physics::ShapeFlag::Simulation));
    EXPECT_FALSE(shapes[2]->getFlag(physics::ShapeFlag::Trigger));
}

TEST_F(PlayerSpheres, ASteadyPushReachesTheSpeedTheDampingAllows) {
    floatSpheres(glm::vec3(0, 10, 0), glm::vec3(20, 10, 0));
    for (int i = 0; i < 120; ++i) {
        push(glm::vec3(1, 0, 0));
        step();
    }
    // 2000 N on 200 kg, damped by 10 per second at 60 steps per second.
    const float c = spheres::kLinearDamping * kStep;
    const float terminal = 2000.0f / 200.0f * kStep * (1.0f - c) / c;
    EXPECT_NEAR(velocity(MainActorType).x, terminal, terminal * 0.01f);
    EXPECT_EQ(velocity(MainActorType).y, 0.0f);
    EXPECT_EQ(velocity(SecondActorType), glm::vec3(0.0f));
}

TEST_F(PlayerSpheres, TheMagnetActsWithItsFullForceUpToTheEdgesOfItsRangesAndNotBeyond) {
    // One step of the full magnet force on the second sphere, damped once.
    const float c = spheres::kLinearDamping * kStep;
    const float full = spheres::kMagnetForce / spheres::kMass * kStep * (1.0f - c);
    struct Case {
        bool coupled;
        float distance;   // between the centres, along +x
        float expectedX;  // what one step adds to the second sphere's speed
    };
    const Case cases[] = {
        {true, 1.52f, 0.0f},    // a pull needs a gap above 0.02...
        {true, 1.53f, -full},
        {true, 2.0f, -full},    // ...and reaches up to 2.0 itself
        {true, 2.01f, 0.0f},
        {false, 1.6f, full},
        {false, 1.99f, full},   // a push stops short of 2.0
        {false, 2.0f, 0.0f},
    };
    for (const Case& test : cases) {
        floatSpheres(glm::vec3(0, 10, 0), glm::vec3(test.distance, 10, 0));
        // The speed left from the case before decays by the damping alone.
        const float before = velocity(SecondActorType).x;
        next.coupled = test.coupled;
        step();
        EXPECT_NEAR(velocity(SecondActorType).x, before * (1.0f - c) + test.expectedX, full * 1e-3f)
            << (test.coupled ? "pull" : "push") << " at " << test.distance;
        EXPECT_EQ(velocity(SecondActorType).z, 0.0f);
        EXPECT_EQ(velocity(MainActorType), glm::vec3(0.0f));
    }
}

TEST_F(PlayerSpheres, SpheresAtOnePlaceAreNotPushedAlongNoDirection) {
    floatSpheres(glm::vec3(0, 10, 0), glm::vec3(0, 10, 0));
    next.coupled = false;
    step();
    step();
    // Their contact parts them; a force along no direction would have left
    // the second body with NaNs for good.
    for (ActorType type : {MainActorType, SecondActorType}) {
        EXPECT_FALSE(glm::any(glm::isnan(position(type))));
        EXPECT_FALSE(glm::any(glm::isnan(velocity(type))));
    }
}

TEST_F(PlayerSpheres, AResetPutsBothAtTheirResetPlacesAndStopsThem) {
    // Whatever the hazard's text, through the callback the level's triggers get.
    for (const std::string& text : {std::string("spikes"), std::string(), std::string(1000, 'x')}) {
        floatSpheres(glm::vec3(0, 10, 0), glm::vec3(10, 10, 0));
        push(glm::vec3(0, 0, 1));
        simulation().scene()->setGravity(glm::vec3(0.0f, -9.81f, 0.0f));  // the second one falls
        step();
        ASSERT_GT(velocity(MainActorType).z, 0.0f);
        ASSERT_LT(velocity(SecondActorType).y, 0.0f);
        simulation().resetGame(text);
        EXPECT_EQ(position(MainActorType), spheres::kMainReset) << text;
        EXPECT_EQ(position(SecondActorType), spheres::kSecondReset) << text;
        for (ActorType type : {MainActorType, SecondActorType}) {
            EXPECT_EQ(velocity(type), glm::vec3(0.0f)) << text;
            EXPECT_EQ(actor(type)->getAngularVelocity(), glm::vec3(0.0f)) << text;
        }
    }
}

}  // namespace
}  // namespace velmora
