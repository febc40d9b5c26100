#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "tests/gl/GameWorldFixture.h"
#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "sim/Trigger.h"
#include "world/DrawNode.h"

namespace velmora::test {

namespace {

void forEachBelow(scene::SceneObject* node, const std::function<void(scene::SceneObject*)>& visit) {
    for (scene::SceneObject* child : node->children) {
        visit(child);
        forEachBelow(child, visit);
    }
}

}  // namespace

// The world object built from the repository root, with the level it ships.
class ShippedLevel : public GameWorldFixture {
protected:
    const std::string& output = creationOutput;
    const std::string& errors = creationErrors;
};

TEST_F(ShippedLevel, AllThreeTilesLoadAndTheTimeIsPrintedOnce) {
    EXPECT_EQ(errors, "");
    const size_t line = output.find("Time for creation: ");
    ASSERT_NE(line, std::string::npos) << output;
    EXPECT_EQ(output.find("Time for creation: ", line + 1), std::string::npos);
    EXPECT_NE(output.find("sec\n", line), std::string::npos);
    EXPECT_EQ(output.find("mCooking failed"), std::string::npos);

    // One grouping object per tile, first among the root's children.
    ASSERT_GE(world().root->children.size(), 3u);
    for (int tile = 0; tile < 3; ++tile) {
        EXPECT_TRUE(world().root->children[tile]->isGroup) << tile;
        EXPECT_FALSE(world().root->children[tile]->children.empty()) << tile;
    }
    // Every level object collides, is on the GPU, and has the texture it names.
    int meshObjects = 0;
    for (int tile = 0; tile < 3; ++tile) {
        forEachBelow(world().root->children[tile], [&](scene::SceneObject* object) {
            if (object->isGroup) return;
            ++meshObjects;
            EXPECT_NE(object->actor, nullptr) << object->name;
            EXPECT_TRUE(drawNodeOf(*object).isInitialised) << object->name;
            EXPECT_EQ(drawNodeOf(*object).isTextured, drawNodeOf(*object).objectProgram == logic->textureProgram)
                << object->name;
        });
    }
    EXPECT_GE(meshObjects, 100);
}

TEST_F(ShippedLevel, DoorsTriggersMillAndGlassAreWhereTheGameLooks) {
    // Steady gates that open for good, and two doors that shut again.
    for (const auto& [name, steady] : {std::pair<const char*, bool>{"DoorA", true},
                                       {"DoorB", false},
                                       {"DoorC", true},
                                       {"DoorD", true},
                                       {"DoorE", false}}) {
        ASSERT_EQ(world().doorRegistry.count(name), 1u) << name;
        EXPECT_EQ(world().doorRegistry.at(name)->isSteady, steady) << name;
    }

    // Six switches, two spike fields, the pit and the goal.
    EXPECT_EQ(world().triggerRegistry.size(), 10u);
    int wins = 0;
    int resets = 0;
    for (const auto& [actor, trigger] : world().triggerRegistry) {
        EXPECT_EQ(trigger->actor, actor);
        wins += trigger->actions.count("win") != 0;
        resets += trigger->actions.count("reset") != 0;
    }
    EXPECT_EQ(wins, 1);
    EXPECT_EQ(resets, 3);

    scene::SceneObject* mill = find("mill");
    ASSERT_NE(mill, nullptr);
    EXPECT_EQ(mill->children.size(), 1u);

    ASSERT_GE(logic->transparentObjects.size(), 5u);
    EXPECT_EQ(logic->transparentObjects[0]->name, "balcony_rail");
}

TEST_F(ShippedLevel, TheGoalIsInTheThirdTileAndEndsTheGame) {
    auto* goal = dynamic_cast<scene::Trigger*>(find("goal trigger"));
    ASSERT_NE(goal, nullptr);
    // (-16.5, -26.5, 3) in the third tile, which lies at (30, 0, -52): on
    // the mill platform, 3 m up.
    const glm::vec3 at = goal->actor->getGlobalPose().p;
    EXPECT_NEAR(at.x, 13.5f, 1e-4f);
    EXPECT_NEAR(at.y, 3.0f, 1e-4f);
    EXPECT_NEAR(at.z, -25.5f, 1e-4f);
    goal->winCallback();
    EXPECT_FALSE(logic->gameRunning());
}

TEST_F(ShippedLevel, TheKeysPushTheMainSphereUpARampWithTheSecondInTow) {
    // The balcony ramp in the start room climbs 1.5 m over 8 m northwards,
    // like every ramp of the level. Held W pushes as the keys do (1000/60
    // per frame), eased off above 3 m/s so the magnet keeps up.
    physics::RigidDynamic* main = world().playerActors.at(MainActorType)->actor;
    physics::RigidDynamic* second = world().playerActors.at(SecondActorType)->actor;
    simulation().placeSpheres({-4.5f, 0.5f, -21.0f}, {-4.5f, 1.0f, -19.4f});
    next.coupled = true;
    for (int frame = 0; frame < 240; ++frame) {
        if (glm::length(main->getLinearVelocity()) < 3.0f) {
            push({0.0f, 0.0f, -1000.0f / 60.0f});
        }
        step();
    }
    // Both stand on the balcony, 1.5 m up (or on its switch plate).
    EXPECT_NEAR(main->getGlobalPose().p.y, 2.0f, 0.1f);
    EXPECT_LT(main->getGlobalPose().p.z, -30.0f);
    EXPECT_NEAR(second->getGlobalPose().p.y, 2.5f, 0.1f);
    EXPECT_LT(second->getGlobalPose().p.z, -30.0f);
}

TEST_F(ShippedLevel, TheMagnetTowsTheSecondSphereOffItsSwitchPad) {
    // The switch beside DoorB lies on the hall floor from x 4 to 7 at z
    // -44.7. Towed east at 2 m/s the second sphere rolls off its rim; an
    // upright rim threw it back out of the magnet's reach.
    physics::RigidDynamic* main = world().playerActors.at(MainActorType)->actor;
    physics::RigidDynamic* second = world().playerActors.at(SecondActorType)->actor;
    simulation().placeSpheres({7.05f, 0.5f, -44.7f}, {5.6f, 1.06f, -44.7f});
    next.coupled = true;
    for (int frame = 0; frame < 150; ++frame) {
        if (frame > 30 && main->getLinearVelocity().x < 2.0f) {
            push({1000.0f / 60.0f, 0.0f, 0.0f});
        }
        step();
    }
    EXPECT_GT(second->getGlobalPose().p.x, 8.5f);
    EXPECT_LT(glm::distance(main->getGlobalPose().p, second->getGlobalPose().p), 2.0f);
}

TEST_F(ShippedLevel, TilesShareTheirTextureFiles) {
    scene::SceneObject* start = find("floor start");
    scene::SceneObject* hall = find("floor hall");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(hall, nullptr);
    EXPECT_TRUE(drawNodeOf(*start).isTextured);
    EXPECT_EQ(drawNodeOf(*start).textureName, drawNodeOf(*hall).textureName);
    EXPECT_NE(*drawNodeOf(*start).textureName, 0u);
}

}  // namespace velmora::test
