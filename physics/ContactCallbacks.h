#pragma once
// Bullet's process-wide contact hooks, set the layer's way (see Physics.h):
// friction and restitution averaged per contact, and sphere contacts against
// triangle meshes corrected at internal edges.

class btCollisionObject;

namespace velmora::physics {

// Installs the hooks; harmless to call again.
void installContactCallbacks();

// The combine rules themselves, as Bullet calls them for each new contact.
float combinedFriction(const btCollisionObject* a, const btCollisionObject* b);
float combinedRestitution(const btCollisionObject* a, const btCollisionObject* b);

}  // namespace velmora::physics
