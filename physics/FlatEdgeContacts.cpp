#include "physics/FlatEdgeContacts.h"

#include <BulletCollision/BroadphaseCollision/btQuantizedBvh.h>
#include <BulletCollision/CollisionDispatch/btCollisionObjectWrapper.h>
#include <BulletCollision/CollisionShapes/btTriangleInfoMap.h>
#include <BulletCollision/CollisionShapes/btTriangleShape.h>

namespace velmora::physics {

namespace {

// Below this an edge angle counts as a seam in a flat surface (radians).
constexpr btScalar seamAngle = btScalar(1e-3);

enum class Feature { Face, EdgeAB, EdgeBC, EdgeCA, VertexA, VertexB, VertexC };

// Which part of triangle abc is closest to p (after Ericson, Real-Time
// Collision Detection, 5.1.5).
Feature closestFeature(const btVector3& p, const btVector3& a, const btVector3& b, const btVector3& c) {
    const btVector3 ab = b - a, ac = c - a, ap = p - a;
    const btScalar d1 = ab.dot(ap), d2 = ac.dot(ap);
    if (d1 <= 0 && d2 <= 0) return Feature::VertexA;
    const btVector3 bp = p - b;
    const btScalar d3 = ab.dot(bp), d4 = ac.dot(bp);
    if (d3 >= 0 && d4 <= d3) return Feature::VertexB;
    const btScalar vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return Feature::EdgeAB;
    const btVector3 cp = p - c;
    const btScalar d5 = ab.dot(cp), d6 = ac.dot(cp);
    if (d6 >= 0 && d5 <= d6) return Feature::VertexC;
    const btScalar vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return Feature::EdgeCA;
    const btScalar va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) return Feature::EdgeBC;
    return Feature::Face;
}

bool isSeam(btScalar angle) { return btFabs(angle) < seamAngle; }

bool featureIsSeam(Feature feature, const btTriangleInfo& info) {
    const bool ab = isSeam(info.m_edgeV0V1Angle), bc = isSeam(info.m_edgeV1V2Angle), ca = isSeam(info.m_edgeV2V0Angle);
    switch (feature) {
    case Feature::Face: return false;  // already the face normal
    case Feature::EdgeAB: return ab;
    case Feature::EdgeBC: return bc;
    case Feature::EdgeCA: return ca;
    case Feature::VertexA: return ab && ca;
    case Feature::VertexB: return ab && bc;
    case Feature::VertexC: return bc && ca;
    }
    return false;
}

}  // namespace

bool flattenSeamContact(btManifoldPoint& point, const btCollisionObjectWrapper* mesh,
                        const btCollisionObjectWrapper* other, int partId, int triangleIndex) {
    if (mesh->getCollisionShape()->getShapeType() != TRIANGLE_SHAPE_PROXYTYPE) return false;
    if (other->getCollisionShape()->getShapeType() != SPHERE_SHAPE_PROXYTYPE) return false;
    const btCollisionShape* meshShape = mesh->getCollisionObject()->getCollisionShape();
    if (meshShape->getShapeType() != TRIANGLE_MESH_SHAPE_PROXYTYPE) return false;
    const btTriangleInfoMap* infoMap = static_cast<const btBvhTriangleMeshShape*>(meshShape)->getTriangleInfoMap();
    if (!infoMap) return false;
    const btTriangleInfo* info = infoMap->find((partId << (31 - MAX_NUM_PARTS_IN_BITS)) | triangleIndex);
    if (!info) return false;

    const auto* triangle = static_cast<const btTriangleShape*>(mesh->getCollisionShape());
    const btVector3& a = triangle->m_vertices1[0];
    const btVector3& b = triangle->m_vertices1[1];
    const btVector3& c = triangle->m_vertices1[2];
    const btTransform& meshFrame = mesh->getWorldTransform();
    const btVector3 centreWorld = other->getWorldTransform().getOrigin();
    const btVector3 centre = meshFrame.invXform(centreWorld);
    if (!featureIsSeam(closestFeature(centre, a, b, c), *info)) return false;

    btVector3 normal = (b - a).cross(c - a);
    if (normal.length2() <= SIMD_EPSILON) return false;
    normal.normalize();
    if (normal.dot(centre - a) < 0) normal = -normal;  // towards the sphere, either side

    const btScalar radius = static_cast<const btSphereShape*>(other->getCollisionShape())->getRadius();
    const btScalar distance = normal.dot(centre - a) - radius;
    const btVector3 normalWorld = meshFrame.getBasis() * normal;
    const btVector3 onSphere = centreWorld - normalWorld * radius;
    const btVector3 onMesh = onSphere - normalWorld * distance;
    point.m_normalWorldOnB = normalWorld;
    point.m_distance1 = distance;
    point.m_positionWorldOnA = onSphere;
    point.m_positionWorldOnB = onMesh;
    point.m_localPointA = other->getCollisionObject()->getWorldTransform().invXform(onSphere);
    point.m_localPointB = mesh->getCollisionObject()->getWorldTransform().invXform(onMesh);
    return true;
}

}  // namespace velmora::physics
