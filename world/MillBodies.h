#pragma once
// The mill collides where it is drawn. The frame loop turns the mill by
// premultiplying the transforms of the mill and everything below it; this
// hands each part's turn over to its physics body instead, as a kinematic
// target, so the arms sweep and push the spheres rather than passing through
// them. The turn drawn and the turn collided are then one and the same.

namespace velmora::scene {
class SceneObject;
}

namespace velmora {

// For the object and its descendants that have a level body: the turn that
// has piled up in the object's transform moves the body (reached in the next
// physics step), and the transform goes back to the identity. Objects without
// a body (groups) keep their transform; they are never drawn.
void moveMillBodies(scene::SceneObject& mill);

}  // namespace velmora
