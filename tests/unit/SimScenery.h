#pragma once
// Tests that count or place exactly what they put into a world start from the
// shipped level's world with the level, and often the spheres, taken out
// again: the simulation imports the level on construction. Nothing here
// touches GL, so both test tiers use it.

#include <glm/glm.hpp>

#include "physics/Physics.h"
#include "sim/World.h"

namespace velmora {
class Simulation;

namespace test {

// Takes every level object below the root out of the world: out of the tree
// (and destroyed), out of the trigger and door tables, and their actors out
// of the scene. The player spheres, when there are any, stay. The simulation
// forgets the level, so a restart builds no more of it.
void removeLevel(World& world, Simulation& simulation);

// Takes the two player spheres out the same way: out of the tree (and
// destroyed), out of the player tables, their actors out of the scene. For
// tests that count or look at exactly what they put into the world.
void removeSpheres(World& world, physics::Scene* scene);

// Gives the object the body the level gives its boxes: a static actor at
// center with one box shape of the given size, in the simulation's scene.
// The object gets its default mesh when it has none, as imported ones do.
void placeStaticBox(Simulation& simulation, scene::SceneObject& object, const glm::vec3& center,
                    const glm::vec3& size, physics::Material& material);

// Turns the actor's first shape into a trigger volume: reported, never collided with.
void makeTriggerVolume(physics::RigidActor& actor);

}  // namespace test
}  // namespace velmora
