#pragma once
// The world object as the game builds it: the registry first, then
// RenderLogic with the shipped level and both spheres. What it printed while
// it was built is kept for the tests that check it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"

namespace velmora {
namespace scene {
class SceneObject;
}
namespace test {

class GameWorldFixture : public testing::Test {
protected:
    void SetUp() override;
    // Frees the level, the spheres' objects and any particle bursts, then the world.
    void TearDown() override;

    World& world() { return *registry->mainWorld(); }
    scene::SceneObject* find(const std::string& name);
    // One simulation step with the input gathered since the last one; the
    // push is used up, bursts become particle systems.
    void step();
    // Adds to the next step's push, in the keys' units (one is a full key).
    void push(glm::vec3 direction);
    StepInput next;

    Simulation& simulation() { return *sim; }

    std::unique_ptr<ObjectRegistry> registry;
    std::unique_ptr<Simulation> sim;  // the game's: the renderer only reads it
    std::unique_ptr<RenderLogic> logic;
    std::string creationOutput;
    std::string creationErrors;
};

}  // namespace test
}  // namespace velmora
