// The simulation without a window or GL context: the shipped level stepped
// with scripted input, as the replay checker and the tests run it.

#include <gtest/gtest.h>

#include <cstring>

#include <glm/gtx/quaternion.hpp>
#include <vector>

#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

namespace {

// A made-up player: pushes that turn and stop, the magnet let go and taken
// again, so the spheres roll, touch and part over the steps.
StepInput scriptedInput(int step) {
    StepInput input;
    const float turn = static_cast<float>(step / 40) * 0.7f;
    if (step % 120 < 90) input.push = glm::vec3(std::sin(turn), 0.0f, std::cos(turn)) * 33333.0f;  // a full key
    input.coupled = (step / 150) % 2 == 0;
    return input;
}

// Both spheres' poses after a step, as raw bytes: equal only when bit-equal.
std::vector<unsigned char> poseBytes(const Simulation& simulation) {
    std::vector<unsigned char> bytes;
    for (ActorType type : {MainActorType, SecondActorType}) {
        const physics::Transform pose = simulation.sphere(type)->getGlobalPose();
        const unsigned char* p = reinterpret_cast<const unsigned char*>(&pose);
        bytes.insert(bytes.end(), p, p + sizeof pose);
    }
    return bytes;
}

std::vector<std::vector<unsigned char>> play(Simulation& simulation, int steps, bool restartFirst) {
    std::vector<std::vector<unsigned char>> poses;
    for (int step = 0; step < steps; ++step) {
        StepInput input = scriptedInput(step);
        input.restart = restartFirst && step == 0;
        simulation.step(input);
        poses.push_back(poseBytes(simulation));
    }
    return poses;
}

constexpr int kSteps = 600;

TEST(Simulation, TheSameInputGivesTheSamePosesBitForBitFreshAndAfterARestart) {
    std::vector<std::vector<unsigned char>> fresh;
    std::vector<std::vector<unsigned char>> afterRestart;
    {
        World world;
        Simulation simulation(world, shippedLevelTiles());
        fresh = play(simulation, kSteps, false);
        // The run went somewhere: the spheres are neither where they started nor lost.
        const glm::vec3 end = simulation.spherePosition(MainActorType);
        EXPECT_GT(glm::length(end - spheres::kMainStart), 3.0f);
        EXPECT_GT(end.y, -1.0f);
        afterRestart = play(simulation, kSteps, true);
    }
    std::vector<std::vector<unsigned char>> secondProgram;
    {
        World world;
        Simulation simulation(world, shippedLevelTiles());
        secondProgram = play(simulation, kSteps, false);
    }
    for (int step = 0; step < kSteps; ++step) {
        ASSERT_EQ(fresh[step], afterRestart[step]) << "after a restart, step " << step;
        ASSERT_EQ(fresh[step], secondProgram[step]) << "in a second simulation, step " << step;
    }
}

TEST(Simulation, TheMillTurnsByStepsAndARestartPutsEverythingBack) {
    World world;
    Simulation simulation(world, shippedLevelTiles());
    scene::SceneObject* mill = scene::SceneObject::findByName("mill", world.root);
    ASSERT_NE(mill, nullptr);
    ASSERT_NE(mill->actor, nullptr);
    const physics::Transform millStart = mill->actor->getGlobalPose();
    for (int step = 0; step < 90; ++step) simulation.step(scriptedInput(step));
    EXPECT_EQ(simulation.steps(), 90);
    EXPECT_FLOAT_EQ(simulation.millAngle(), glm::radians(300.0f));
    // The hub's body turned as far about its own up axis, in place; drawn
    // between the last two steps, it is a step's turn behind at alpha 0.
    const physics::Transform turned = mill->actor->getGlobalPose();
    EXPECT_EQ(turned.p, millStart.p);
    const glm::quat turn = glm::inverse(millStart.q) * turned.q;
    EXPECT_NEAR(glm::degrees(glm::angle(turn)), 300.0f, 0.01f);
    EXPECT_NEAR(glm::abs(glm::axis(turn).y), 1.0f, 1e-4f);
    const glm::quat drawn = glm::inverse(millStart.q) * simulation.drawnPose(*mill->actor, 0.0f).q;
    EXPECT_NEAR(glm::degrees(glm::angle(drawn)), 300.0f - 200.0f / 60.0f, 0.01f);

    simulation.resetGame("spikes");
    EXPECT_EQ(simulation.spherePosition(MainActorType), spheres::kMainReset);
    simulation.winGame();
    simulation.winGame();  // once is enough
    const std::vector<SimulationEvent> events = simulation.takeEvents();
    int hazards = 0;
    int goals = 0;
    for (const SimulationEvent& event : events) {
        hazards += event.type == SimulationEventType::Hazard && event.text == "spikes";
        goals += event.type == SimulationEventType::Goal;
    }
    EXPECT_EQ(hazards, 1);
    EXPECT_EQ(goals, 1);
    ASSERT_TRUE(simulation.won());
    // Won: the push and the mill stop.
    const float angle = simulation.millAngle();
    simulation.step(scriptedInput(0));
    EXPECT_EQ(simulation.millAngle(), angle);

    StepInput restart;
    restart.restart = true;
    simulation.step(restart);
    EXPECT_FALSE(simulation.won());
    EXPECT_EQ(simulation.steps(), 1);
    EXPECT_FLOAT_EQ(simulation.millAngle(), glm::radians(200.0f / 60.0f));
    EXPECT_NEAR(glm::length(simulation.spherePosition(MainActorType) - spheres::kMainStart), 0.0f, 0.1f);

    // Left alone the spheres come to rest, and a sphere at rest is drawn
    // exactly where it is at any point between two steps: a pose that moved
    // by a rounding step would look like motion to the shadow faces' cache.
    const physics::RigidDynamic& main = *simulation.sphere(MainActorType);
    std::vector<unsigned char> before;
    int step = 0;
    for (; step < 600 && before != poseBytes(simulation); ++step) {
        before = poseBytes(simulation);
        simulation.step(StepInput{});
    }
    ASSERT_LT(step, 600) << "the spheres never came to rest";
    const physics::Transform resting = main.getGlobalPose();
    for (float alpha = 0.05f; alpha < 1.0f; alpha += 0.1f) {
        const physics::Transform between = simulation.drawnPose(main, alpha);
        EXPECT_EQ(std::memcmp(&between, &resting, sizeof between), 0) << "at " << alpha;
    }
}

}  // namespace
