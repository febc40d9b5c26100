#pragma once
// A static actor: level geometry, doors and trigger volumes. Each of its
// shapes is a collision object of its own, so one can stop simulating or
// become a trigger without touching the others.

#include "physics/ActorImpl.h"

namespace velmora::physics {

class StaticActor : public ActorCommon<RigidStatic> {
public:
    StaticActor(PhysicsImpl& physics, const Transform& pose);
    ~StaticActor() override;

    Shape* createShape(const Geometry& geometry, Material& material, const Transform& localPose) override;
    Transform getGlobalPose() const override { return pose_; }
    void setGlobalPose(const Transform& pose, bool autowake) override;

    Transform pose() const override { return pose_; }
    void enterWorld(SceneImpl& scene) override;
    void leaveWorld() override;
    void shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) override;

private:
    // Puts every shape that should be in the world there, once.
    void addShapesToWorld();
    void removeShapesFromWorld();

    Transform pose_;
};

}  // namespace velmora::physics
