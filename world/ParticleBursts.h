#pragma once
// The live particle bursts: one where the magnet takes hold. The scene pass
// ages and draws them, so they age once per frame whatever the number of
// shadow passes.

#include <GL/glew.h>

#include <list>

#include <glm/glm.hpp>

namespace velmora {

class ParticleSystem;
class ScenePrograms;

class ParticleBursts {
public:
    // Loads the sprite every burst draws. The programs must outlive it.
    explicit ParticleBursts(ScenePrograms& programs);
    ParticleBursts(const ParticleBursts&) = delete;
    ParticleBursts& operator=(const ParticleBursts&) = delete;
    // Bursts still alive at shutdown end here; the context their GL objects
    // live in is still current.
    ~ParticleBursts();

    void spawn(glm::vec3 origin);
    void clear();
    // Ages the bursts by dt, draws them and lets the old ones go.
    void advance(double dt, const glm::mat4& viewProjection, glm::vec3 cameraPosition);

    std::list<ParticleSystem*> systems;  // oldest first
    GLuint sprite = 0;  // loaded with the level (0: none)

private:
    ScenePrograms& programs_;
};

}  // namespace velmora
