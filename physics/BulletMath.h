#pragma once
// Conversions between the layer's GLM types and Bullet's.

#include <btBulletDynamicsCommon.h>

#include "physics/Physics.h"

namespace velmora::physics {

inline btVector3 toBullet(const glm::vec3& v) { return btVector3(v.x, v.y, v.z); }
inline glm::vec3 toGlm(const btVector3& v) { return glm::vec3(v.x(), v.y(), v.z()); }

inline btTransform toBullet(const Transform& t) {
    return btTransform(btQuaternion(t.q.x, t.q.y, t.q.z, t.q.w), toBullet(t.p));
}

inline Transform toTransform(const btTransform& t) {
    const btQuaternion r = t.getRotation();
    return Transform(toGlm(t.getOrigin()), glm::quat(r.w(), r.x(), r.y(), r.z()));
}

}  // namespace velmora::physics
