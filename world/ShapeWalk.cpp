#include "world/ShapeWalk.h"

#include "render/DrawOrder.h"
#include "sim/SceneObject.h"
#include "sim/Simulation.h"
#include "world/DrawNode.h"
#include "world/LevelDressing.h"

namespace velmora {

ShapeWalk::ShapeWalk(const Simulation& simulation, LevelDressing& dressing)
    : dressing_(dressing), simulation_(simulation) {}

void ShapeWalk::walk(scene::SceneObject& object, bool transparentPass) {
    if (!object.isGroup) {
        const bool ready = enter(object);
        // An object whose collision failed to build has no actor and so no
        // place in the world: it draws nothing, but its children still do.
        if (ready && object.actor != nullptr &&
            drawnInTraversal(object.opacity(), transparency_, transparentPass)) {
            std::vector<physics::Shape*> shapes(object.actor->getNbShapes());
            shapes.resize(object.actor->getShapes(shapes.data(), static_cast<uint32_t>(shapes.size()), 0));
            std::vector<HandedPose> handed;
            for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
                walkShape(**shape, object, handed);
            }
        }
    }
    for (scene::SceneObject* child : object.getChildren()) {
        walk(*child, transparentPass);
    }
}

void ShapeWalk::walkShape(physics::Shape& shape, scene::SceneObject& object,
                          std::vector<HandedPose>& handed) {
    unsigned faces = facesSeeing(shape);
    if (faces == 0) {
        return;
    }
    // Moving bodies are drawn between the simulation's last two steps.
    const physics::RigidActor& actor = *shape.getActor();
    const physics::Transform pose = actor.isDynamic() || static_cast<const physics::RigidStatic&>(actor).isKinematic()
                                        ? simulation_.drawnPose(actor, drawAlpha_) * shape.getLocalPose()
                                        : shape.getGlobalPose();
    HandedPose* samePose = nullptr;
    for (HandedPose& before : handed) {
        if (before.pose.p == pose.p && before.pose.q == pose.q) {
            samePose = &before;
        }
    }
    if (samePose != nullptr) {
        samePoseAgain();
        faces &= ~samePose->faces;
        samePose->faces |= faces;
        if (faces == 0) {
            return;
        }
    } else {
        handed.push_back(HandedPose{pose, faces});
    }
    DrawNode& node = dressing_.dressed(object);
    handOn(object, node, pose.toMatrix() * node.lookMove * object.transformMatrix * object.localMatrix, faces);
}

}  // namespace velmora
