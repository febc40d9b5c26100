#include "physics/TriggerTracker.h"

#include <algorithm>

#include "physics/DynamicActor.h"
#include "physics/ShapeImpl.h"

namespace velmora::physics {

namespace {

bool isTriggerObject(const btCollisionObject* object) {
    return object->getUserIndex() == static_cast<int>(ObjectKind::StaticShape) &&
           static_cast<ShapeImpl*>(object->getUserPointer())->reportsOverlaps();
}

// Creation order of the shapes, so that reports come in the same order on
// every run, whatever the addresses.
bool byId(const std::pair<ShapeImpl*, ShapeImpl*>& a, const std::pair<ShapeImpl*, ShapeImpl*>& b) {
    if (a.first->id() != b.first->id()) return a.first->id() < b.first->id();
    return a.second->id() < b.second->id();
}

TriggerPair makePair(const std::pair<ShapeImpl*, ShapeImpl*>& overlap, PairFlag status) {
    return TriggerPair{overlap.first, overlap.first->getActor(), overlap.second, overlap.second->getActor(), status};
}

}  // namespace

void TriggerTracker::update(btDispatcher& dispatcher, std::vector<TriggerPair>& pairs) {
    std::vector<Overlap> now;
    const int manifoldCount = dispatcher.getNumManifolds();
    for (int m = 0; m < manifoldCount; ++m) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(m);
        const btCollisionObject* body0 = manifold->getBody0();
        const btCollisionObject* body1 = manifold->getBody1();
        const bool triggerFirst = isTriggerObject(body0);
        if (!triggerFirst && !isTriggerObject(body1)) continue;
        const btCollisionObject* trigger = triggerFirst ? body0 : body1;
        const btCollisionObject* other = triggerFirst ? body1 : body0;
        if (other->getUserIndex() != static_cast<int>(ObjectKind::DynamicBody)) continue;

        auto* triggerShape = static_cast<ShapeImpl*>(trigger->getUserPointer());
        auto* actor = static_cast<DynamicActor*>(other->getUserPointer());
        for (int p = 0; p < manifold->getNumContacts(); ++p) {
            const btManifoldPoint& point = manifold->getContactPoint(p);
            if (point.getDistance() > 0) continue;
            // The child index tells which of the actor's shapes it is.
            const auto* shapes = actor->shapesOfChild(triggerFirst ? point.m_index1 : point.m_index0);
            if (!shapes) continue;
            for (ShapeImpl* otherShape : *shapes) now.emplace_back(triggerShape, otherShape);
        }
    }
    std::sort(now.begin(), now.end(), byId);
    now.erase(std::unique(now.begin(), now.end()), now.end());

    std::vector<Overlap> found, lost;
    std::set_difference(now.begin(), now.end(), current_.begin(), current_.end(), std::back_inserter(found), byId);
    std::set_difference(current_.begin(), current_.end(), now.begin(), now.end(), std::back_inserter(lost), byId);
    for (const Overlap& o : found) pairs.push_back(makePair(o, PairFlag::TouchFound));
    for (const Overlap& o : lost) pairs.push_back(makePair(o, PairFlag::TouchLost));
    current_ = std::move(now);
}

void TriggerTracker::forget(const ActorImpl& actor) {
    current_.erase(std::remove_if(current_.begin(), current_.end(),
                                  [&](const Overlap& o) {
                                      return &o.first->actorImpl() == &actor || &o.second->actorImpl() == &actor;
                                  }),
                   current_.end());
}

}  // namespace velmora::physics
