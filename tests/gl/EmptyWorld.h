#pragma once
// Tests of the renderer and the frame loop count drawn shapes and read depth
// and colour at fixed places, so they start from a main world without the
// shipped level that the world object imports on construction.

#include "sim/World.h"

namespace velmora {
class RenderLogic;
class Simulation;
namespace physics {
class Scene;
}

namespace test {

// Takes every level object below the root out of the world: out of the tree
// (and destroyed), out of the trigger, door, texture and transparency tables,
// and their actors out of the scene. The player spheres, when there are any,
// stay. The simulation forgets the level, so a restart builds no more of it,
// and the renderer its see-through list.
void removeLevel(World& world, Simulation& simulation, RenderLogic& logic);

// Takes the two player spheres out the same way: out of the tree (and
// destroyed), out of the player tables, their actors out of the scene. For
// tests that count or look at exactly what they put into the world.
void removeSpheres(World& world, physics::Scene* scene);

}  // namespace test
}  // namespace velmora
