// The scene renderer of RenderLogic: the shadow cube faces and the camera's
// scene pass over the main world's object tree.

#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/DrawOrder.h"
#include "render/ParticleSystem.h"
#include "render/PassProbe.h"
#include "render/RenderOptions.h"
#include "render/ShaderProgram.h"
#include "render/SkyBackdrop.h"
#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"
#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"
#include "world/DrawNode.h"

namespace velmora {

namespace {

const glm::vec3 kDefaultMaterialColor(1.0f, 0.0f, 0.0f);
const float kMaterialSpecFactor = 128.0f;
const GLint kShadowCubeUnit = 2;

struct TextureFilter {
    GLint minification;
    GLint magnification;
};

// Indexed by mipmapMode: trilinear, nearest mipmap, nearest without mipmaps.
const TextureFilter kTextureFilters[3] = {
    {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST},
    {GL_NEAREST, GL_NEAREST},
};

GLint location(const ShaderProgram* program, const char* name) {
    return glGetUniformLocation(program->program, name);
}

// The object's state colours (DrawNode::tint, glow, ringMark); a program
// without them ignores them.
void applyLook(const ShaderProgram* program, const DrawNode& object) {
    const GLint tint = location(program, "tint");
    if (tint != -1) glUniform3fv(tint, 1, glm::value_ptr(object.tint));
    const GLint glow = location(program, "glow");
    if (glow != -1) glUniform1f(glow, object.glow);
    const GLint ring = location(program, "ringMark");
    if (ring != -1) glUniform1f(ring, object.ringMark ? 1.0f : 0.0f);
}

}  // namespace

void RenderLogic::renderScene(bool shadowPass, glm::mat4 cameraMatrix, glm::mat4 projectionMatrix,
                              double dt) {
    pass_.shadow = shadowPass;
    pass_.transparency = transparencyEnabled;
    pass_.shadowCube = shadowCubeTexture;
    if (!shadowPass && backdrop_ != nullptr && simulation_.hasLevel()) {
        backdrop_->draw(cameraMatrix, projectionMatrix);
        currentProgram = nullptr;  // the backdrop's program is current now
    }
    if (wireframeEnabled) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    if (shadowPass) {
        shadowFaceIndex = (shadowFaceIndex + 1) % 6;
    } else {
        drawnObjectCount = 0;
    }
    pass_.camera = cameraMatrix;
    pass_.view = glm::inverse(cameraMatrix);
    pass_.viewProjection = projectionMatrix * pass_.view;
    if (frustumCullingEnabled && !shadowPass) {
        frustumPlanes = extractFrustumPlanes(pass_.viewProjection);
    }

    World* world = registry->mainWorld();
    if (shadowPass) {
        renderShadowFace();
        passDone("shadow draws");
    } else {
        // The world's second output only ever says "blur me" (alpha 0), which
        // the cleared target already says: it is not written at all.
        glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        listedShadowFaces_ = 0;  // the next frame's shadow faces are listed anew
        renderObject(world->root, false);
        passDone("scene pass");
    }
    if (!shadowPass) {
        advanceParticles(dt);
        passDone("particles");
    }
    if (!shadowPass && pass_.transparency) {
        // A copy: drawing must not be disturbed by anyone adding to the list.
        const std::vector<scene::SceneObject*> transparent = transparentObjects;
        for (scene::SceneObject* object : transparent) {
            renderObject(object, true);
        }
        passDone("scene pass");
    }
    if (!shadowPass) drawGhost();
    if (!shadowPass) drawMarks();
    // Always back to filled, so nothing drawn after the scene (HUD, blur)
    // inherits lines, even when the option was switched between calls.
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);  // the HUD marks its text there
}

bool RenderLogic::shadowFaceNeedsClear(int face, bool drawn) {
    ShadowFaceRecord now;
    now.known = true;
    now.drawn = drawn;
    now.wireframe = wireframeEnabled;
    now.cubeTexture = shadowCubeTexture;
    now.faceMatrix = shadowFaceMatrices[face];
    if (drawn) {
        // One traversal lists all six faces: the loop asks about them one
        // after the other, with nothing moving in between. A scene pass or a
        // second question about a face starts the next listing.
        if ((listedShadowFaces_ & (1u << face)) == 0) {
            listedShadowFaces_ = collectShadowDraws(kAllShadowFaces, true);
        }
        listedShadowFaces_ &= ~(1u << face);
        now.draws = std::move(pass_.shadowDraws[face]);
    }
    return shadowFaceCache_.plan(face, std::move(now));
}

