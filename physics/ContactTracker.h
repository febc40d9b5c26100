#pragma once
// Finds which colliding bodies touch a dynamic actor after a step and turns
// the changes into contact reports (see "Contacts" in Physics.h). It only
// reads Bullet's contact manifolds and the velocities it saved before the
// step: nothing it does reaches the bodies, so the physics runs exactly as
// without it.

#include <utility>
#include <vector>

#include <btBulletDynamicsCommon.h>

#include "physics/Physics.h"

namespace velmora::physics {

class ActorImpl;

class ContactTracker {
public:
    // Remembers the dynamic actors' velocities: how fast a contact that
    // starts in the step approached is measured with them, before the solver
    // has stopped the bodies.
    void beforeStep(const std::vector<ActorImpl*>& actors);
    // Compares the touching pairs now in the dispatcher's manifolds with those
    // of the previous call and appends a report per pair that began or ended.
    void update(btDispatcher& dispatcher, std::vector<ContactReport>& reports);
    // Drops remembered pairs that involve the actor, without a report.
    void forget(const ActorImpl& actor);

private:
    using Touch = std::pair<const btCollisionObject*, const btCollisionObject*>;
    btVector3 velocityBefore(const btCollisionObject* object) const;

    std::vector<Touch> current_;
    std::vector<std::pair<const btCollisionObject*, btVector3>> velocities_;
};

}  // namespace velmora::physics
