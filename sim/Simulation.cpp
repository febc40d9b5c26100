#include "sim/Simulation.h"

#include <iostream>

#include <glm/gtc/quaternion.hpp>

#include "level/CollisionCooking.h"
#include "level/NodeProblems.h"
#include "sim/Door.h"
#include "sim/PhysicsSetup.h"
#include "sim/SceneObject.h"
#include "sim/Trigger.h"
#include "sim/World.h"

namespace velmora {

Simulation::Simulation(World& world, const std::vector<LevelTile>& tiles, const LevelPlaces& places)
    : world_(world), places_(places) {
    importLevel(tiles);
    // After the level, so the spheres are the last children of the root.
    createSphereObjects();
    buildPhysics();
    firstBuild_ = false;
}

Simulation::~Simulation() {
    // Only the physics: the world's objects may be gone already.
    if (scene_ != nullptr) scene_->release();
    if (cooking_ != nullptr) cooking_->release();
    if (physics_ != nullptr) physics_->release();
    if (dispatcher_ != nullptr) dispatcher_->release();
}

void Simulation::importLevel(const std::vector<LevelTile>& tiles) {
    LevelSetup level;
    level.callbacks.win = [this] { winGame(); };
    level.callbacks.reset = [this](std::string text) { resetGame(text); };
    level.bodies = &bodies_;
    LevelLoader loader(level, world_);
    for (const LevelTile& tile : tiles) {
        loader.importTile(tile.file, world_.root, tile.offset);
    }
}

void Simulation::buildPhysics() {
    const PhysicsSetup setup = initPhysics(this);
    physics_ = setup.physics;
    dispatcher_ = setup.dispatcher;
    cooking_ = setup.cooking;
    scene_ = setup.scene;

    world_.triggerRegistry.clear();
    world_.actorTypes.clear();
    for (const LevelBodyRecipe& body : bodies_) {
        scene::SceneObject& object = *body.object;
        object.actor = physics_ == nullptr || object.mesh == nullptr
                           ? nullptr
                           : cookStaticActor(*physics_, cooking_, scene_, *object.mesh, body.pose, body.plan);
        if (object.actor == nullptr && firstBuild_ && object.mesh != nullptr && object.mesh->faceCount > 0) {
            // After the physics' own line, if it printed one.
            std::cout << nodeProblemLine(object.sourceFile, object.nodeName,
                                         isPlaceable(body.pose) ? failedCookingMessage()
                                                                : degenerateScaleMessage(body.pose.scale))
                      << std::endl;
        }
        auto* trigger = dynamic_cast<scene::Trigger*>(&object);
        if (trigger != nullptr) trigger->clearHolds();
        if (trigger != nullptr && object.actor != nullptr) world_.triggerRegistry[object.actor] = trigger;
    }
    createSphereBody(MainActorType);
    createSphereBody(SecondActorType);

    doorsOpen_.clear();
    for (const auto& [name, door] : world_.doorRegistry) {
        if (door != nullptr) door->reset();
        doorsOpen_.push_back(false);
    }
    millParts_.clear();
    tracked_.clear();
    scene::SceneObject* mill = scene::SceneObject::findByName("mill", world_.root);
    std::vector<scene::SceneObject*> pending;
    if (mill != nullptr) pending.push_back(mill);
    while (!pending.empty()) {
        scene::SceneObject* part = pending.back();
        pending.pop_back();
        if (part->actor != nullptr && !part->actor->isDynamic()) {
            auto* body = static_cast<physics::RigidStatic*>(part->actor);
            millParts_.emplace_back(body, body->getGlobalPose());
        }
        for (scene::SceneObject* child : part->getChildren()) pending.push_back(child);
    }
    for (ActorType type : {MainActorType, SecondActorType}) {
        if (const physics::RigidDynamic* body = sphere(type)) {
            tracked_.push_back(TrackedPose{body, body->getGlobalPose(), body->getGlobalPose()});
        }
    }
    for (const auto& [body, pose] : millParts_) tracked_.push_back(TrackedPose{body, pose, pose});

    steps_ = 0;
    millSteps_ = 0;
    won_ = false;
    coupled_ = true;
    burstArmed_ = true;
    // A fresh scene: nothing touches until its first step says so.
    contacts_[0] = contacts_[1] = 0;
    lastTouched_[0] = lastTouched_[1] = -100;
}

void Simulation::releasePhysics() {
    for (const LevelBodyRecipe& body : bodies_) body.object->actor = nullptr;
    for (auto& [type, entry] : world_.playerActors) {
        if (entry != nullptr) entry->actor = nullptr;
    }
    world_.triggerRegistry.clear();
    world_.actorTypes.clear();
    millParts_.clear();
    tracked_.clear();
    // The scene first; the physics then takes every body, shape and mesh.
    if (scene_ != nullptr) scene_->release();
    if (cooking_ != nullptr) cooking_->release();
    if (physics_ != nullptr) physics_->release();
    if (dispatcher_ != nullptr) dispatcher_->release();
    scene_ = nullptr;
    cooking_ = nullptr;
    physics_ = nullptr;
    dispatcher_ = nullptr;
}

void Simulation::step(const StepInput& input) {
    jumped_ = false;
    if (input.restart) restart();
    for (TrackedPose& pose : tracked_) pose.previous = pose.current;
    if (!won_) {
        if (physics::RigidDynamic* main = sphere(MainActorType)) {
            if (input.push != glm::vec3(0.0f)) main->addForce(input.push, true);
        }
        coupled_ = input.coupled;
        applyMagnet();
        turnMill();
    }
    if (scene_ != nullptr) {
        scene_->simulate(kStep);
        ++steps_;
        // Trigger reports of the step: the goal, hazards, switches.
        scene_->fetchResults(true);
    }
    reportDoorChanges();
    noteTouches();
    recordPoses(jumped_);
}

void Simulation::forgetLevel() {
    bodies_.clear();
    doorsOpen_.clear();
    for (const auto& [body, pose] : millParts_) {
        for (auto tracked = tracked_.begin(); tracked != tracked_.end(); ++tracked) {
            if (tracked->actor == body) {
                tracked_.erase(tracked);
                break;
            }
        }
    }
    millParts_.clear();
}

void Simulation::restart() {
    releasePhysics();
    buildPhysics();
    jumped_ = true;
    events_.push_back(SimulationEvent{SimulationEventType::Restarted, 0, glm::vec3(0.0f), {}});
}

float Simulation::millAngle() const {
    return glm::radians(kMillDegreesPerSecond * static_cast<float>(millSteps_) / 60.0f);
}

void Simulation::turnMill() {
    ++millSteps_;
    // A function of the step count: the same angle at the same step on
    // every machine, and zero at the start of every run.
    const glm::quat turn = glm::angleAxis(millAngle(), glm::vec3(0.0f, 1.0f, 0.0f));
    for (const auto& [body, start] : millParts_) {
        body->setKinematicTarget(start * physics::Transform(glm::vec3(0.0f), turn));
    }
}

void Simulation::recordPoses(bool jumped) {
    for (TrackedPose& pose : tracked_) {
        pose.current = pose.actor->getGlobalPose();
        if (jumped) pose.previous = pose.current;
    }
}

void Simulation::reportDoorChanges() {
    size_t index = 0;
    for (const auto& [name, door] : world_.doorRegistry) {
        if (index >= doorsOpen_.size()) break;
        const bool open = door != nullptr && door->isOpen;
        if (open != doorsOpen_[index]) {
            glm::vec3 where(0.0f);
            if (door != nullptr && door->actor != nullptr) where = door->actor->getGlobalPose().p;
            events_.push_back(SimulationEvent{
                open ? SimulationEventType::DoorOpened : SimulationEventType::DoorClosed, steps_, where, name});
            doorsOpen_[index] = open;
        }
        ++index;
    }
}

std::vector<SimulationEvent> Simulation::takeEvents() {
    std::vector<SimulationEvent> taken;
    taken.swap(events_);
    return taken;
}

physics::Transform Simulation::drawnPose(const physics::RigidActor& actor, float alpha) const {
    for (const TrackedPose& pose : tracked_) {
        if (pose.actor != &actor) continue;
        // A body at rest is drawn exactly where it is: mixing a pose with
        // itself can move it by a rounding step, which would look like motion
        // to everything that compares poses (the shadow faces' cache).
        if (alpha >= 1.0f || (pose.previous.p == pose.current.p && pose.previous.q == pose.current.q)) {
            return pose.current;
        }
        if (alpha <= 0.0f) return pose.previous;
        return physics::Transform(glm::mix(pose.previous.p, pose.current.p, alpha),
                                  glm::slerp(pose.previous.q, pose.current.q, alpha));
    }
    return actor.getGlobalPose();
}

void Simulation::winGame() {
    if (won_) return;
    won_ = true;
    events_.push_back(SimulationEvent{SimulationEventType::Goal, steps_, spherePosition(MainActorType), {}});
}

void Simulation::onTrigger(physics::TriggerPair* pairs, uint32_t count) {
    // Every pair of the step counts: two spheres can enter in the same step.
    for (uint32_t i = 0; i < count; ++i) {
        const physics::TriggerPair& pair = pairs[i];
        const auto trigger = world_.triggerRegistry.find(pair.triggerShape->getActor());
        if (trigger == world_.triggerRegistry.end() || trigger->second == nullptr) {
            std::cerr << "onTrigger(...): scene object for trigger was not found (returned nullptr)!"
                      << std::endl;
            continue;
        }
        const auto type = world_.actorTypes.find(pair.otherShape->getActor());
        if (type == world_.actorTypes.end() || type->second == NoActorType) {
            continue;  // only the player spheres set triggers off
        }
        scene::Trigger& volume = *trigger->second;
        const glm::vec3 where = pair.triggerShape->getActor()->getGlobalPose().p;
        if (pair.status == physics::PairFlag::TouchFound) {
            volume.enter(type->second, &world_.doorRegistry);
            if (volume.isSwitch()) {
                events_.push_back(SimulationEvent{SimulationEventType::SwitchOn, steps_, where, volume.name});
            }
        } else if (pair.status == physics::PairFlag::TouchLost) {
            volume.leave(type->second, &world_.doorRegistry);
            if (volume.isSwitch()) {
                events_.push_back(SimulationEvent{SimulationEventType::SwitchOff, steps_, where, volume.name});
            }
        }
    }
}

}  // namespace velmora
