#include "world/MillBodies.h"

#include <glm/gtc/quaternion.hpp>

#include "physics/Physics.h"
#include "world/SceneObject.h"

namespace velmora {

namespace {

// The transform as a rigid motion. The mill only ever turns it, so it holds
// no scale, and the drawn model matrix pose x turn x scale equals
// (pose x turn) x scale for the level's shapes, which sit at their actor's
// origin.
physics::Transform rigidPart(const glm::mat4& m) {
    return physics::Transform(glm::vec3(m[3]), glm::normalize(glm::quat_cast(glm::mat3(m))));
}

}  // namespace

void moveMillBodies(scene::SceneObject& mill) {
    if (mill.actor != nullptr && !mill.actor->isDynamic() && mill.transformMatrix != glm::mat4(1.0f)) {
        auto* body = static_cast<physics::RigidStatic*>(mill.actor);
        body->setKinematicTarget(body->getKinematicTarget() * rigidPart(mill.transformMatrix));
        mill.transformMatrix = glm::mat4(1.0f);
    }
    for (scene::SceneObject* child : mill.getChildren()) {
        moveMillBodies(*child);
    }
}

}  // namespace velmora
