#include "physics/DynamicActor.h"

#include <algorithm>

#include "physics/BulletMath.h"
#include "physics/PhysicsImpl.h"
#include "physics/SceneImpl.h"

namespace velmora::physics {

DynamicActor::DynamicActor(PhysicsImpl& physics, const Transform& pose) : ActorCommon(physics, true) {
    collisionShape_ = std::make_unique<btEmptyShape>();
    btRigidBody::btRigidBodyConstructionInfo info(mass_, nullptr, collisionShape_.get(), toBullet(inertia_));
    info.m_startWorldTransform = toBullet(pose);
    // Damping is ours (applyDamping); Bullet's own means something else.
    info.m_linearDamping = 0;
    info.m_angularDamping = 0;
    body_ = std::make_unique<btRigidBody>(info);
    body_->setUserIndex(static_cast<int>(ObjectKind::DynamicBody));
    body_->setUserPointer(this);
    body_->setCollisionFlags(body_->getCollisionFlags() | btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
    const float speed = physics.getTolerancesScale().speed;
    body_->setSleepingThresholds(0.01f * speed, 0.02f * speed);
}

DynamicActor::~DynamicActor() {
    if (scene_) leaveWorld();
}

Shape* DynamicActor::createShape(const Geometry& geometry, Material& material, const Transform& localPose) {
    if (!geometry.isValid() || geometry.type != GeometryType::Sphere) return nullptr;
    ShapeImpl* shape = addShape(geometry, material, localPose);
    if (shapes_.size() == 1) {
        body_->setFriction(material.getDynamicFriction());
        body_->setRestitution(material.getRestitution());
    }
    rebuildCompound();
    return shape;
}

Transform DynamicActor::getGlobalPose() const { return toTransform(body_->getWorldTransform()); }

void DynamicActor::setGlobalPose(const Transform& pose, bool autowake) {
    body_->setCenterOfMassTransform(toBullet(pose));
    if (scene_) scene_->bodyMoved(*body_);
    if (autowake) body_->activate(true);
}

void DynamicActor::setMass(float mass) { setMassAndInertia(mass, inertia_); }

void DynamicActor::setMassAndInertia(float mass, const glm::vec3& inertia) {
    mass_ = mass;
    inertia_ = inertia;
    body_->setMassProps(mass, toBullet(inertia));
    // setMassProps changes only the local inertia; the solver reads the world one.
    body_->updateInertiaTensor();
}

void DynamicActor::addForce(const glm::vec3& force, bool autowake) {
    body_->applyCentralForce(toBullet(force));
    if (autowake) body_->activate(true);
}

glm::vec3 DynamicActor::getLinearVelocity() const { return toGlm(body_->getLinearVelocity()); }
glm::vec3 DynamicActor::getAngularVelocity() const { return toGlm(body_->getAngularVelocity()); }
void DynamicActor::setLinearVelocity(const glm::vec3& velocity) {
    body_->setLinearVelocity(toBullet(velocity));
}
void DynamicActor::setAngularVelocity(const glm::vec3& velocity) {
    body_->setAngularVelocity(toBullet(velocity));
}
bool DynamicActor::isSleeping() const { return body_->getActivationState() == ISLAND_SLEEPING; }

void DynamicActor::applyDamping(float dt) {
    const float linear = std::max(0.0f, 1.0f - dt * linearDamping_);
    const float angular = std::max(0.0f, 1.0f - dt * angularDamping_);
    body_->setLinearVelocity(body_->getLinearVelocity() * linear);
    body_->setAngularVelocity(body_->getAngularVelocity() * angular);
}

const std::vector<ShapeImpl*>* DynamicActor::shapesOfChild(int childIndex) const {
    if (!compound_ && children_.size() == 1) return &children_[0];
    if (childIndex < 0 || childIndex >= static_cast<int>(children_.size())) return nullptr;
    return &children_[childIndex];
}

int DynamicActor::collisionMask() const {
    return children_.empty() ? 0 : SceneImpl::dynamicMask;
}

void DynamicActor::enterWorld(SceneImpl& scene) {
    scene_ = &scene;
    scene.world().addRigidBody(body_.get(), SceneImpl::dynamicGroup, collisionMask());
}

void DynamicActor::leaveWorld() {
    scene_->world().removeRigidBody(body_.get());
    scene_ = nullptr;
}

void DynamicActor::shapeFlagsChanged(ShapeImpl&, uint32_t) { rebuildCompound(); }

void DynamicActor::rebuildCompound() {
    SceneImpl* scene = scene_;
    // Out of the world and back in: no pair of the old shape survives.
    if (scene) leaveWorld();

    // Identical shapes (the game gives each sphere its collision sphere
    // twice) collide as one child; trigger reports still name each of them.
    children_.clear();
    for (auto& shape : shapes_) {
        if (!shape->collides()) continue;
        auto same = std::find_if(children_.begin(), children_.end(),
                                 [&](const std::vector<ShapeImpl*>& child) { return shape->sameSurfaceAs(*child[0]); });
        if (same != children_.end()) {
            same->push_back(shape.get());
        } else {
            children_.push_back({shape.get()});
        }
    }

    compound_.reset();
    btCollisionShape* shape = nullptr;
    if (children_.empty()) {
        collisionShape_ = std::make_unique<btEmptyShape>();
        shape = collisionShape_.get();
    } else if (children_.size() == 1 && children_[0][0]->getLocalPose().p == glm::vec3(0.0f)) {
        // A single sphere at the centre needs no compound around it (a
        // sphere's rotation does not matter).
        collisionShape_.reset();
        shape = children_[0][0]->bulletShape();
    } else {
        compound_ = std::make_unique<btCompoundShape>(false, static_cast<int>(children_.size()));
        for (const auto& child : children_) compound_->addChildShape(toBullet(child[0]->getLocalPose()), child[0]->bulletShape());
        shape = compound_.get();
    }
    body_->setCollisionShape(shape);
    sweepFastMotion();

    if (scene) enterWorld(*scene);
}

void DynamicActor::sweepFastMotion() {
    // A sphere that would move more than half its radius in one step is swept
    // along its path and stopped where it first meets a solid surface, so a
    // fast sphere never passes through a thin wall or a flat floor. Bullet
    // sweeps only convex bodies: a lone sphere, not a compound.
    const bool loneSphere = compound_ == nullptr && children_.size() == 1;
    const float radius = loneSphere ? children_[0][0]->getGeometry().radius : 0.0f;
    body_->setCcdMotionThreshold(0.5f * radius);
    // A little smaller than the sphere, so the sweep ignores the surface the
    // sphere already rests on and lets the contact solver handle touching.
    body_->setCcdSweptSphereRadius(0.9f * radius);
}

}  // namespace velmora::physics
