#pragma once
// Sphere contacts on the flat inside of a triangle-mesh floor.
//
// Where a sphere's closest point on a triangle is an edge or a corner, Bullet
// points the contact normal from that edge or corner to the sphere's centre.
// Inside a flat floor those edges are only seams of the triangulation, and
// the tilted normals make a fast sphere hop. Bullet's internal-edge utility
// clamps edge normals well but leaves corners (where six triangles meet)
// alone. Here a contact whose closest feature is a seam between coplanar
// triangles, or a corner both of whose edges on this triangle are such
// seams, gets the triangle's face normal instead.

#include <btBulletDynamicsCommon.h>

namespace velmora::physics {

// True when the contact was a flat-seam contact and has been corrected; the
// mesh wrapper is the triangle's, the other the sphere's.
bool flattenSeamContact(btManifoldPoint& point, const btCollisionObjectWrapper* mesh,
                        const btCollisionObjectWrapper* other, int partId, int triangleIndex);

}  // namespace velmora::physics
