#pragma once
// Marks drawn over the scene that the level has no objects for: the magnet's
// reach as a faint disc on the floor round the second sphere and, within it,
// a link to the main sphere, both while coupled; and the main sphere's
// outline wherever the second sphere or scenery hides it, so the player
// never loses it.

#include <memory>

#include <glm/glm.hpp>

namespace velmora {

class DrawNode;
class ScenePrograms;
class Simulation;
struct SceneUniforms;

class SphereMarks {
public:
    // The programs must outlive it.
    explicit SphereMarks(ScenePrograms& programs);
    ~SphereMarks();

    // drawAlpha: where the spheres are drawn between the last two steps.
    void draw(const Simulation& simulation, float drawAlpha, const SceneUniforms& uniforms);

private:
    void drawMark(DrawNode& mark, const glm::mat4& model, glm::vec3 colour, float glow, float opacity);

    ScenePrograms& programs_;
    std::unique_ptr<DrawNode> sphereMark_;  // the sphere model, untextured
    std::unique_ptr<DrawNode> linkMark_;    // a unit cube
};

}  // namespace velmora
