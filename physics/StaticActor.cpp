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
    if (scene_) scene_->addStaticShape(*shape);
    return shape;
}

void StaticActor::setGlobalPose(const Transform& pose, bool autowake) {
    pose_ = pose;
    for (auto& shape : shapes_) {
        shape->object()->setWorldTransform(toBullet(pose_ * shape->getLocalPose()));
        if (scene_) scene_->shapeMoved(*shape);
    }
    if (scene_ && autowake) {
        for (auto& shape : shapes_) scene_->wakeDynamicsNear(shape->getWorldBounds());
    }
}

void StaticActor::enterWorld(SceneImpl& scene) {
    scene_ = &scene;
    for (auto& shape : shapes_) scene.addStaticShape(*shape);
}

void StaticActor::leaveWorld() {
    for (auto& shape : shapes_) scene_->removeStaticShape(*shape);
    scene_ = nullptr;
}

void StaticActor::shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) {
    if (!scene_) return;
    // Re-adding drops every pair and contact of the old setting; changing the
    // filter alone would leave them alive in the pair cache.
    scene_->removeStaticShape(shape);
    scene_->addStaticShape(shape);
    const bool collidedBefore = (oldFlags & static_cast<uint32_t>(ShapeFlag::Simulation)) &&
                                !(oldFlags & static_cast<uint32_t>(ShapeFlag::Trigger));
    if (collidedBefore && !shape.collides()) scene_->wakeDynamicsNear(shape.getWorldBounds());
}

}  // namespace velmora::physics
