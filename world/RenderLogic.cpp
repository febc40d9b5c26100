#include "world/RenderLogic.h"


#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

#include "level/MeshData.h"
#include "level/NodeName.h"
#include "level/NodeProblems.h"
#include "level/Texture.h"
#include "level/TileFile.h"
#include "platform/Console.h"
#include "platform/Window.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMatrices.h"
#include "render/SkyBackdrop.h"
#include "world/ObjectRegistry.h"
#include "world/SceneObject.h"
#include "world/PlayerSpheres.h"
#include "world/SolidSphere.h"

namespace velmora {

RenderLogic::RenderLogic() : RenderLogic(shippedLevelTiles()) {}

RenderLogic::RenderLogic(const std::vector<LevelTile>& tiles, const LevelPlaces& places)
    : registry(objectRegistry) {
    lightPosition = glm::vec4(places.light, 1.0f);
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
        World* world = registry->mainWorld();
        simulation_ = std::make_unique<Simulation>(*world, tiles, places);
        {
            // What this load adds to the world's cache lives as long as the
            // objects sharing it, so a file named by several tiles is read once.
            TextureCache textures = world->textureCache;
            dressForDrawing(world->root, textures);
        }
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
    ghost_ = std::make_unique<scene::MainSphere>(glm::mat4(1.0f), textureProgram, shadowProgram);
    ghost_->localMatrix = glm::scale(glm::mat4(1.0f), glm::vec3(spheres::kMainScale));
    std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile);
    if (mesh == nullptr) return;
    mesh->opacity = kGhostOpacity;
    ghost_->mesh = mesh.release();
    ghost_->hasMesh = true;
    ghost_->isTextured = loadTexture(spheres::kMainTexture, ghost_->textureName.get());
    ghost_->init();
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
    simulation_.reset();
    // The world's objects keep pointers to these, but never use them again:
    // a world outlives its renderer only to be released.
    for (ShaderProgram** program : {&phongProgram, &textureProgram, &shadowProgram,
                                    &particleUpdateProgram, &particleDrawProgram}) {
        delete *program;
        *program = nullptr;
    }
}

bool RenderLogic::gameRunning() const { return !simulation_->won(); }

bool RenderLogic::spheresCoupled() const { return simulation_->coupled(); }

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

void RenderLogic::dressForDrawing(scene::SceneObject* object, TextureCache& textures) {
    if (!object->isGroup && !object->isInitialised) {
        const bool sphere = dynamic_cast<scene::SolidSphere*>(object) != nullptr;
        if (sphere) {
            if (std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile)) {
                object->mesh = mesh.release();
                object->hasMesh = true;
            }
            object->isTextured = loadTexture(object->textureFile, object->textureName.get());
            object->objectProgram = textureProgram;
        } else {
            object->objectProgram = phongProgram;
            if (!object->textureFile.empty()) {
                attachLevelTexture(*object, object->textureFile, textures);
                if (object->isTextured) {
                    object->objectProgram = textureProgram;
                } else {
                    // Shaded plainly rather than sampling whatever texture is bound.
                    const std::string problem = levelTextureProblem(object->textureFile);
                    std::cout << nodeProblemLine(object->sourceFile, object->nodeName,
                                                 problem.empty()
                                                     ? undecodableTextureMessage(object->textureFile)
                                                     : problem)
                              << std::endl;
                }
            }
        }
        object->objectShadowProgram = shadowProgram;
        object->init();
    }
    for (scene::SceneObject* child : object->getChildren()) {
        dressForDrawing(child, textures);
    }
}

void RenderLogic::restartRun() {
    simulation_->restart();
    for (ParticleSystem* system : particleSystems) delete system;
    particleSystems.clear();
}

void RenderLogic::showEvents(const std::vector<SimulationEvent>& events) {
    for (const SimulationEvent& event : events) {
        if (event.type == SimulationEventType::Burst) spawnParticleBurst(event.where);
    }
    looks_.update(*registry->mainWorld(), simulation_->steps());
}

}  // namespace velmora
