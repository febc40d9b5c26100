#include "world/ScenePass.h"

#include <GL/glew.h>

#include "sim/SceneObject.h"
#include "world/DrawNode.h"
#include "world/LevelDressing.h"
#include "world/NodeLook.h"
#include "world/StateLooks.h"

namespace velmora {

ScenePass::ScenePass(const Simulation& simulation, LevelDressing& dressing, ScenePrograms& programs)
    : ShapeWalk(simulation, dressing), programs_(programs) {}

void ScenePass::begin(const SceneUniforms& uniforms, const Options& options) {
    uniforms_ = uniforms;
    options_ = options;
    transparency_ = options.transparency;
    drawAlpha_ = options.drawAlpha;
    drawnObjectCount = 0;
    if (options.frustumCulling) {
        frustumPlanes = extractFrustumPlanes(uniforms.viewProjection);
    }
}

void ScenePass::drawDepth(scene::SceneObject& root) {
    const int drawn = drawnObjectCount;
    depthOnly_ = true;
    glColorMaski(0, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    walk(root, false);
    glColorMaski(0, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    depthOnly_ = false;
    drawnObjectCount = drawn;
}

void ScenePass::drawWorld(scene::SceneObject& root) { walk(root, false); }

void ScenePass::drawSeeThrough(const std::vector<scene::SceneObject*>& objects) {
    // A copy: drawing must not be disturbed by anyone adding to the list.
    const std::vector<scene::SceneObject*> transparent = objects;
    for (scene::SceneObject* object : transparent) {
        walk(*object, true);
    }
}

bool ScenePass::enter(scene::SceneObject& object) {
    DrawNode& node = dressing_.dressed(object);
    if (node.objectProgram == nullptr) {
        return false;  // nothing to draw it with
    }
    programs_.useForScene(depthOnly_ ? programs_.depth : node.objectProgram, uniforms_);
    return true;
}

unsigned ScenePass::facesSeeing(const physics::Shape& shape) {
    if (!options_.frustumCulling) {
        return 1u;
    }
    const physics::Bounds bounds = shape.getWorldBounds();
    return boxInFrustum(frustumPlanes, bounds.minimum, bounds.maximum) ? 1u : 0u;
}

void ScenePass::samePoseAgain() { ++drawnObjectCount; }

void ScenePass::handOn(scene::SceneObject& object, DrawNode& node, const glm::mat4& model, unsigned) {
    if (depthOnly_) {
        // Position only, through the shadow vertex array; a door that has
        // slid away hides here as in its own draw.
        setNodeUniforms(*programs_.current, node, model);
        updateShown(object, node);
        node.draw(true, false);
        return;
    }
    // Blending only where it changes a pixel: a source alpha of exactly 1
    // gives the source colour, and the second output (alpha 0) is never read
    // for its colour.
    const bool blended = transparency_ && object.opacity() != 1.0f;
    applyTextureFilter(node, options_.mipmapMode);
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    setNodeUniforms(*programs_.current, node, model);
    updateVisibility(object, node);
    node.draw(false, transparency_);
    if (blended) {
        glDisable(GL_BLEND);
    }
    ++drawnObjectCount;
}

}  // namespace velmora
