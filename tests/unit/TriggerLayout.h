#pragma once
// A small floor with switches, doors and two spheres on it, for the tests of
// the trigger rules: the rules' own (unit tier) and how an open door is drawn
// (GL tier).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "sim/Door.h"
#include "sim/Trigger.h"
#include "tests/unit/SimWorldFixture.h"

namespace velmora::test {

using Actions = std::map<std::string, std::vector<std::string>>;

const glm::vec3 kForward(0.0f, 0.0f, 8000.0f);

// The main sphere starts in the lane x = 0 and rolls along +z onto a pad at
// z = 5; the second sphere starts in the lane x = 5, where a gate stands
// across its way at z = 5.
const glm::vec3 kPadCenter(0.0f, 0.25f, 5.0f);
const glm::vec3 kMainStart(0.0f, 0.5f, 0.0f);
const glm::vec3 kSecondStart(5.0f, 1.0f, 1.0f);
const glm::vec3 kGateCenter(5.0f, 1.0f, 5.0f);
const glm::vec3 kGateSize(4.0f, 2.0f, 0.2f);
// Where a door stands when only its state matters.
const glm::vec3 kFarAway(15.0f, 1.0f, 0.0f);
// The second sphere's centre cannot pass these while the gate collides.
constexpr float kBlockedBefore = 5.0f - 0.1f - 1.0f + 0.05f;
constexpr float kBlockedAfter = 5.0f + 0.1f + 1.0f - 0.05f;

class TriggerLayoutFixture : public SimSceneryFixture {
protected:
    void SetUp() override {
        SimSceneryFixture::SetUp();
        addBox("floor", glm::vec3(0.0f, -0.5f, 0.0f), glm::vec3(40.0f, 1.0f, 40.0f));
    }

    // A flat trigger box on the floor, as the level makes them.
    scene::Trigger* addPad(const Actions& actions, ActorType filter = EitherActorType,
                           const glm::vec3& center = kPadCenter,
                           const glm::vec3& size = glm::vec3(2.0f, 0.5f, 2.0f)) {
        return addTrigger(actions, filter, center, size);
    }

    void push(physics::RigidDynamic* body, const glm::vec3& force, int steps) {
        for (int i = 0; i < steps; ++i) {
            body->addForce(force);
            stepPhysics();
        }
    }

    // Pushes until done() holds, at most a few seconds; whether it did.
    bool pushUntil(physics::RigidDynamic* body, const glm::vec3& force, const std::function<bool()>& done) {
        for (int i = 0; i < 300 && !done(); ++i) push(body, force, 1);
        return done();
    }

    void moveTo(physics::RigidDynamic* body, const glm::vec3& position) {
        body->setGlobalPose(physics::Transform(position));
        stepPhysics(2);
    }

    static bool colliding(const scene::Door* door) {
        physics::Shape* shape = nullptr;
        door->actor->getShapes(&shape, 1, 0);
        return shape->getFlag(physics::ShapeFlag::Simulation);
    }
};

}  // namespace velmora::test
