#pragma once
// A scene: one Bullet world, the actors in it, and the trigger and contact
// reports of the last step waiting for fetchResults.

#include <memory>
#include <vector>

#include <btBulletDynamicsCommon.h>

#include "physics/Physics.h"
#include "physics/ContactTracker.h"
#include "physics/SteppingWorld.h"
#include "physics/TriggerTracker.h"

namespace velmora::physics {

class ActorImpl;
class PhysicsImpl;
class ShapeImpl;

class SceneImpl : public Scene {
public:
    // Broadphase groups: solid statics and triggers only ever meet dynamics,
    // so static-static pairs are never even considered.
    static constexpr int dynamicGroup = 1;
    static constexpr int staticGroup = 2;
    static constexpr int triggerGroup = 4;
    static constexpr int dynamicMask = dynamicGroup | staticGroup | triggerGroup;
    // Metres per second of approach along the contact normal below which an
    // impact does not bounce.
    static constexpr float kBounceThreshold = 2.0f;

    SceneImpl(PhysicsImpl& physics, const SceneDesc& desc);
    ~SceneImpl() override;

    void addActor(RigidActor& actor) override;
    void removeActor(RigidActor& actor) override;
    uint32_t getNbActors() const override { return static_cast<uint32_t>(actors_.size()); }
    void setGravity(const glm::vec3& gravity) override;
    glm::vec3 getGravity() const override;
    SimulationEventCallback* getSimulationEventCallback() const override { return callback_; }
    void simulate(float elapsedTime) override;
    float sweepSphere(const glm::vec3& from, const glm::vec3& to, float radius) const override;
    bool fetchResults(bool block) override;
    void release() override;

    // Called by actors.
    btDiscreteDynamicsWorld& world() { return *world_; }
    void addStaticShape(ShapeImpl& shape);
    void removeStaticShape(ShapeImpl& shape);
    void shapeMoved(ShapeImpl& shape);
    void bodyMoved(btRigidBody& body);
    void wakeDynamicsNear(const Bounds& bounds);
    // Takes every actor out without destroying the scene (physics teardown).
    void removeAllActors();

private:
    PhysicsImpl& physics_;
    SimulationEventCallback* callback_;
    std::unique_ptr<btDefaultCollisionConfiguration> configuration_;
    std::unique_ptr<btCollisionDispatcher> dispatcher_;
    std::unique_ptr<btBroadphaseInterface> broadphase_;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver_;
    std::unique_ptr<SteppingWorld> world_;
    std::vector<ActorImpl*> actors_;
    TriggerTracker triggers_;
    std::vector<TriggerPair> pendingPairs_;
    ContactTracker contacts_;
    std::vector<ContactReport> pendingContacts_;
    bool stepPending_ = false;
};

}  // namespace velmora::physics
