#include "sim/PhysicsSetup.h"

#include <iostream>

namespace velmora {

const glm::vec3 worldGravity(0.0f, -20.8f, 0.0f);

PhysicsSetup initPhysics(physics::SimulationEventCallback* callback) {
    PhysicsSetup setup;
    physics::ToleranceScale scale;
    scale.length = 1.0f;
    scale.speed = 10.0f;
    setup.physics = physics::createPhysics(scale);

    physics::SceneDesc desc;
    desc.gravity = worldGravity;
    setup.dispatcher = physics::createCpuDispatcher(dispatcherThreads);
    desc.cpuDispatcher = setup.dispatcher;
    if (!desc.cpuDispatcher) std::cout << "PxDefaultCpuDispatcherCreate failed!" << std::endl;
    // Trigger touches become found/lost reports: the scene's built-in filter.
    desc.simulationEventCallback = callback;

    setup.cooking = physics::createCooking(setup.physics);
    if (!setup.cooking) std::cout << "PxCooking failed!" << std::endl;

    setup.scene = setup.physics ? setup.physics->createScene(desc) : nullptr;
    return setup;
}

}  // namespace velmora
