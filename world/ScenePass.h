#pragma once
// The camera's pass over the main world: each shape the camera may see,
// drawn with its object's program, texture filter and state look; the
// see-through objects blended, in a walk of their own after everything else.

#include <vector>

#include "render/Frustum.h"
#include "world/ScenePrograms.h"
#include "world/ShapeWalk.h"

namespace velmora {

class ScenePass final : private ShapeWalk {
public:
    // What the keys switch, fixed for a whole pass.
    struct Options {
        bool frustumCulling = true;
        int mipmapMode = 0;  // see applyTextureFilter
        float drawAlpha = 1.0f;
        bool transparency = true;
    };

    // All three must outlive it.
    ScenePass(const Simulation& simulation, LevelDressing& dressing, ScenePrograms& programs);

    // Starts a pass: the drawn count goes back to 0.
    void begin(const SceneUniforms& uniforms, const Options& options);
    // The depth of the tree under root alone, no colour: the walk that
    // follows then shades each pixel once, with the depth test passing only
    // the nearest surface. Leaves the drawn count as it was.
    void drawDepth(scene::SceneObject& root);
    // The tree under root, the see-through objects left out while the
    // transparency option is on.
    void drawWorld(scene::SceneObject& root);
    // Each see-through object (and what hangs under it), blended, in the
    // list's order.
    void drawSeeThrough(const std::vector<scene::SceneObject*>& objects);

    int drawnObjectCount = 0;  // shapes drawn in the current or last pass
    FrustumPlanes frustumPlanes{};  // the camera's, while culling

private:
    bool enter(scene::SceneObject& object) override;
    unsigned facesSeeing(const physics::Shape& shape) override;
    void samePoseAgain() override;
    void handOn(scene::SceneObject& object, DrawNode& node, const glm::mat4& model, unsigned faces) override;

    ScenePrograms& programs_;
    SceneUniforms uniforms_;
    Options options_;
    bool depthOnly_ = false;  // in drawDepth's walk
};

}  // namespace velmora