void RenderLogic::renderShadowFace() {
    const int face = shadowFaceIndex;
    ShadowFaceCache::Plan plan;
    if (!shadowFaceCache_.takePlan(face, plan)) {
        // Drawn over whatever the face held: nothing is known about it now.
        shadowFaceCache_.forget(face);
        listedShadowFaces_ = 0;
        collectShadowDraws(1u << face, false);
        drawShadowFace(pass_.shadowDraws[face]);
        return;
    }
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);  // the face's size, set by the frame loop
    switch (plan.kind) {
        case ShadowFaceCache::Plan::Keep:
            break;
        case ShadowFaceCache::Plan::Restore:
            shadowFaceCache_.restoreImage(face, viewport[2]);
            drawShadowFace(plan.draws);
            break;
        case ShadowFaceCache::Plan::Rebuild:
            drawShadowFace(plan.still);
            shadowFaceCache_.keepImage(face, viewport[2], plan.keep);
            drawShadowFace(plan.draws);
            break;
        case ShadowFaceCache::Plan::DrawAll:
            drawShadowFace(plan.draws);
            break;
    }
}

unsigned RenderLogic::collectShadowDraws(unsigned faces, bool askVisibility) {
    pass_.shadow = true;
    pass_.askVisibility = askVisibility;
    pass_.transparency = transparencyEnabled;
    pass_.shadowFaces = faces;
    for (int face = 0; face < 6; ++face) {
        // A shape outside a face's frustum leaves no depth in it, whatever
        // the culling option says.
        pass_.shadowFacePlanes[face] = extractFrustumPlanes(shadowFaceMatrices[face]);
        pass_.shadowDraws[face].clear();
    }
    renderObject(registry->mainWorld()->root, false);
    return faces;
}

void RenderLogic::drawShadowFace(const std::vector<ShadowDraw>& draws) {
    // The face's uniforms are the same for every object of the call.
    useShadowProgram();
    const GLint modelLocation = location(shadowProgram, "modelMatrix");
    for (const ShadowDraw& draw : draws) {
        if (modelLocation != -1) {
            glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(draw.model));
        }
        updateVisibility(*draw.object, *draw.node);
        draw.node->draw(true, pass_.transparency);
    }
}

void RenderLogic::renderObject(scene::SceneObject* object, bool transparentPass) {
    if (!object->isGroup) {
        bool drawable = object->actor != nullptr;
        if (pass_.shadow) {
            // Only listed here; drawShadowFace draws.
        } else if (DrawNode& node = dressed(*object); node.objectProgram != nullptr) {
            useSceneProgram(node.objectProgram);
        } else {
            drawable = false;  // nothing to draw it with
        }
        // An object whose collision failed to build has no actor and so no
        // place in the world: it draws nothing, but its children still do.
        if (drawable && drawnInTraversal(object->opacity(), pass_.transparency, transparentPass)) {
            std::vector<physics::Shape*> shapes(object->actor->getNbShapes());
            shapes.resize(object->actor->getShapes(shapes.data(),
                                                   static_cast<uint32_t>(shapes.size()), 0));
            std::vector<DrawnPose> drawnPoses;
            for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
                renderShape(*shape, object, drawnPoses);
            }
        }
    }
    for (scene::SceneObject* child : object->getChildren()) {
        renderObject(child, transparentPass);
    }
}

void RenderLogic::renderShape(physics::Shape* shape, scene::SceneObject* object,
                              std::vector<DrawnPose>& drawnPoses) {
    // The faces (one bit each; bit 0 alone in the scene pass) that see the shape.
    unsigned faces = 1u;
    if (pass_.shadow || frustumCullingEnabled) {
        const physics::Bounds bounds = shape->getWorldBounds();
        if (pass_.shadow) {
            faces = 0;
            for (int face = 0; face < 6; ++face) {
                if ((pass_.shadowFaces & (1u << face)) != 0 &&
                    boxInFrustum(pass_.shadowFacePlanes[face], bounds.minimum, bounds.maximum)) {
                    faces |= 1u << face;
                }
            }
        } else if (!boxInFrustum(frustumPlanes, bounds.minimum, bounds.maximum)) {
            faces = 0;
        }
        if (faces == 0) {
            return;
        }
    }
    // The object's mesh is drawn with the shape's pose, not its geometry. The
    // shapes of one actor mostly share the actor's pose (a level object's
    // solid and its twin or trigger volume, the second sphere's halo): the
    // same triangles at the same depth once more could only fail the depth
    // test, so such a shape is counted but not drawn again.
    // Moving bodies are drawn between the simulation's last two steps.
    const physics::RigidActor& actor = *shape->getActor();
    const physics::Transform pose = actor.isDynamic() || static_cast<const physics::RigidStatic&>(actor).isKinematic()
                                        ? simulation_.drawnPose(actor, drawAlpha) * shape->getLocalPose()
                                        : shape->getGlobalPose();
    DrawnPose* samePose = nullptr;
    for (DrawnPose& drawn : drawnPoses) {
        if (drawn.pose.p == pose.p && drawn.pose.q == pose.q) {
            samePose = &drawn;
        }
    }
    if (samePose != nullptr) {
        if (!pass_.shadow) {
            ++drawnObjectCount;
        }
        faces &= ~samePose->faces;
        samePose->faces |= faces;
        if (faces == 0) {
            return;
        }
    } else {
        drawnPoses.push_back(DrawnPose{pose, faces});
    }
    DrawNode& node = dressed(*object);
    const glm::mat4 model = pose.toMatrix() * node.lookMove * object->transformMatrix * object->localMatrix;
    if (pass_.shadow) {
        if (pass_.askVisibility) {
            updateVisibility(*object, node);  // as its draw will: an opened door hides here
        }
        const ShadowDraw draw{&node, object, node.shadowVertexArray, node.isVisible, model};
        for (int face = 0; face < 6; ++face) {
            if ((faces & (1u << face)) != 0) {
                pass_.shadowDraws[face].push_back(draw);
            }
        }
        return;
    }
    // Blending only where it changes a pixel: a source alpha of exactly 1
    // gives the source colour, and the second output (alpha 0) is never read
    // for its colour.
    const bool blended = pass_.transparency && object->opacity() != 1.0f;
    applyTextureFilter(node);
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    const GLint modelLocation = location(currentProgram, "modelMatrix");
    if (modelLocation != -1) {
        glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(model));
    }
    const GLint specLocation = location(currentProgram, "specFactor");
    if (specLocation != -1) {
        glUniform1f(specLocation, node.specFactor);
    }
    applyLook(currentProgram, node);
    updateVisibility(*object, node);
    node.draw(false, pass_.transparency);
    if (blended) {
        glDisable(GL_BLEND);
    }
    ++drawnObjectCount;
}

