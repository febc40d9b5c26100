#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "physics/Physics.h"
#include "render/ParticleSystem.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/GameWorldFixture.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"
#include "world/DrawNode.h"

namespace velmora {
namespace {

// The world object as the game builds it, with the shipped level and both
// spheres: how the renderer shows them and the magnet's bursts. Their rules
// are tested in the unit tier.
class PlayerSpheres : public test::GameWorldFixture {
protected:
    physics::RigidDynamic* actor(ActorType type) { return world().playerActors.at(type)->actor; }
    glm::vec3 velocity(ActorType type) { return actor(type)->getLinearVelocity(); }

    // Only the spheres, floating where they are put: no floor, no gravity, so
    // every change of speed comes from our own forces.
    void floatSpheres(glm::vec3 main, glm::vec3 second) {
        test::removeLevel(world(), simulation(), *logic);
        simulation().scene()->setGravity(glm::vec3(0.0f));
        simulation().placeSpheres(main, second);
    }
    // One input frame for the second sphere, then one physics step; what
    // the renderer printed for it.
    std::string magnetFrame() {
        testing::internal::CaptureStdout();
        step();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(PlayerSpheres, BothAreDrawnTexturedAndAloneMakeFiveShapesAPass) {
    // Twice and three times per pass: the main sphere's shapes, the second's.
    for (ActorType type : {MainActorType, SecondActorType}) {
        scene::SceneObject* sphere = world().playerActors.at(type)->object;
        EXPECT_TRUE(sphere->hasMesh && drawNodeOf(*sphere).isInitialised && drawNodeOf(*sphere).isTextured);
        EXPECT_EQ(drawNodeOf(*sphere).objectProgram, logic->textureProgram);
    }

    // Without the level, a scene pass draws just the spheres' five shapes.
    test::removeLevel(world(), simulation(), *logic);
    logic->frustumCullingEnabled = false;
    logic->renderScene(false, glm::mat4(1.0f), glm::mat4(1.0f), 0.0);
    EXPECT_EQ(logic->drawnObjectCount, 5);
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

}  // namespace
}  // namespace velmora
