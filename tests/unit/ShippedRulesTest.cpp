// The shipped level's switches, doors and goal as its tiles wire them.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <string>

#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "sim/SceneObject.h"
#include "sim/Trigger.h"
#include "tests/unit/SimWorldFixture.h"

namespace velmora::test {

// The rules as the shipped level wires them: its switches, doors and goal,
// set off by spheres dropped onto them and reported by real physics steps.
class ShippedRules : public SimWorldFixture {
protected:
    void SetUp() override {
        SimWorldFixture::SetUp();
        material = simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
        main = sphere(MainActorType, 0.5f);
        second = sphere(SecondActorType, 1.0f);
    }
    // Kept far from the level until a check puts it somewhere.
    physics::RigidDynamic* sphere(ActorType type, float radius) {
        physics::RigidDynamic* body = physics::createDynamic(
            *simulation().physics(), physics::Transform(parking(radius)), physics::Geometry::sphere(radius),
            *material, 1.0f);
        body->createShape(physics::Geometry::sphere(radius), *material);
        simulation().scene()->addActor(*body);
        world().actorTypes[body] = type;
        return body;
    }

    glm::vec3 parking(float radius) const { return glm::vec3(radius * 10.0f, 50.0f, 100.0f); }

    // The trigger whose "key" list holds value, e.g. the switch opening DoorB.
    scene::Trigger* triggerWith(const std::string& key, const std::string& value) {
        for (const auto& [actor, trigger] : world().triggerRegistry) {
            const auto list = trigger->actions.find(key);
            if (list == trigger->actions.end()) continue;
            for (const std::string& item : list->second) {
                if (item == value) return trigger;
            }
        }
        return nullptr;
    }

    // The sphere resting on the floor at the middle of the trigger.
    void putOn(physics::RigidDynamic* body, float radius, const scene::Trigger* trigger) {
        body->setGlobalPose(physics::Transform(trigger->actor->getGlobalPose().p +
                                               glm::vec3(0.0f, radius, 0.0f)));
        settle();
    }
    void park(physics::RigidDynamic* body, float radius) {
        body->setGlobalPose(physics::Transform(parking(radius)));
        settle();
    }
    // Two steps: the move is reported in the first, the rest settles.
    void settle() {
        step();
        step();
    }

    physics::Material* material = nullptr;
    physics::RigidDynamic* main = nullptr;
    physics::RigidDynamic* second = nullptr;
};

TEST_F(ShippedRules, SwitchesOpenTheirDoorsForTheirSpheresAndTheGoalEndsTheGame) {
    const auto trigger = [&](const char* name) {
        auto* found = dynamic_cast<scene::Trigger*>(find(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    const auto door = [&](const char* name) { return world().doorRegistry.at(name); };
    scene::Trigger* gateSwitch = trigger("gate switch trigger");
    scene::Trigger* heavyGateSwitch = trigger("heavy gate switch trigger");
    scene::Trigger* holdSwitch = trigger("hold switch trigger");
    scene::Trigger* farSwitch = trigger("far switch trigger");
    scene::Trigger* weightSwitch = trigger("weight switch trigger");
    scene::Trigger* bridgeSwitch = trigger("bridge switch trigger");
    scene::Trigger* goal = triggerWith("win", "yes");
    ASSERT_FALSE(::testing::Test::HasFailure());
    ASSERT_NE(goal, nullptr);

    testing::internal::CaptureStderr();
    // The gate of the start room: each of its switches ignores the other
    // sphere; the second sphere's opens it for good.
    putOn(second, 1.0f, gateSwitch);
    park(second, 1.0f);
    putOn(main, 0.5f, heavyGateSwitch);
    park(main, 0.5f);
    EXPECT_FALSE(door("DoorA")->isOpen);
    putOn(second, 1.0f, heavyGateSwitch);
    park(second, 1.0f);
    EXPECT_TRUE(door("DoorA")->isOpen);

    // DoorB answers the second sphere only, and only while it is there.
    putOn(main, 0.5f, holdSwitch);
    EXPECT_FALSE(door("DoorB")->isOpen);
    park(main, 0.5f);
    putOn(second, 1.0f, holdSwitch);
    EXPECT_TRUE(door("DoorB")->isOpen);
    park(second, 1.0f);
    EXPECT_FALSE(door("DoorB")->isOpen);

    // Behind it, either sphere opens DoorC for good.
    putOn(main, 0.5f, farSwitch);
    park(main, 0.5f);
    EXPECT_TRUE(door("DoorC")->isOpen);

    // The weight switch on the terrace wants the second sphere.
    putOn(main, 0.5f, weightSwitch);
    park(main, 0.5f);
    EXPECT_FALSE(door("DoorD")->isOpen);
    putOn(second, 1.0f, weightSwitch);
    park(second, 1.0f);
    EXPECT_TRUE(door("DoorD")->isOpen);

    // DoorE past the bridge is open while the second sphere holds its switch.
    putOn(second, 1.0f, bridgeSwitch);
    EXPECT_TRUE(door("DoorE")->isOpen);
    park(second, 1.0f);
    EXPECT_FALSE(door("DoorE")->isOpen);

    EXPECT_FALSE(simulation().won());
    putOn(main, 0.5f, goal);
    EXPECT_TRUE(simulation().won());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "every name the level uses is known";
}

// Where the shipped level puts its doors, switches and goal, and how the
// spheres go over its ramps and pads.
using ShippedLevelRules = SimWorldFixture;

TEST_F(ShippedLevelRules, DoorsTriggersAndMillAreWhereTheGameLooks) {
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
}

TEST_F(ShippedLevelRules, TheGoalIsInTheThirdTileAndEndsTheGame) {
    auto* goal = dynamic_cast<scene::Trigger*>(find("goal trigger"));
    ASSERT_NE(goal, nullptr);
    // (-16.5, -26.5, 3) in the third tile, which lies at (30, 0, -52): on
    // the mill platform, 3 m up.
    const glm::vec3 at = goal->actor->getGlobalPose().p;
    EXPECT_NEAR(at.x, 13.5f, 1e-4f);
    EXPECT_NEAR(at.y, 3.0f, 1e-4f);
    EXPECT_NEAR(at.z, -25.5f, 1e-4f);
    goal->winCallback();
    EXPECT_TRUE(simulation().won());
}

TEST_F(ShippedLevelRules, TheKeysPushTheMainSphereUpARampWithTheSecondInTow) {
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

TEST_F(ShippedLevelRules, TheMagnetTowsTheSecondSphereOffItsSwitchPad) {
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

}  // namespace velmora::test
