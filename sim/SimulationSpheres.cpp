// The two player spheres of the simulation: their bodies, the magnet between
// them and their placing.

#include <iostream>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/PlayerSpheres.h"
#include "sim/Simulation.h"
#include "sim/SolidSphere.h"
#include "sim/World.h"

namespace velmora {

namespace {

// The magnet's force along direction, kept in the ground plane so it never
// lifts a sphere or presses it into the floor.
glm::vec3 magnetForce(glm::vec3 direction) {
    const glm::vec3 n = glm::normalize(direction);
    return glm::vec3(n.x * spheres::kMagnetForce, 0.0f, n.z * spheres::kMagnetForce);
}

}  // namespace

void Simulation::createSphereObjects() {
    // Drawn objects without GPU data yet; the renderer dresses them.
    for (ActorType type : {MainActorType, SecondActorType}) {
        const bool main = type == MainActorType;
        scene::SceneObject* object =
            main ? static_cast<scene::SceneObject*>(new scene::MainSphere(glm::mat4(1.0f)))
                 : new scene::SecondSphere(glm::mat4(1.0f));
        const float scale = main ? spheres::kMainScale : spheres::kSecondScale;
        object->localMatrix = glm::scale(glm::mat4(1.0f), glm::vec3(scale));
        object->textureFile = main ? spheres::kMainTexture : spheres::kSecondTexture;
        world_.playerActors.insert({type, new PlayerActor{object, nullptr}});
        world_.root->addChild(object);
    }
}

void Simulation::createSphereBody(ActorType type) {
    const auto entry = world_.playerActors.find(type);
    if (entry == world_.playerActors.end() || entry->second == nullptr || physics_ == nullptr) return;
    const bool main = type == MainActorType;
    const char* name = main ? spheres::kMainActorName : spheres::kSecondActorName;
    const float scale = main ? spheres::kMainScale : spheres::kSecondScale;
    const float radius = 0.5f * scale;
    physics::Material* material =
        physics_->createMaterial(spheres::kFriction, spheres::kFriction, spheres::kRestitution);
    if (material == nullptr && firstBuild_) std::cout << "Creating ActorMaterial failed" << std::endl;
    physics::RigidDynamic* actor =
        material == nullptr ? nullptr
                            : physics::createDynamic(*physics_,
                                                     physics::Transform(main ? places_.mainStart
                                                                             : places_.secondStart),
                                                     physics::Geometry::sphere(radius), *material,
                                                     spheres::kDensity);
    if (actor == nullptr) {
        // No body to roll: the sphere is neither drawn nor steerable.
        if (firstBuild_) std::cout << "Creating " << name << " failed" << std::endl;
        return;
    }
    actor->setLinearDamping(spheres::kLinearDamping);
    actor->setMass(spheres::kMass);
    actor->setName(name);
    actor->createShape(physics::Geometry::sphere(radius), *material);
    if (!main) {
        // Twice the collision radius, drawn but neither colliding nor
        // setting off triggers.
        physics::Shape* halo = actor->createShape(physics::Geometry::sphere(scale), *material);
        if (halo != nullptr) {
            halo->setFlag(physics::ShapeFlag::Simulation, false);
            halo->setFlag(physics::ShapeFlag::Trigger, false);
        }
    }
    if (scene_ != nullptr) scene_->addActor(*actor);
    entry->second->actor = actor;
    entry->second->object->actor = actor;
    world_.actorTypes.insert({actor, type});
}

physics::RigidDynamic* Simulation::sphere(ActorType type) const {
    const auto entry = world_.playerActors.find(type);
    if (entry == world_.playerActors.end() || entry->second == nullptr) return nullptr;
    return entry->second->actor;
}

glm::vec3 Simulation::spherePosition(ActorType type, float alpha) const {
    const physics::RigidDynamic* body = sphere(type);
    if (body == nullptr) return type == MainActorType ? places_.mainStart : places_.secondStart;
    return drawnPose(*body, alpha).p;
}

void Simulation::applyMagnet() {
    physics::RigidDynamic* main = sphere(MainActorType);
    physics::RigidDynamic* second = sphere(SecondActorType);
    if (main == nullptr || second == nullptr) return;
    const glm::vec3 p0 = main->getGlobalPose().p;
    const glm::vec3 p1 = second->getGlobalPose().p;
    const float d = glm::length(p1 - p0);
    if (coupled_) {
        if (!(d > spheres::kPullNearest && d <= spheres::kMagnetReach)) return;
        second->addForce(magnetForce(p0 - p1), true);
        if (burstArmed_) {
            const glm::vec3 towardsSecond = (p1 - p0) / d;
            events_.push_back(SimulationEvent{SimulationEventType::Burst, steps_,
                                              p0 + towardsSecond + glm::vec3(0.0f, 0.5f, 0.0f), {}});
            burstArmed_ = false;
        }
    } else {
        // At one place there is no direction to push along; a force made of
        // NaNs would wreck the body for good.
        if (!(d < spheres::kMagnetReach) || d <= 0.0f) return;
        second->addForce(magnetForce(p1 - p0), true);
        burstArmed_ = true;
    }
}

void Simulation::placeSpheres(glm::vec3 mainPosition, glm::vec3 secondPosition) {
    if (physics::RigidDynamic* main = sphere(MainActorType)) {
        main->setGlobalPose(physics::Transform(mainPosition), true);
    }
    if (physics::RigidDynamic* second = sphere(SecondActorType)) {
        second->setGlobalPose(physics::Transform(secondPosition), true);
    }
    jumped_ = true;
    // Drawn where they are put at once, not swept there.
    recordPoses(true);
}

void Simulation::stopSpheres() {
    for (ActorType type : {MainActorType, SecondActorType}) {
        if (physics::RigidDynamic* body = sphere(type)) {
            body->setLinearVelocity(glm::vec3(0.0f));
            body->setAngularVelocity(glm::vec3(0.0f));
        }
    }
}

void Simulation::resetGame(const std::string& text) {
    placeSpheres(places_.mainReset, places_.secondReset);
    // A sphere that hit the hazard at speed would otherwise shoot on across
    // the start room.
    stopSpheres();
    events_.push_back(SimulationEvent{SimulationEventType::Hazard, steps_, places_.mainReset, text});
}

}  // namespace velmora
