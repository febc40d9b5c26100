#include "world/RenderLogic.h"


#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

#include "level/MeshData.h"
#include "level/NodeName.h"
#include "level/NodeProblems.h"
#include "render/Texture.h"
#include "level/TextureProblem.h"
#include "level/TileFile.h"
#include "platform/Console.h"
#include "platform/Window.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMatrices.h"
#include "render/SkyBackdrop.h"
#include "sim/ObjectRegistry.h"
#include "sim/SceneObject.h"
#include "world/DrawNode.h"
#include "sim/PlayerSpheres.h"
#include "sim/SolidSphere.h"

namespace velmora {

RenderLogic::RenderLogic(const Simulation& simulation)
    : registry(objectRegistry), simulation_(simulation) {
    lightPosition = glm::vec4(simulation.places().light, 1.0f);
    if (registry == nullptr) {
        // Start-up creates the registry first; without it there is no world to build.
        std::cout << "RenderLogic needs the object registry" << std::endl;
        throw platform::FatalFailure("RenderLogic needs the object registry");
    }
    shadowFaceMatrices.fill(glm::mat4(1.0f));
    // A program that fails to build throws: a constructor that throws runs
    // no destructor, so what was built up to then is released here.
    try {
        setUpPrograms();
        ParticleSystem::loadSpriteTexture(&particleSprite);
        const double start = platform::getTime();
        dressWorld();
        std::cout << "Time for creation: " << platform::getTime() - start << "sec" << std::endl;
        createGhost();
        createMarks();
        backdrop_ = std::make_unique<SkyBackdrop>();
    } catch (...) {
        release();
        throw;
    }
}

void RenderLogic::createGhost() {
    // The main sphere once more, see-through.
    std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile);
    if (mesh == nullptr) return;
    mesh->opacity = kGhostOpacity;
    ghost_ = std::make_unique<DrawNode>(std::move(mesh));
    ghost_->objectProgram = textureProgram;
    ghost_->objectShadowProgram = shadowProgram;
    ghost_->isTextured = loadTexture(spheres::kMainTexture, ghost_->textureName.get());
    ghost_->upload();
}

RenderLogic::~RenderLogic() { release(); }

void RenderLogic::release() {
    // Bursts still alive at shutdown end with the world object; the context
    // their GL objects live in is still current here.
    for (ParticleSystem* system : particleSystems) {
        delete system;
    }
    particleSystems.clear();
    if (particleSprite != 0) glDeleteTextures(1, &particleSprite);
    particleSprite = 0;
    ghost_.reset();
    backdrop_.reset();
    sphereMark_.reset();
    linkMark_.reset();
    // The world's objects keep pointers to these, but never use them again:
    // a world outlives its renderer only to be released.
    for (ShaderProgram** program : {&phongProgram, &textureProgram, &shadowProgram,
                                    &particleUpdateProgram, &particleDrawProgram}) {
        delete *program;
        *program = nullptr;
    }
}

bool RenderLogic::gameRunning() const { return !simulation_.won(); }

bool RenderLogic::spheresCoupled() const { return simulation_.coupled(); }

void RenderLogic::setUpPrograms() {
    phongProgram = new ShaderProgram("Shader/basic.vert", "Shader/phongShading.frag");
    textureProgram = new ShaderProgram("Shader/tex.vert", "Shader/tex.frag");
    shadowProgram = new ShaderProgram("Shader/shadow.vert", "Shader/shadow.frag");
    particleUpdateProgram =
        ShaderProgram::transformFeedback("Shader/PassParticle.vert", "Shader/TransformParticle.geom");
    particleDrawProgram = new ShaderProgram("Shader/PassCopy.vert", "Shader/ParticleDraw.frag",
                                            "Shader/ParticleTex.geom");
    // The light never moves, so its six face matrices are built once.
    shadowFaceMatrices =
        velmora::shadowFaceMatrices(glm::vec3(lightPosition), shadowNearFar.x, shadowNearFar.y);
}

void RenderLogic::dressWorld() { dressForDrawing(registry->mainWorld()->root, levelTextures_); }

void RenderLogic::dressForDrawing(scene::SceneObject* object, TextureCache& textures) {
    if (!object->isGroup && !drawNodeOf(*object).isDressed) {
        dressed(*object, &textures);
        if (object->opacity() < 1.0f) transparentObjects.push_back(object);
    }
    for (scene::SceneObject* child : object->getChildren()) {
        dressForDrawing(child, textures);
    }
}

DrawNode& RenderLogic::dressed(scene::SceneObject& object, TextureCache* textures) {
    DrawNode& node = drawNodeOf(object);
    if (node.isDressed || object.isGroup) return node;
    node.isDressed = true;
    const bool sphere = dynamic_cast<scene::SolidSphere*>(&object) != nullptr;
    if (sphere) {
        if (object.mesh == nullptr) {
            if (std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile)) {
                object.mesh = mesh.release();
                object.hasMesh = true;
            }
        }
        node.isTextured = loadTexture(object.textureFile, node.textureName.get());
        node.objectProgram = textureProgram;
    } else {
        if (!object.hasMesh) object.createDefaultMesh();
        node.objectProgram = phongProgram;
        if (!object.textureFile.empty() && textures != nullptr) {
            attachLevelTexture(node, object.textureFile, *textures);
            if (node.isTextured) {
                node.objectProgram = textureProgram;
            } else {
                // Shaded plainly rather than sampling whatever texture is bound.
                const std::string problem = levelTextureProblem(object.textureFile);
                std::cout << nodeProblemLine(object.sourceFile, object.nodeName,
                                             problem.empty() ? undecodableTextureMessage(object.textureFile)
                                                             : problem)
                          << std::endl;
            }
        }
    }
    node.objectShadowProgram = shadowProgram;
    node.setMesh(object.mesh);
    node.upload();
    return node;
}

void RenderLogic::clearBursts() {
    for (ParticleSystem* system : particleSystems) delete system;
    particleSystems.clear();
}

void RenderLogic::showEvents(const std::vector<SimulationEvent>& events) {
    for (const SimulationEvent& event : events) {
        if (event.type == SimulationEventType::Burst) spawnParticleBurst(event.where);
    }
    looks_.update(*registry->mainWorld(), simulation_.steps());
}

}  // namespace velmora
