#include "physics/SceneImpl.h"

#include <algorithm>

#include "physics/ActorImpl.h"
#include "physics/BulletMath.h"
#include "physics/DynamicActor.h"
#include "physics/PhysicsImpl.h"
#include "physics/ShapeImpl.h"
#include "physics/StaticActor.h"

namespace velmora::physics {

namespace {

ActorImpl& implOf(RigidActor& actor) {
    if (actor.isDynamic()) return static_cast<DynamicActor&>(actor);
    return static_cast<StaticActor&>(actor);
}

}  // namespace

SceneImpl::SceneImpl(PhysicsImpl& physics, const SceneDesc& desc)
    : physics_(physics), callback_(desc.simulationEventCallback) {
    configuration_ = std::make_unique<btDefaultCollisionConfiguration>();
    dispatcher_ = std::make_unique<btCollisionDispatcher>(configuration_.get());
    broadphase_ = std::make_unique<btDbvtBroadphase>();
    solver_ = std::make_unique<btSequentialImpulseConstraintSolver>();
    world_ = std::make_unique<SteppingWorld>(dispatcher_.get(), broadphase_.get(), solver_.get(), configuration_.get());
    world_->setGravity(toBullet(desc.gravity));
    // Slow impacts stay put: a sphere dropping off a step or brushing a wall
    // must not hop (see "Bounces" in Physics.h).
    world_->getSolverInfo().m_restitutionVelocityThreshold = kBounceThreshold;
    // Static shapes move only through setGlobalPose, which refreshes their
    // bounds itself; sweeping all of them every step is wasted time.
    world_->setForceUpdateAllAabbs(false);
}

SceneImpl::~SceneImpl() { removeAllActors(); }

void SceneImpl::addActor(RigidActor& actor) {
    ActorImpl& impl = implOf(actor);
    if (impl.scene()) return;
    impl.enterWorld(*this);
    actors_.push_back(&impl);
}

void SceneImpl::removeActor(RigidActor& actor) {
    ActorImpl& impl = implOf(actor);
    if (impl.scene() != this) return;
    impl.leaveWorld();
    triggers_.forget(impl);
    actors_.erase(std::find(actors_.begin(), actors_.end(), &impl));
    // A report already made but not yet fetched must not point at it either.
    pendingPairs_.erase(std::remove_if(pendingPairs_.begin(), pendingPairs_.end(),
                                       [&](const TriggerPair& p) {
                                           return p.triggerActor == &actor || p.otherActor == &actor;
                                       }),
                        pendingPairs_.end());
    contacts_.forget(impl);
    pendingContacts_.erase(std::remove_if(pendingContacts_.begin(), pendingContacts_.end(),
                                          [&](const ContactReport& r) {
                                              return r.actor == &actor || r.other == &actor;
                                          }),
                           pendingContacts_.end());
}

void SceneImpl::removeAllActors() {
    while (!actors_.empty()) removeActor(actors_.back()->asActor());
}

void SceneImpl::setGravity(const glm::vec3& gravity) { world_->setGravity(toBullet(gravity)); }

glm::vec3 SceneImpl::getGravity() const { return toGlm(world_->getGravity()); }

void SceneImpl::simulate(float elapsedTime) {
    if (elapsedTime > 0.0f) {
        for (ActorImpl* actor : actors_) {
            if (actor->isKinematicActor()) actor->beforeStep();
        }
        contacts_.beforeStep(actors_);
        // One step of exactly this length: no sub-steps, no interpolation.
        world_->stepSimulation(elapsedTime, 0);
        for (ActorImpl* actor : actors_) {
            if (actor->isKinematicActor()) actor->afterStep();
        }
        triggers_.update(*dispatcher_, pendingPairs_);
        contacts_.update(*dispatcher_, pendingContacts_);
    }
    stepPending_ = true;
}

bool SceneImpl::fetchResults(bool /*block*/) {
    if (!stepPending_) return false;
    stepPending_ = false;
    // The callback may move actors or switch flags; it works on its own copy
    // so that nothing it does can disturb the array it is reading.
    std::vector<ContactReport> contacts;
    contacts.swap(pendingContacts_);
    std::vector<TriggerPair> pairs;
    pairs.swap(pendingPairs_);
    if (callback_ && !contacts.empty()) {
        callback_->onContact(contacts.data(), static_cast<uint32_t>(contacts.size()));
    }
    if (callback_ && !pairs.empty()) callback_->onTrigger(pairs.data(), static_cast<uint32_t>(pairs.size()));
    return true;
}

void SceneImpl::release() { physics_.destroyScene(this); }

void SceneImpl::addStaticShape(ShapeImpl& shape) {
    btCollisionObject* object = shape.object();
    const bool kinematic = shape.actorImpl().isKinematicActor();
    const int still = kinematic ? btCollisionObject::CF_KINEMATIC_OBJECT : btCollisionObject::CF_STATIC_OBJECT;
    // A moving body must never fall asleep: its velocity would be lost.
    if (kinematic) object->forceActivationState(DISABLE_DEACTIVATION);
    if (shape.reportsOverlaps()) {
        object->setCollisionFlags(still | btCollisionObject::CF_NO_CONTACT_RESPONSE);
        world_->addCollisionObject(object, triggerGroup, dynamicGroup);
    } else if (shape.collides()) {
        object->setCollisionFlags(still | btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
        world_->addCollisionObject(object, staticGroup, dynamicGroup);
    }
}

void SceneImpl::removeStaticShape(ShapeImpl& shape) {
    if (shape.object()->getBroadphaseHandle()) world_->removeCollisionObject(shape.object());
}

void SceneImpl::shapeMoved(ShapeImpl& shape) {
    if (shape.object()->getBroadphaseHandle()) world_->updateSingleAabb(shape.object());
}

void SceneImpl::bodyMoved(btRigidBody& body) {
    if (body.getBroadphaseHandle()) world_->updateSingleAabb(&body);
}

void SceneImpl::wakeDynamicsNear(const Bounds& bounds) {
    // A resting body may sit just outside the bounds, within contact distance.
    const btVector3 slack(0.05f, 0.05f, 0.05f);
    const btVector3 lo = toBullet(bounds.minimum) - slack, hi = toBullet(bounds.maximum) + slack;
    for (ActorImpl* actor : actors_) {
        if (!actor->isDynamicActor()) continue;
        btRigidBody& body = static_cast<DynamicActor*>(actor)->body();
        btVector3 bodyLo, bodyHi;
        body.getCollisionShape()->getAabb(body.getWorldTransform(), bodyLo, bodyHi);
        if (TestAabbAgainstAabb2(lo, hi, bodyLo, bodyHi)) body.activate(true);
    }
}

}  // namespace velmora::physics
