#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/gl/GameWorldFixture.h"
#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "sim/Trigger.h"

namespace velmora::test {

// The rules as the shipped level wires them: its switches, doors and goal,
// set off by spheres dropped onto them and reported by real physics steps.
class ShippedRules : public GameWorldFixture {
protected:
    void SetUp() override {
        GameWorldFixture::SetUp();
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

    EXPECT_TRUE(logic->gameRunning());
    putOn(main, 0.5f, goal);
    EXPECT_FALSE(logic->gameRunning());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "every name the level uses is known";
}

}  // namespace velmora::test
