// The two player spheres of RenderLogic: their creation, the keys' push on
// the main sphere, the magnet between them and their placing on a reset.

#include <cmath>
#include <iostream>
#include <memory>

#include <glm/gtc/matrix_transform.hpp>

#include "level/MeshData.h"
#include "level/Texture.h"
#include "level/TileFile.h"
#include "render/ParticleSystem.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "world/SolidSphere.h"

namespace velmora {

namespace {

// The sphere registered under type in the main world, or null.
PlayerActor* playerActor(const World& world, ActorType type) {
    const auto entry = world.playerActors.find(type);
    if (entry == world.playerActors.end() || entry->second == nullptr || entry->second->actor == nullptr) {
        return nullptr;
    }
    return entry->second;
}

// The magnet's force along direction, kept in the ground plane so it never
// lifts a sphere or presses it into the floor.
glm::vec3 magnetForce(glm::vec3 direction) {
    const glm::vec3 n = glm::normalize(direction);
    return glm::vec3(n.x * spheres::kMagnetForce, 0.0f, n.z * spheres::kMagnetForce);
}

}  // namespace

void RenderLogic::createMainSphere(const std::string& actorName, glm::vec3 start, float scale) {
    auto* object = new scene::MainSphere(glm::mat4(1.0f), textureProgram, shadowProgram);
    createSphere(object, actorName, start, scale, spheres::kMainTexture, false, MainActorType);
}

void RenderLogic::createSecondSphere(const std::string& actorName, glm::vec3 start, float scale) {
    auto* object = new scene::SecondSphere(glm::mat4(1.0f), textureProgram, shadowProgram);
    createSphere(object, actorName, start, scale, spheres::kSecondTexture, true, SecondActorType);
}

void RenderLogic::createSphere(scene::SceneObject* object, const std::string& actorName, glm::vec3 start,
                               float scale, const std::string& textureFile, bool extraShape,
                               ActorType type) {
    const float radius = 0.5f * scale;
    physics::Material* material =
        physics->createMaterial(spheres::kFriction, spheres::kFriction, spheres::kRestitution);
    if (material == nullptr) {
        std::cout << "Creating ActorMaterial failed" << std::endl;
    }
    physics::RigidDynamic* actor =
        material == nullptr ? nullptr
                            : physics::createDynamic(*physics, physics::Transform(start),
                                                     physics::Geometry::sphere(radius), *material,
                                                     spheres::kDensity);
    if (actor == nullptr) {
        // No body to roll: the sphere would be neither drawn nor steerable,
        // and every later lookup of it must find nothing rather than a husk.
        std::cout << "Creating " << actorName << " failed" << std::endl;
        delete object;
        return;
    }
    actor->setLinearDamping(spheres::kLinearDamping);
    actor->setMass(spheres::kMass);
    actor->setName(actorName);
    actor->createShape(physics::Geometry::sphere(radius), *material);
    if (extraShape) {
        // Twice the collision radius, drawn but neither colliding nor
        // setting off triggers.
        physics::Shape* halo = actor->createShape(physics::Geometry::sphere(scale), *material);
        if (halo != nullptr) {
            halo->setFlag(physics::ShapeFlag::Simulation, false);
            halo->setFlag(physics::ShapeFlag::Trigger, false);
        }
    }
    if (physicsScene != nullptr) {
        physicsScene->addActor(*actor);
    }

    object->localMatrix = glm::scale(glm::mat4(1.0f), glm::vec3(scale));
    if (std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile)) {
        object->mesh = mesh.release();
        object->hasMesh = true;
    }
    object->isTextured = loadTexture(textureFile, object->textureName.get());
    object->init();
    object->actor = actor;
    registerPlayerActor(new PlayerActor{object, actor}, *registry->mainWorld(), type);
}

void RenderLogic::registerPlayerActor(PlayerActor* entry, World& world, ActorType type) {
    if (type == EitherActorType || type == NoActorType) {
        std::cerr << "Invalid actorType, must be a 'single' actor type" << std::endl;
        return;
    }
    world.playerActors.insert({type, entry});
    world.actorTypes.insert({entry->actor, type});
    world.root->addChild(entry->object);
}

void RenderLogic::pushMainSphere(glm::vec3 f) {
    PlayerActor* main = playerActor(*registry->mainWorld(), MainActorType);
    if (main == nullptr) {
        return;
    }
    main->actor->addForce(f * spheres::kPushScale, true);
}

void RenderLogic::updateSecondSphere() {
    const World& world = *registry->mainWorld();
    PlayerActor* main = playerActor(world, MainActorType);
    PlayerActor* second = playerActor(world, SecondActorType);
    if (main == nullptr || second == nullptr) {
        return;
    }
    const glm::vec3 p0 = main->actor->getGlobalPose().p;
    const glm::vec3 p1 = second->actor->getGlobalPose().p;
    const float d = glm::length(p1 - p0);
    if (spheresCoupled) {
        if (!(d > spheres::kPullNearest && d <= spheres::kMagnetReach)) {
            return;
        }
        second->actor->addForce(magnetForce(p0 - p1), true);
        if (particleArmed) {
            const glm::vec3 towardsSecond = (p1 - p0) / d;
            spawnParticleBurst(p0 + towardsSecond + glm::vec3(0.0f, 0.5f, 0.0f));
            particleArmed = false;
        }
    } else {
        // At one place there is no direction to push along; a force made of
        // NaNs would wreck the body for good.
        if (!(d < spheres::kMagnetReach) || d <= 0.0f) {
            return;
        }
        second->actor->addForce(magnetForce(p1 - p0), true);
        particleArmed = true;
    }
}

void RenderLogic::spawnParticleBurst(glm::vec3 origin) {
    std::cout << "make system" << std::endl;
    auto* system = new ParticleSystem(origin, particleUpdateProgram, particleDrawProgram);
    system->loadSpriteTexture();
    system->setUp();
    // Its set-up made a program current behind the renderer's back.
    currentProgram = nullptr;
    particleSystems.push_back(system);
}

void RenderLogic::placeSpheres(glm::vec3 mainPosition, glm::vec3 secondPosition) {
    const World& world = *registry->mainWorld();
    if (PlayerActor* main = playerActor(world, MainActorType)) {
        main->actor->setGlobalPose(physics::Transform(mainPosition), true);
    }
    if (PlayerActor* second = playerActor(world, SecondActorType)) {
        second->actor->setGlobalPose(physics::Transform(secondPosition), true);
    }
}

void RenderLogic::stopSpheres() {
    const World& world = *registry->mainWorld();
    for (ActorType type : {MainActorType, SecondActorType}) {
        if (PlayerActor* sphere = playerActor(world, type)) {
            sphere->actor->setLinearVelocity(glm::vec3(0.0f));
            sphere->actor->setAngularVelocity(glm::vec3(0.0f));
        }
    }
}

}  // namespace velmora
