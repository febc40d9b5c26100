#pragma once
// One burst of GPU particles, as the scene renderer drives it: it ages the
// system, lets it update and draw itself in every renderScene call, and
// destroys it once it is older than its lifetime. The GPU side (buffers,
// transform feedback, sprites) lives in the implementation behind update/draw.

#include <glm/glm.hpp>

namespace velmora {

class ParticleSystem {
public:
    virtual ~ParticleSystem() = default;

    // Runs the particle records through the update program for one interval.
    virtual void update(double dt) { (void)dt; }
    // Draws the records the last update wrote as camera-facing sprites.
    virtual void draw(const glm::mat4& viewProjection, const glm::vec3& cameraPosition) {
        (void)viewProjection;
        (void)cameraPosition;
    }

    float age = 1.0f;  // seconds; the renderer removes the system past kMaxAge
    static constexpr float kMaxAge = 25.0f;
};

}  // namespace velmora
