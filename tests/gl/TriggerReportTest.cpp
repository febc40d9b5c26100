#include <gtest/gtest.h>

#include "tests/gl/WorldFixture.h"
#include "sim/PhysicsSetup.h"
#include "sim/Trigger.h"

namespace velmora::test {

class TriggerReports : public WorldFixture {
protected:
    physics::RigidStatic* triggerVolume(const glm::vec3& center) {
        physics::RigidStatic* volume =
            physics::createStatic(*simulation().physics(), physics::Transform(center),
                                  physics::Geometry::box(glm::vec3(1.0f)), *material);
        physics::Shape* shape = nullptr;
        volume->getShapes(&shape, 1, 0);
        shape->setFlag(physics::ShapeFlag::Simulation, false);
        shape->setFlag(physics::ShapeFlag::Trigger, true);
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
        simulation().scene()->simulate(1.0f / 60.0f);
        simulation().scene()->fetchResults(true);
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
