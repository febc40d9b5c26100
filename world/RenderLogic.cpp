#include "world/RenderLogic.h"

#include <iostream>

#include "level/LevelCheck.h"
#include "level/LevelLoader.h"
#include "platform/Console.h"
#include "platform/Window.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMatrices.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/Door.h"
#include "world/PlayerSpheres.h"
#include "world/Trigger.h"

namespace velmora {

RenderLogic::RenderLogic() : registry(objectRegistry) {
    if (registry == nullptr) {
        // Start-up creates the registry first; without it there is no world to build.
        std::cout << "RenderLogic needs the object registry" << std::endl;
        platform::fatalExit();
    }
    shadowFaceMatrices.fill(glm::mat4(1.0f));
    setUpPrograms();
    initPhysics();
    // After the level, so the spheres are the last children of the root.
    createMainSphere(spheres::kMainActorName, spheres::kMainStart, spheres::kMainScale);
    createSecondSphere(spheres::kSecondActorName, spheres::kSecondStart, spheres::kSecondScale);
}

RenderLogic::~RenderLogic() {
    if (physicsScene != nullptr) {
        physicsScene->release();
        physicsScene = nullptr;
    }
    if (physics != nullptr) {
        physics->release();
        physics = nullptr;
    }
    // Bursts still alive at shutdown end with the world object; the context
    // their GL objects live in is still current here.
    for (ParticleSystem* system : particleSystems) {
        delete system;
    }
    particleSystems.clear();
}

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

void RenderLogic::initPhysics() {
    const PhysicsSetup setup = ::velmora::initPhysics(this);
    physics = setup.physics;
    winCallback = [this] { winGame(); };
    resetCallback = [this](std::string text) { resetGame(std::move(text)); };

    importLevel(setup);
}

void RenderLogic::importLevel(const PhysicsSetup& setup) {
    LevelSetup level;
    level.physics = setup.physics;
    level.cooking = setup.cooking;
    level.scene = setup.scene;
    level.programs = {phongProgram, textureProgram, shadowProgram};
    level.callbacks = {winCallback, resetCallback};
    World* world = registry->mainWorld();

    const double start = platform::getTime();
    {
        // One loader for all tiles, so a texture file shared by the tiles is
        // read only once.
        LevelLoader loader(level, *world);
        for (const LevelTile& tile : shippedLevelTiles()) {
            loader.importTile(tile.file, world->root, tile.offset);
        }
    }
    std::cout << "Time for creation: " << platform::getTime() - start << "sec" << std::endl;
}

void RenderLogic::winGame() { gameRunning = false; }

void RenderLogic::resetGame(std::string text) {
    (void)text;
    placeSpheres(spheres::kMainReset, spheres::kSecondReset);
    // A sphere that hit the hazard at speed would otherwise shoot on across
    // the start room.
    stopSpheres();
}

void RenderLogic::restartRun() {
    placeSpheres(spheres::kMainStart, spheres::kSecondStart);
    stopSpheres();
    for (const auto& [name, door] : registry->mainWorld()->doorRegistry) {
        if (door != nullptr) door->reset();
    }
    for (ParticleSystem* system : particleSystems) delete system;
    particleSystems.clear();
    spheresCoupled = true;
    particleArmed = true;
    gameRunning = true;
}

void RenderLogic::onTrigger(physics::TriggerPair* pairs, uint32_t count) {
    World* world = registry->mainWorld();
    // Every pair of the step counts: two spheres can enter in the same step.
    for (uint32_t i = 0; i < count; ++i) {
        const physics::TriggerPair& pair = pairs[i];
        const auto trigger = world->triggerRegistry.find(pair.triggerShape->getActor());
        if (trigger == world->triggerRegistry.end() || trigger->second == nullptr) {
            std::cerr << "onTrigger(...): scene object for trigger was not found (returned nullptr)!"
                      << std::endl;
            continue;
        }
        const auto type = world->actorTypes.find(pair.otherShape->getActor());
        if (type == world->actorTypes.end() || type->second == NoActorType) {
            continue;  // only the player spheres set triggers off
        }
        if (pair.status == physics::PairFlag::TouchFound) {
            trigger->second->enter(type->second, &world->doorRegistry);
        } else if (pair.status == physics::PairFlag::TouchLost) {
            trigger->second->leave(type->second, &world->doorRegistry);
        }
    }
}

}  // namespace velmora
