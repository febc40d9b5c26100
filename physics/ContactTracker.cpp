#include "physics/ContactTracker.h"

#include <algorithm>

#include "physics/BulletMath.h"
#include "physics/DynamicActor.h"
#include "physics/ShapeImpl.h"

namespace velmora::physics {

namespace {

// Contact points this close count as touching: a rolling sphere's points hover
// within a hair of the surface, and must not flicker between touching and not.
constexpr btScalar kTouchingDistance = 0.01f;

bool isDynamic(const btCollisionObject* object) {
    return object->getUserIndex() == static_cast<int>(ObjectKind::DynamicBody);
}

ActorImpl& ownerOf(const btCollisionObject* object) {
    if (isDynamic(object)) return *static_cast<DynamicActor*>(object->getUserPointer());
    return static_cast<ShapeImpl*>(object->getUserPointer())->actorImpl();
}

// A pair that collides: a dynamic body against a colliding static or
// kinematic shape, or against another dynamic body. Trigger volumes never
// make contacts.
bool isSolidPair(const btCollisionObject* a, const btCollisionObject* b) {
    if (!isDynamic(a) && !isDynamic(b)) return false;
    for (const btCollisionObject* object : {a, b}) {
        if (!isDynamic(object) && !static_cast<ShapeImpl*>(object->getUserPointer())->collides()) return false;
    }
    return true;
}

}  // namespace

void ContactTracker::beforeStep(const std::vector<ActorImpl*>& actors) {
    velocities_.clear();
    for (ActorImpl* actor : actors) {
        if (!actor->isDynamicActor()) continue;
        const btRigidBody& body = static_cast<DynamicActor*>(actor)->body();
        velocities_.emplace_back(&body, body.getLinearVelocity());
    }
}

btVector3 ContactTracker::velocityBefore(const btCollisionObject* object) const {
    for (const auto& [body, velocity] : velocities_) {
        if (body == object) return velocity;
    }
    // A kinematic body keeps the velocity of its step; a static one has none.
    const btRigidBody* body = btRigidBody::upcast(object);
    return body != nullptr ? body->getLinearVelocity() : btVector3(0, 0, 0);
}

void ContactTracker::update(btDispatcher& dispatcher, std::vector<ContactReport>& reports) {
    std::vector<Touch> now;
    const int manifoldCount = dispatcher.getNumManifolds();
    for (int m = 0; m < manifoldCount; ++m) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(m);
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if (!isSolidPair(a, b)) continue;
        // The deepest point speaks for the pair.
        const btManifoldPoint* deepest = nullptr;
        for (int p = 0; p < manifold->getNumContacts(); ++p) {
            const btManifoldPoint& point = manifold->getContactPoint(p);
            if (point.getDistance() > kTouchingDistance) continue;
            if (deepest == nullptr || point.getDistance() < deepest->getDistance()) deepest = &point;
        }
        if (deepest == nullptr) continue;
        // Reported with the dynamic body first.
        const bool swap = !isDynamic(a);
        const Touch touch = swap ? Touch(b, a) : Touch(a, b);
        now.push_back(touch);
        if (std::find(current_.begin(), current_.end(), touch) != current_.end()) continue;
        // Bullet's normal points from body 1 towards body 0.
        const btVector3 normal = swap ? -deepest->m_normalWorldOnB : deepest->m_normalWorldOnB;
        const btVector3 relative = velocityBefore(touch.first) - velocityBefore(touch.second);
        const btScalar approach = -relative.dot(normal);
        const btVector3 where = (deepest->getPositionWorldOnA() + deepest->getPositionWorldOnB()) * 0.5f;
        reports.push_back(ContactReport{&ownerOf(touch.first).asActor(), &ownerOf(touch.second).asActor(),
                                        toGlm(where), toGlm(normal), std::max(0.0f, static_cast<float>(approach)),
                                        true});
    }
    for (const Touch& touch : current_) {
        if (std::find(now.begin(), now.end(), touch) != now.end()) continue;
        reports.push_back(ContactReport{&ownerOf(touch.first).asActor(), &ownerOf(touch.second).asActor(),
                                        glm::vec3(0.0f), glm::vec3(0.0f), 0.0f, false});
    }
    current_ = std::move(now);
}

void ContactTracker::forget(const ActorImpl& actor) {
    current_.erase(std::remove_if(current_.begin(), current_.end(),
                                  [&](const Touch& t) {
                                      return &ownerOf(t.first) == &actor || &ownerOf(t.second) == &actor;
                                  }),
                   current_.end());
}

}  // namespace velmora::physics
