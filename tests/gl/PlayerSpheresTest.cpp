#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "physics/Physics.h"
#include "render/ParticleSystem.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/GameWorldFixture.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"
#include "sim/SolidSphere.h"
#include "world/DrawNode.h"

namespace velmora {
namespace {

constexpr float kStep = 1.0f / 60.0f;

// The world object as the game builds it, with the shipped level and both spheres.
class PlayerSpheres : public test::GameWorldFixture {
protected:
    physics::RigidDynamic* actor(ActorType type) { return world().playerActors.at(type)->actor; }
    glm::vec3 position(ActorType type) { return actor(type)->getGlobalPose().p; }
    glm::vec3 velocity(ActorType type) { return actor(type)->getLinearVelocity(); }

    // Only the spheres, floating where they are put: no floor, no gravity, so
    // every change of speed comes from our own forces.
    void floatSpheres(glm::vec3 main, glm::vec3 second) {
        test::removeLevel(world(), simulation(), *logic);
        simulation().scene()->setGravity(glm::vec3(0.0f));
        simulation().placeSpheres(main, second);
    }
    // One input frame for the second sphere, then one physics step.
    std::string magnetFrame() {
        testing::internal::CaptureStdout();
        step();
        return testing::internal::GetCapturedStdout();
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

    // Drawn textured at their size, twice and three times per pass.
    for (scene::SceneObject* sphere : {static_cast<scene::SceneObject*>(main), static_cast<scene::SceneObject*>(second)}) {
        EXPECT_TRUE(sphere->hasMesh && drawNodeOf(*sphere).isInitialised && drawNodeOf(*sphere).isTextured);
        EXPECT_EQ(drawNodeOf(*sphere).objectProgram, logic->textureProgram);
    }
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

    // Without the level, a scene pass draws just the spheres' five shapes.
    test::removeLevel(world(), simulation(), *logic);
    logic->frustumCullingEnabled = false;
    logic->renderScene(false, glm::mat4(1.0f), glm::mat4(1.0f), 0.0);
    EXPECT_EQ(logic->drawnObjectCount, 5);
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

TEST_F(PlayerSpheres, CoupledTheSecondSphereIsPulledInTheGroundPlaneOnlyWhenClose) {
    floatSpheres(glm::vec3(0, 10, 0), glm::vec3(3.0f, 10, 0));
    EXPECT_EQ(magnetFrame(), "");
    EXPECT_EQ(velocity(SecondActorType), glm::vec3(0.0f));

    // Close, and higher up: the pull is level all the same.
    simulation().placeSpheres(glm::vec3(0, 10, 0), glm::vec3(1.8f, 10.5f, 0));
    EXPECT_EQ(magnetFrame(), "make system\n");
    EXPECT_LT(velocity(SecondActorType).x, 0.0f);
    EXPECT_EQ(velocity(SecondActorType).y, 0.0f);
    EXPECT_EQ(velocity(MainActorType), glm::vec3(0.0f));

    // The burst sits one unit from the main sphere towards the second, raised.
    ASSERT_EQ(logic->particleSystems.size(), 1u);
    const glm::vec3 towards = glm::normalize(glm::vec3(1.8f, 0.5f, 0.0f));
    const glm::vec3 expected = glm::vec3(0, 10, 0) + towards + glm::vec3(0, 0.5f, 0);
    EXPECT_NEAR(glm::length(logic->particleSystems.front()->origin - expected), 0.0f, 1e-5f);
    EXPECT_NE(logic->particleSystems.front()->texture, 0u);

    // Pulling on makes no second burst.
    simulation().placeSpheres(glm::vec3(0, 10, 0), glm::vec3(1.8f, 10, 0));
    EXPECT_EQ(magnetFrame(), "");
    EXPECT_EQ(logic->particleSystems.size(), 1u);
}

TEST_F(PlayerSpheres, UncoupledTheSecondSphereIsPushedAwayAndThePushRearmsTheBurst) {
    floatSpheres(glm::vec3(0, 10, 0), glm::vec3(0, 10, 1.9f));
    EXPECT_EQ(magnetFrame(), "make system\n");  // the first pull
    next.coupled = false;
    simulation().placeSpheres(glm::vec3(0, 10, 0), glm::vec3(0, 10, 1.9f));
    simulation().stopSpheres();
    EXPECT_EQ(magnetFrame(), "");
    EXPECT_GT(velocity(SecondActorType).z, 0.0f);
    EXPECT_EQ(logic->particleSystems.size(), 1u);

    next.coupled = true;
    simulation().placeSpheres(glm::vec3(0, 10, 0), glm::vec3(0, 10, 1.9f));
    EXPECT_EQ(magnetFrame(), "make system\n");
    ASSERT_EQ(logic->particleSystems.size(), 2u);
    // The sprite was decoded once, with the level: both bursts draw the same texture.
    EXPECT_EQ(logic->particleSystems.back()->texture, logic->particleSystems.front()->texture);
    EXPECT_EQ(logic->particleSystems.back()->texture, logic->particleSprite);
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
        magnetFrame();
        EXPECT_NEAR(velocity(SecondActorType).x, before * (1.0f - c) + test.expectedX, full * 1e-3f)
            << (test.coupled ? "pull" : "push") << " at " << test.distance;
        EXPECT_EQ(velocity(SecondActorType).z, 0.0f);
        EXPECT_EQ(velocity(MainActorType), glm::vec3(0.0f));
    }
}

TEST_F(PlayerSpheres, SpheresAtOnePlaceAreNotPushedAlongNoDirection) {
    floatSpheres(glm::vec3(0, 10, 0), glm::vec3(0, 10, 0));
    next.coupled = false;
    magnetFrame();
    magnetFrame();
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
