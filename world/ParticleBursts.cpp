#include "world/ParticleBursts.h"

#include <iostream>

#include "render/ParticleSystem.h"
#include "world/ScenePrograms.h"

namespace velmora {

ParticleBursts::ParticleBursts(ScenePrograms& programs) : programs_(programs) {
    ParticleSystem::loadSpriteTexture(&sprite);
}

ParticleBursts::~ParticleBursts() {
    clear();
    if (sprite != 0) glDeleteTextures(1, &sprite);
}

void ParticleBursts::spawn(glm::vec3 origin) {
    std::cout << "make system" << std::endl;
    auto* system = new ParticleSystem(origin, programs_.particleUpdate, programs_.particleDraw);
    system->texture = sprite;
    system->setUp();
    // Its set-up made a program current behind the renderer's back.
    programs_.current = nullptr;
    systems.push_back(system);
}

void ParticleBursts::clear() {
    for (ParticleSystem* system : systems) delete system;
    systems.clear();
}

void ParticleBursts::advance(double dt, const glm::mat4& viewProjection, glm::vec3 cameraPosition) {
    for (auto it = systems.begin(); it != systems.end();) {
        ParticleSystem* system = *it;
        system->age += static_cast<float>(dt);
        system->update(dt);
        system->draw(viewProjection, cameraPosition);
        programs_.current = nullptr;  // the system used programs of its own
        if (system->age > ParticleSystem::kMaxAge) {
            delete system;
            it = systems.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace velmora
