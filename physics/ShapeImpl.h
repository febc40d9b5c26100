#pragma once
// One shape of an actor. A static actor's shape has its own Bullet collision
// object; a dynamic actor's shapes are children of its body's compound shape.

#include <memory>

#include <btBulletDynamicsCommon.h>

#include "physics/Physics.h"

namespace velmora::physics {

class ActorImpl;

// What a Bullet collision object's user index says about its owner.
enum class ObjectKind : int { StaticShape = 1, DynamicBody = 2 };

class ShapeImpl : public Shape {
public:
    ShapeImpl(ActorImpl& actor, const Geometry& geometry, Material& material, const Transform& localPose,
              uint32_t id);
    ~ShapeImpl() override;

    RigidActor* getActor() const override;
    const Geometry& getGeometry() const override { return geometry_; }
    Material* getMaterial() const override { return material_; }
    Transform getLocalPose() const override { return localPose_; }
    void setFlag(ShapeFlag flag, bool value) override;
    bool getFlag(ShapeFlag flag) const override { return (flags_ & static_cast<uint32_t>(flag)) != 0; }
    Transform getGlobalPose() const override;
    Bounds getWorldBounds() const override;

    // Stable creation number, used to order reports the same way every run.
    uint32_t id() const { return id_; }
    ActorImpl& actorImpl() const { return actor_; }
    btCollisionShape* bulletShape() const { return bulletShape_; }
    // The shape's own collision object (static actors only, else null).
    btCollisionObject* object() const { return object_.get(); }
    bool collides() const { return getFlag(ShapeFlag::Simulation) && !getFlag(ShapeFlag::Trigger); }
    bool reportsOverlaps() const { return getFlag(ShapeFlag::Trigger); }
    // Same geometry at the same local pose with an equal material: touching
    // one is touching the other, so contacts with both would be duplicates.
    bool sameSurfaceAs(const ShapeImpl& other) const;

private:
    ActorImpl& actor_;
    Geometry geometry_;
    Material* material_;
    Transform localPose_;
    uint32_t id_;
    uint32_t flags_ = static_cast<uint32_t>(ShapeFlag::Simulation);
    std::unique_ptr<btCollisionShape> ownedShape_;  // spheres and boxes
    btCollisionShape* bulletShape_ = nullptr;        // owned or a mesh's shared shape
    std::unique_ptr<btCollisionObject> object_;
};

}  // namespace velmora::physics