void RenderLogic::useSceneProgram(ShaderProgram* program) {
    if (program == currentProgram) {
        return;  // its uniforms are still those of this call
    }
    glUseProgram(program->program);
    currentProgram = program;
    glUniformMatrix4fv(location(program, "VP"), 1, GL_FALSE, glm::value_ptr(pass_.viewProjection));
    glUniformMatrix4fv(location(program, "Camera"), 1, GL_FALSE, glm::value_ptr(pass_.camera));
    glUniformMatrix4fv(location(program, "View"), 1, GL_FALSE, glm::value_ptr(pass_.view));
    glUniform3fv(location(program, "defaultMaterialColor"), 1, glm::value_ptr(kDefaultMaterialColor));
    glUniform1f(location(program, "materialSpecFactor"), kMaterialSpecFactor);
    glUniform2fv(location(program, "near_far"), 1, glm::value_ptr(shadowNearFar));
    glUniform4fv(location(program, "l_pos"), 1, glm::value_ptr(lightPosition));
    const GLint cubeLocation = location(program, "cm_z_tex");
    if (cubeLocation != -1) {
        glActiveTexture(GL_TEXTURE0 + kShadowCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, pass_.shadowCube);
        glUniform1i(cubeLocation, kShadowCubeUnit);
        glActiveTexture(GL_TEXTURE0);
    }
}

void RenderLogic::useShadowProgram() {
    if (currentProgram != shadowProgram) {
        glUseProgram(shadowProgram->program);
        currentProgram = shadowProgram;
    }
    glUniformMatrix4fv(location(shadowProgram, "transformationMatrix"), 1, GL_FALSE,
                       glm::value_ptr(shadowFaceMatrices[shadowFaceIndex]));
    glUniform2fv(location(shadowProgram, "near_far"), 1, glm::value_ptr(shadowNearFar));
    glUniform4fv(location(shadowProgram, "l_pos"), 1, glm::value_ptr(lightPosition));
}

void RenderLogic::applyTextureFilter(const DrawNode& object) const {
    // Set on the object's own texture, so switching the mode changes what the
    // player sees on every textured surface.
    if (!object.isTextured || *object.textureName == 0) {
        return;
    }
    const TextureFilter& filter = kTextureFilters[mipmapMode >= 0 && mipmapMode < 3 ? mipmapMode : 0];
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, *object.textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter.minification);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter.magnification);
}

void RenderLogic::drawGhost() {
    if (!ghostPosition || ghost_ == nullptr || !ghost_->isInitialised) return;
    useSceneProgram(ghost_->objectProgram);
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), *ghostPosition) *
                            glm::scale(glm::mat4(1.0f), glm::vec3(spheres::kMainScale));
    const GLint modelLocation = location(currentProgram, "modelMatrix");
    if (modelLocation != -1) glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(model));
    const GLint specLocation = location(currentProgram, "specFactor");
    if (specLocation != -1) glUniform1f(specLocation, ghost_->specFactor);
    applyLook(currentProgram, *ghost_);
    applyTextureFilter(*ghost_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    ghost_->draw(false, true);
    glDisable(GL_BLEND);
}

void RenderLogic::advanceParticles(double dt) {
    const glm::vec3 cameraPosition(pass_.camera[3]);
    for (auto it = particleSystems.begin(); it != particleSystems.end();) {
        ParticleSystem* system = *it;
        system->age += static_cast<float>(dt);
        system->update(dt);
        system->draw(pass_.viewProjection, cameraPosition);
        currentProgram = nullptr;  // the system used programs of its own
        if (system->age > ParticleSystem::kMaxAge) {
            delete system;
            it = particleSystems.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace velmora
