#include "physics/ContactCallbacks.h"

#include <btBulletDynamicsCommon.h>
#include <BulletCollision/CollisionDispatch/btInternalEdgeUtility.h>

#include "physics/FlatEdgeContacts.h"

namespace velmora::physics {

namespace {

bool onContactAdded(btManifoldPoint& point, const btCollisionObjectWrapper* wrap0, int /*partId0*/, int /*index0*/,
                    const btCollisionObjectWrapper* wrap1, int partId1, int index1) {
    // Convex-versus-mesh manifolds keep the mesh second; both corrections
    // leave anything that is not a mesh triangle alone. Double-sided, because
    // a sphere may meet an open mesh from its back.
    if (flattenSeamContact(point, wrap1, wrap0, partId1, index1)) return true;
    btAdjustInternalEdgeContacts(point, wrap1, wrap0, partId1, index1,
                                 BT_TRIANGLE_CONVEX_DOUBLE_SIDED | BT_TRIANGLE_CONCAVE_DOUBLE_SIDED);
    return true;
}

}  // namespace

float combinedFriction(const btCollisionObject* a, const btCollisionObject* b) {
    return 0.5f * (a->getFriction() + b->getFriction());
}

float combinedRestitution(const btCollisionObject* a, const btCollisionObject* b) {
    return 0.5f * (a->getRestitution() + b->getRestitution());
}

void installContactCallbacks() {
    gContactAddedCallback = onContactAdded;
    gCalculateCombinedFrictionCallback = combinedFriction;
    gCalculateCombinedRestitutionCallback = combinedRestitution;
}

}  // namespace velmora::physics
