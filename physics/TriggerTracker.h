#pragma once
// Finds which trigger shapes overlap which dynamic shapes after a step and
// turns the changes into touch-found / touch-lost pairs.
//
// Bullet's broadphase only knows bounding boxes, so the exact answer comes
// from the narrow phase: trigger objects take part in collision detection
// (without contact response), and a pair overlaps while its contact manifold
// holds a point at distance <= 0.

#include <utility>
#include <vector>

#include <btBulletDynamicsCommon.h>

#include "physics/Physics.h"

namespace velmora::physics {

class ShapeImpl;
class ActorImpl;

class TriggerTracker {
public:
    // Compares the overlaps now in the dispatcher's manifolds with those of
    // the previous call and appends the differences to pairs.
    void update(btDispatcher& dispatcher, std::vector<TriggerPair>& pairs);
    // Drops remembered overlaps that involve the actor, without a report.
    void forget(const ActorImpl& actor);

private:
    using Overlap = std::pair<ShapeImpl*, ShapeImpl*>;  // trigger, other
    std::vector<Overlap> current_;
};

}  // namespace velmora::physics
