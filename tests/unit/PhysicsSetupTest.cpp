// The world's physics set-up.

#include <gtest/gtest.h>

#include "sim/PhysicsSetup.h"

namespace velmora {
namespace {

struct NullCallback : physics::SimulationEventCallback {
    void onTrigger(physics::TriggerPair*, uint32_t) override {}
};

TEST(PhysicsSetup, BuildsTheSceneWithWorldGravityAndTheGivenCallback) {
    NullCallback callback;
    ::testing::internal::CaptureStdout();
    PhysicsSetup setup = initPhysics(&callback);
    const std::string printed = ::testing::internal::GetCapturedStdout();

    ASSERT_NE(setup.physics, nullptr);
    ASSERT_NE(setup.scene, nullptr);
    EXPECT_NE(setup.cooking, nullptr);
    EXPECT_EQ(printed, "") << "no failure message when everything was made";
    EXPECT_EQ(setup.scene->getGravity(), glm::vec3(0.0f, -20.8f, 0.0f));
    EXPECT_EQ(setup.scene->getSimulationEventCallback(), &callback);
    EXPECT_EQ(setup.physics->getTolerancesScale().length, 1.0f);
    EXPECT_EQ(setup.physics->getTolerancesScale().speed, 10.0f);

    EXPECT_EQ(setup.dispatcher->getWorkerCount(), 4u);
    setup.cooking->release();
    setup.dispatcher->release();
    setup.scene->release();
    setup.physics->release();
}

}  // namespace
}  // namespace velmora
