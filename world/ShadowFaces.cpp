#include "world/ShadowFaces.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/ShaderProgram.h"
#include "sim/SceneObject.h"
#include "world/DrawNode.h"
#include "world/ScenePrograms.h"
#include "world/StateLooks.h"

namespace velmora {

ShadowFaces::ShadowFaces(const Simulation& simulation, LevelDressing& dressing, ScenePrograms& programs)
    : ShapeWalk(simulation, dressing), programs_(programs) {}

bool ShadowFaces::needsClear(scene::SceneObject& root, int face, bool drawn, const Light& light) {
    ShadowFaceRecord now;
    now.known = true;
    now.drawn = drawn;
    now.wireframe = light.wireframe;
    now.cubeTexture = light.cubeTexture;
    now.faceMatrix = light.faceMatrices[face];
    if (drawn) {
        // One walk lists all six faces: the loop asks about them one after
        // the other, with nothing moving in between. A scene pass or a second
        // question about a face starts the next listing.
        if ((listedFaces_ & (1u << face)) == 0) {
            listedFaces_ = list(root, kAllFaces, true, light);
        }
        listedFaces_ &= ~(1u << face);
        now.draws = std::move(draws_[face]);
    }
    return cache_.plan(face, std::move(now));
}

void ShadowFaces::draw(scene::SceneObject& root, int face, const Light& light) {
    transparency_ = light.transparency;
    ShadowFaceCache::Plan plan;
    if (!cache_.takePlan(face, plan)) {
        // Drawn over whatever the face held: nothing is known about it now.
        cache_.forget(face);
        listedFaces_ = 0;
        list(root, 1u << face, false, light);
        drawList(draws_[face], face, light);
        return;
    }
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);  // the face's size, set by the frame loop
    switch (plan.kind) {
        case ShadowFaceCache::Plan::Keep:
            break;
        case ShadowFaceCache::Plan::Restore:
            cache_.restoreImage(face, viewport[2]);
            drawList(plan.draws, face, light);
            break;
        case ShadowFaceCache::Plan::Rebuild:
            drawList(plan.still, face, light);
            cache_.keepImage(face, viewport[2], plan.keep);
            drawList(plan.draws, face, light);
            break;
        case ShadowFaceCache::Plan::DrawAll:
            drawList(plan.draws, face, light);
            break;
    }
}

unsigned ShadowFaces::list(scene::SceneObject& root, unsigned faces, bool askVisibility, const Light& light) {
    askVisibility_ = askVisibility;
    transparency_ = light.transparency;
    drawAlpha_ = light.drawAlpha;
    faces_ = faces;
    for (int face = 0; face < 6; ++face) {
        // A shape outside a face's frustum leaves no depth in it, whatever
        // the culling option says.
        planes_[face] = extractFrustumPlanes(light.faceMatrices[face]);
        draws_[face].clear();
    }
    walk(root, false);
    return faces;
}

void ShadowFaces::drawList(const std::vector<ShadowDraw>& draws, int face, const Light& light) {
    // The face's uniforms are the same for every object of the call.
    programs_.useForShadow(light.faceMatrices[face], light.nearFar, light.position);
    const GLint modelLocation = glGetUniformLocation(programs_.shadow->program, "modelMatrix");
    for (const ShadowDraw& draw : draws) {
        if (modelLocation != -1) {
            glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(draw.model));
        }
        updateVisibility(*draw.object, *draw.node);
        draw.node->draw(true, transparency_);
    }
}

bool ShadowFaces::enter(scene::SceneObject&) { return true; }  // only listed here; drawList draws

unsigned ShadowFaces::facesSeeing(const physics::Shape& shape) {
    const physics::Bounds bounds = shape.getWorldBounds();
    unsigned faces = 0;
    for (int face = 0; face < 6; ++face) {
        if ((faces_ & (1u << face)) != 0 && boxInFrustum(planes_[face], bounds.minimum, bounds.maximum)) {
            faces |= 1u << face;
        }
    }
    return faces;
}

void ShadowFaces::handOn(scene::SceneObject& object, DrawNode& node, const glm::mat4& model, unsigned faces) {
    if (askVisibility_) {
        updateVisibility(object, node);  // as its draw will: an opened door hides here
    }
    const ShadowDraw draw{&node, &object, node.shadowVertexArray, node.isVisible, model};
    for (int face = 0; face < 6; ++face) {
        if ((faces & (1u << face)) != 0) {
            draws_[face].push_back(draw);
        }
    }
}

}  // namespace velmora
