#pragma once
// A dynamic actor: one Bullet rigid body whose compound shape holds the
// actor's colliding shapes. Mass and inertia are set once from the first
// shape (see createDynamic) and changed only by setMass.

#include <memory>
#include <vector>

#include <btBulletDynamicsCommon.h>

#include "physics/ActorImpl.h"

namespace velmora::physics {

class DynamicActor : public ActorCommon<RigidDynamic> {
public:
    DynamicActor(PhysicsImpl& physics, const Transform& pose);
    ~DynamicActor() override;

    Shape* createShape(const Geometry& geometry, Material& material, const Transform& localPose) override;
    Transform getGlobalPose() const override;
    void setGlobalPose(const Transform& pose, bool autowake) override;

    void setLinearDamping(float damping) override { linearDamping_ = damping; }
    float getLinearDamping() const override { return linearDamping_; }
    void setAngularDamping(float damping) override { angularDamping_ = damping; }
    float getAngularDamping() const override { return angularDamping_; }
    void setMass(float mass) override;
    float getMass() const override { return mass_; }
    glm::vec3 getMassSpaceInertiaTensor() const override { return inertia_; }
    void addForce(const glm::vec3& force, bool autowake) override;
    glm::vec3 getLinearVelocity() const override;
    glm::vec3 getAngularVelocity() const override;
    void setLinearVelocity(const glm::vec3& velocity) override;
    void setAngularVelocity(const glm::vec3& velocity) override;
    bool isSleeping() const override;

    Transform pose() const override { return getGlobalPose(); }
    void enterWorld(SceneImpl& scene) override;
    void leaveWorld() override;
    void shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) override;

    void setMassAndInertia(float mass, const glm::vec3& inertia);
    // Damping as the layer defines it (Physics.h), once per step after the
    // solver and before the positions move.
    void applyDamping(float dt);
    // The shapes behind a child of the body's collision shape (a contact's
    // shape index; -1 when the body has a single child and no compound).
    const std::vector<ShapeImpl*>* shapesOfChild(int childIndex) const;
    btRigidBody& body() { return *body_; }

private:
    void rebuildCompound();
    void sweepFastMotion();
    int collisionMask() const;

    float linearDamping_ = 0.0f;
    float angularDamping_ = 0.05f;
    float mass_ = 1.0f;
    glm::vec3 inertia_{1.0f};
    std::unique_ptr<btCollisionShape> collisionShape_;
    std::vector<std::vector<ShapeImpl*>> children_;  // identical shapes share a child
    std::unique_ptr<btCompoundShape> compound_;
    std::unique_ptr<btRigidBody> body_;
};

}  // namespace velmora::physics
