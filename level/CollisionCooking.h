#pragma once
// The static physics actor that places a level node and makes it collide,
// built from the node's geometry and the collision its name and size call for.

#include "level/CollisionKind.h"
#include "level/MeshData.h"
#include "level/NodePose.h"
#include "physics/Physics.h"

namespace velmora {

// Builds the node's actor at the pose's rotation and position and adds it to
// the scene. Every actor gets two shapes: the solid one (a thin box for a flat
// rectangle, otherwise the cooked triangle mesh scaled by the node's scale),
// and then either its duplicate or, for triggers, the trigger volume the plan
// describes. Returns null, and adds nothing, when the node can't collide: the
// mesh failed to cook ("mCooking failed cooking mesh" is printed) or its
// scale is degenerate (a zero or non-finite component: no valid shape, and no
// rotation that can be trusted).
// False for a pose no actor can take: a zero or non-finite scale component
// or position, or a rotation that can't be normalised.
bool isPlaceable(const NodePose& pose);

physics::RigidStatic* cookStaticActor(physics::Physics& physics, physics::Cooking* cooking,
                                      physics::Scene* scene, const MeshData& mesh,
                                      const NodePose& pose, const CollisionPlan& plan);

}  // namespace velmora
