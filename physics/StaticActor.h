#pragma once
// A static actor: level geometry, doors and trigger volumes. Each of its
// shapes is a collision object of its own, so one can stop simulating or
// become a trigger without touching the others. Given a kinematic target it
// becomes a kinematic body whose shapes carry the velocity of its motion.

#include "physics/ActorImpl.h"

namespace velmora::physics {

class StaticActor : public ActorCommon<RigidStatic> {
public:
    StaticActor(PhysicsImpl& physics, const Transform& pose);
    ~StaticActor() override;

    Shape* createShape(const Geometry& geometry, Material& material, const Transform& localPose) override;
    Transform getGlobalPose() const override { return pose_; }
    void setGlobalPose(const Transform& pose, bool autowake) override;
    void setKinematicTarget(const Transform& pose) override;
    Transform getKinematicTarget() const override { return targetPending_ ? target_ : pose_; }
    bool isKinematic() const override { return kinematic_; }

    Transform pose() const override { return pose_; }
    void enterWorld(SceneImpl& scene) override;
    void leaveWorld() override;
    void shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) override;
    bool isKinematicActor() const override { return kinematic_; }
    void beforeStep() override;
    void afterStep() override;

private:
    // Puts every shape that should be in the world there, once.
    void addShapesToWorld();
    void removeShapesFromWorld();

    Transform pose_;
    bool kinematic_ = false;
    bool targetPending_ = false;
    Transform target_;
};

}  // namespace velmora::physics
