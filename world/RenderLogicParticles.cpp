// The particle bursts of RenderLogic: one where the magnet takes hold.

#include <iostream>

#include "render/ParticleSystem.h"
#include "world/RenderLogic.h"

namespace velmora {

void RenderLogic::spawnParticleBurst(glm::vec3 origin) {
    std::cout << "make system" << std::endl;
    auto* system = new ParticleSystem(origin, particleUpdateProgram, particleDrawProgram);
    system->texture = particleSprite;
    system->setUp();
    // Its set-up made a program current behind the renderer's back.
    currentProgram = nullptr;
    particleSystems.push_back(system);
}

}  // namespace velmora
