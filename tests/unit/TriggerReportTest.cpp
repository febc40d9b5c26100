// The simulation's trigger reports: every pair of a step is looked up in the
// world's trigger table, and what is not there is said so.

#include <gtest/gtest.h>

#include "sim/PhysicsSetup.h"
#include "sim/Trigger.h"
#include "tests/unit/SimScenery.h"
#include "tests/unit/SimWorldFixture.h"

namespace velmora::test {

class TriggerReports : public SimSceneryFixture {
protected:
    physics::RigidStatic* triggerVolume(const glm::vec3& center) {
        physics::RigidStatic* volume =
            physics::createStatic(*simulation().physics(), physics::Transform(center),
                                  physics::Geometry::box(glm::vec3(1.0f)), *material);
        makeTriggerVolume(*volume);
        simulation().scene()->addActor(*volume);
        return volume;
    }

    physics::RigidDynamic* sphere(const glm::vec3& center, ActorType type) {
        physics::RigidDynamic* body =
            physics::createDynamic(*simulation().physics(), physics::Transform(center),
                                   physics::Geometry::sphere(0.5f), *material, 1.0f);
        simulation().scene()->addActor(*body);
        world().actorTypes[body] = type;
        return body;
    }

    // One frame's physics: the reports arrive inside fetchResults.
    std::string stepAndCaptureErrors() {
        testing::internal::CaptureStderr();
        stepPhysics();
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(TriggerReports, EveryPairOfAStepIsLookedUpAndUnknownTriggersAreReported) {
    scene::Trigger known;
    world().triggerRegistry[triggerVolume(glm::vec3(0, 0, 0))] = &known;
    triggerVolume(glm::vec3(10, 0, 0));  // its object is missing from the registry
    sphere(glm::vec3(0, 0, 0), MainActorType);
    sphere(glm::vec3(10, 0, 0), SecondActorType);

    EXPECT_EQ(stepAndCaptureErrors(),
              "onTrigger(...): scene object for trigger was not found (returned nullptr)!\n");
    // Resting inside reports nothing more.
    EXPECT_EQ(stepAndCaptureErrors(), "");
}

}  // namespace velmora::test
