// Sphere sweeps through a scene's solid static shapes (see "Sphere sweeps"
// in Physics.h).

#include <BulletCollision/CollisionShapes/btSphereShape.h>

#include "physics/BulletMath.h"
#include "physics/SceneImpl.h"

namespace velmora::physics {

float SceneImpl::sweepSphere(const glm::vec3& from, const glm::vec3& to, float radius) const {
    if (!(radius > 0.0f) || from == to) return 1.0f;
    btSphereShape probe(radius);
    const btTransform start(btQuaternion::getIdentity(), toBullet(from));
    const btTransform end(btQuaternion::getIdentity(), toBullet(to));
    btCollisionWorld::ClosestConvexResultCallback closest(start.getOrigin(), end.getOrigin());
    // The probe passes the broadphase filter as a dynamic body would, but
    // asks only for solid statics: spheres and triggers never stop it. Open
    // doors are not in the world at all.
    closest.m_collisionFilterGroup = dynamicGroup;
    closest.m_collisionFilterMask = staticGroup;
    world_->convexSweepTest(&probe, start, end, closest);
    return closest.hasHit() ? static_cast<float>(closest.m_closestHitFraction) : 1.0f;
}

}  // namespace velmora::physics
