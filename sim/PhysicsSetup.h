#pragma once
// The world's physics: one physics object, a cooking object for the level's
// collision meshes and the scene everything rolls in.

#include "physics/Physics.h"

namespace velmora {

struct PhysicsSetup {
    physics::Physics* physics = nullptr;
    physics::CpuDispatcher* dispatcher = nullptr;
    physics::Cooking* cooking = nullptr;
    physics::Scene* scene = nullptr;
};

// World gravity: the game's spheres fall a little faster than on earth.
extern const glm::vec3 worldGravity;  // (0, -20.8, 0)
// Worker threads asked of the dispatcher (they run on the calling thread; see
// physics/Physics.h).
constexpr uint32_t dispatcherThreads = 4;

// Creates physics (tolerance length 1, speed 10), dispatcher, cooking and the
// scene with the world gravity and the given callback, and returns the
// handles: nothing is kept anywhere else, so any number of simulations can
// live side by side (a ghost's, a verifier's). The game keeps the dispatcher
// and the cooking object for the rest of the run; it releases scene, then
// physics.
//
// Prints "PxDefaultCpuDispatcherCreate failed!" when no dispatcher comes back,
// which our layer never does, and "PxCooking failed!" when no cooking object
// comes back, which happens only when the physics itself could not be made.
// Either way it goes on.
PhysicsSetup initPhysics(physics::SimulationEventCallback* callback);

}  // namespace velmora
