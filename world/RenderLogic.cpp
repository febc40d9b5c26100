#include "world/RenderLogic.h"

#include <iostream>

#include "platform/Console.h"
#include "platform/Window.h"
#include "render/PassProbe.h"
#include "render/ShadowMatrices.h"
#include "render/SkyBackdrop.h"
#include "sim/SceneObject.h"
#include "sim/World.h"
#include "world/GhostSphere.h"
#include "world/SphereMarks.h"

namespace velmora {

// A part that fails to build throws, and the parts built before it are released.
RenderLogic::RenderLogic(const Simulation& simulation, const RenderOptions& options)
    : options_(options),
      world_(simulation.world()),
      simulation_(simulation),
      programs_(),
      bursts_(programs_),
      dressing_(programs_),
      scenePass_(simulation, dressing_, programs_),
      shadowFaces_(simulation, dressing_, programs_) {
    lightPosition = glm::vec4(simulation.places().light, 1.0f);
    // The light never moves, so its six face matrices are built once.
    shadowFaceMatrices =
        velmora::shadowFaceMatrices(glm::vec3(lightPosition), shadowNearFar.x, shadowNearFar.y);
    const double start = platform::getTime();
    dressWorld();
    std::cout << "Time for creation: " << platform::getTime() - start << "sec" << std::endl;
    ghost_ = std::make_unique<GhostSphere>(programs_);
    marks_ = std::make_unique<SphereMarks>(programs_);
    backdrop_ = std::make_unique<SkyBackdrop>();
}

RenderLogic::~RenderLogic() = default;

bool RenderLogic::gameRunning() const { return !simulation_.won(); }

bool RenderLogic::spheresCoupled() const { return simulation_.coupled(); }

void RenderLogic::dressWorld() { dressing_.dress(*world_.root); }

void RenderLogic::clearBursts() { bursts_.clear(); }

void RenderLogic::showEvents(const std::vector<SimulationEvent>& events) {
    for (const SimulationEvent& event : events) {
        if (event.type == SimulationEventType::Burst) bursts_.spawn(event.where);
    }
    looks_.update(world_, simulation_.steps());
}

void RenderLogic::renderScene(bool shadowPass, glm::mat4 cameraMatrix, glm::mat4 projectionMatrix,
                              double dt) {
    if (wireframeEnabled) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    scene::SceneObject& root = *world_.root;
    if (shadowPass) {
        shadowFaceIndex = (shadowFaceIndex + 1) % 6;
        shadowFaces_.draw(root, shadowFaceIndex, shadowLight());
        passDone("shadow draws");
    } else {
        const bool transparency = options_.transparencyEnabled;
        const SceneUniforms uniforms = sceneUniforms(cameraMatrix, projectionMatrix);
        scenePass_.begin(uniforms, {frustumCullingEnabled, mipmapMode, drawAlpha, transparency});
        shadowFaces_.startListing();  // the next frame's shadow faces are listed anew
        // The lit shaders (four shadow-cube reads per lit point) are the
        // frame's dearest work: depth first, so each pixel is shaded once,
        // by its nearest surface, whatever order the tree draws in.
        scenePass_.drawDepth(root);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
        scenePass_.drawWorld(root);
        glDepthMask(GL_TRUE);
        glDepthFunc(GL_LESS);
        // Behind the opaque world, before anything blended over it.
        if (backdrop_ != nullptr && simulation_.hasLevel()) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            backdrop_->draw(cameraMatrix, projectionMatrix, skyColours);
            if (wireframeEnabled) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            currentProgram = nullptr;  // the backdrop's program is current now
        }
        passDone("scene pass");
        bursts_.advance(dt, uniforms.viewProjection, glm::vec3(uniforms.camera[3]));
        passDone("particles");
        if (transparency) {
            scenePass_.drawSeeThrough(transparentObjects);
            passDone("scene pass");
        }
        if (ghostPosition) ghost_->draw(*ghostPosition, uniforms, mipmapMode);
        marks_->draw(simulation_, drawAlpha, uniforms);
        passDone("ghost and marks");
    }
    // Always back to filled, so nothing drawn after the scene (HUD, blur)
    // inherits lines, even when the option was switched between calls.
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

bool RenderLogic::shadowFaceNeedsClear(int face, bool drawn) {
    return shadowFaces_.needsClear(*world_.root, face, drawn, shadowLight());
}

SceneUniforms RenderLogic::sceneUniforms(const glm::mat4& cameraMatrix,
                                         const glm::mat4& projectionMatrix) const {
    SceneUniforms uniforms;
    uniforms.camera = cameraMatrix;
    uniforms.view = glm::inverse(cameraMatrix);
    uniforms.viewProjection = projectionMatrix * uniforms.view;
    uniforms.nearFar = shadowNearFar;
    uniforms.light = lightPosition;
    uniforms.shadowCube = shadowCubeTexture;
    return uniforms;
}

ShadowFaces::Light RenderLogic::shadowLight() const {
    ShadowFaces::Light light;
    light.faceMatrices = shadowFaceMatrices;
    light.nearFar = shadowNearFar;
    light.position = lightPosition;
    light.cubeTexture = shadowCubeTexture;
    light.wireframe = wireframeEnabled;
    light.transparency = options_.transparencyEnabled;
    light.drawAlpha = drawAlpha;
    return light;
}

}  // namespace velmora
