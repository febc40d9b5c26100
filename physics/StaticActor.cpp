#include "physics/StaticActor.h"

#include "physics/BulletMath.h"
#include "physics/SceneImpl.h"

namespace velmora::physics {

StaticActor::StaticActor(PhysicsImpl& physics, const Transform& pose) : ActorCommon(physics, false), pose_(pose) {}

StaticActor::~StaticActor() {
    if (scene_) leaveWorld();
}

Shape* StaticActor::createShape(const Geometry& geometry, Material& material, const Transform& localPose) {
    if (!geometry.isValid()) return nullptr;
    ShapeImpl* shape = addShape(geometry, material, localPose);
    if (scene_) {
        removeShapesFromWorld();
        addShapesToWorld();
    }
    return shape;
}

void StaticActor::setGlobalPose(const Transform& pose, bool autowake) {
    pose_ = pose;
    targetPending_ = false;
    for (auto& shape : shapes_) {
        shape->object()->setWorldTransform(toBullet(pose_ * shape->getLocalPose()));
        if (scene_) scene_->shapeMoved(*shape);
    }
    if (scene_ && autowake) {
        for (auto& shape : shapes_) scene_->wakeDynamicsNear(shape->getWorldBounds());
    }
}

void StaticActor::setKinematicTarget(const Transform& pose) {
    target_ = pose;
    targetPending_ = true;
    if (kinematic_) return;
    kinematic_ = true;
    // Back into the world as kinematic objects.
    if (scene_) {
        removeShapesFromWorld();
        addShapesToWorld();
    }
}

void StaticActor::beforeStep() {
    // Bullet takes a kinematic body's velocity for the step from where it
    // was (the interpolation transform) to where it is now.
    const Transform to = getKinematicTarget();
    for (auto& shape : shapes_) {
        auto* body = btRigidBody::upcast(shape->object());
        if (body == nullptr) continue;
        body->setInterpolationWorldTransform(toBullet(pose_ * shape->getLocalPose()));
        body->setWorldTransform(toBullet(to * shape->getLocalPose()));
    }
}

void StaticActor::afterStep() {
    if (!targetPending_) return;
    pose_ = target_;
    targetPending_ = false;
}

void StaticActor::enterWorld(SceneImpl& scene) {
    scene_ = &scene;
    addShapesToWorld();
}

void StaticActor::leaveWorld() {
    removeShapesFromWorld();
    scene_ = nullptr;
}

void StaticActor::addShapesToWorld() {
    for (size_t i = 0; i < shapes_.size(); ++i) {
        ShapeImpl& shape = *shapes_[i];
        // A level node carries its collision mesh twice; colliding with both
        // copies would only double every contact and the time spent on it.
        bool duplicate = false;
        for (size_t j = 0; j < i && shape.collides() && !duplicate; ++j)
            duplicate = shapes_[j]->collides() && shape.sameSurfaceAs(*shapes_[j]);
        if (!duplicate) scene_->addStaticShape(shape);
    }
}

void StaticActor::removeShapesFromWorld() {
    for (auto& shape : shapes_) scene_->removeStaticShape(*shape);
}

void StaticActor::shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) {
    if (!scene_) return;
    // Re-adding drops every pair and contact of the old setting; changing the
    // filter alone would leave them alive in the pair cache.
    removeShapesFromWorld();
    addShapesToWorld();
    const bool collidedBefore = (oldFlags & static_cast<uint32_t>(ShapeFlag::Simulation)) &&
                                !(oldFlags & static_cast<uint32_t>(ShapeFlag::Trigger));
    if (collidedBefore && !shape.collides()) scene_->wakeDynamicsNear(shape.getWorldBounds());
}

}  // namespace velmora::physics
