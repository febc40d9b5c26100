#pragma once
// The game's rules without a renderer or a GL context: the registry, then the
// simulation of the shipped level with both spheres, as start-up builds them.
// Objects made here carry their meshes but nothing on the GPU.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "physics/Physics.h"
#include "sim/ActorType.h"
#include "sim/ObjectRegistry.h"
#include "sim/Simulation.h"

namespace velmora {
namespace scene {
class Door;
class SceneObject;
class Trigger;
}  // namespace scene

namespace test {

class SimWorldFixture : public ::testing::Test {
protected:
    void SetUp() override;
    // Frees the level and the spheres' objects, then the world.
    void TearDown() override;

    World& world() { return *registry->mainWorld(); }
    Simulation& simulation() { return *sim; }
    scene::SceneObject* find(const std::string& name);
    // One simulation step with the input gathered since the last one; the
    // push is used up, the step's events go to takeStepEvents.
    void step();
    // What becomes of a step's events; here they are added to events.
    virtual void takeStepEvents(std::vector<SimulationEvent> stepEvents);
    // Adds to the next step's push, in the keys' units (one is a full key).
    void push(glm::vec3 direction);

    StepInput next;
    std::vector<SimulationEvent> events;
    std::unique_ptr<ObjectRegistry> registry;
    std::unique_ptr<Simulation> sim;
    std::string creationOutput;
    std::string creationErrors;
};

// The same world with the level and the spheres taken out, for tests that
// build their own scenery the way the level builds it. The objects are the
// fixture's own, not their trees'.
class SimSceneryFixture : public SimWorldFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A box of the given size standing at center, appended to the world's root.
    scene::SceneObject* addBox(const std::string& name, const glm::vec3& center, const glm::vec3& size);
    scene::Door* addDoor(const std::string& name, const glm::vec3& center, const glm::vec3& size,
                         bool steady = false);
    // A trigger volume of the given actions, wired to the simulation's own
    // win and reset, in the world's trigger table.
    scene::Trigger* addTrigger(const std::map<std::string, std::vector<std::string>>& actions,
                               ActorType filter, const glm::vec3& center, const glm::vec3& size);
    // A player sphere built like the game's: heavy, strongly damped, and
    // carrying its collision sphere twice, so every touch is reported twice.
    // Registered by type, with no object.
    physics::RigidDynamic* addSphere(ActorType type, const glm::vec3& position, float radius);

    // Physics alone, one frame of it a count: the trigger reports arrive
    // inside fetchResults. No push, magnet or run clock.
    void stepPhysics(int count = 1);

    physics::Material* material = nullptr;
    std::vector<std::unique_ptr<scene::SceneObject>> objects;
};

}  // namespace test
}  // namespace velmora
