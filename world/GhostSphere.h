#pragma once
// The best run's ghost: the main sphere once more, see-through, drawn in the
// blended part of the scene pass and casting no shadow.

#include <memory>

#include <glm/glm.hpp>

namespace velmora {

class DrawNode;
class ScenePrograms;
struct SceneUniforms;

class GhostSphere {
public:
    // Loads the sphere's model and texture; without the model it draws
    // nothing. The programs must outlive it.
    explicit GhostSphere(ScenePrograms& programs);
    ~GhostSphere();

    void draw(glm::vec3 position, const SceneUniforms& uniforms, int mipmapMode);

private:
    static constexpr float kOpacity = 0.35f;

    ScenePrograms& programs_;
    std::unique_ptr<DrawNode> node_;
};

}  // namespace velmora
