#pragma once
// Turns one level mesh node into its world object: a door, a trigger or a
// plain static object, chosen by its base name, and registers it where the
// game rules look for it. Plain data: the renderer dresses it for drawing.

#include "level/MeshData.h"
#include "level/NodeName.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <glm/glm.hpp>

namespace velmora {

namespace physics {
class RigidActor;
class RigidStatic;
}  // namespace physics
namespace scene {
class Door;
class SceneObject;
class Trigger;
}  // namespace scene

// The game's answers to the "win" and "reset" annotations; every trigger
// keeps its own copies.
struct LevelCallbacks {
    std::function<void()> win;
    std::function<void(std::string)> reset;
};

// The world's tables that level objects are entered in (not owned).
struct LevelTables {
    std::map<physics::RigidActor*, scene::Trigger*>* triggers = nullptr;
    std::map<std::string, scene::Door*>* doors = nullptr;
};

// Everything the import has worked out for one mesh node.
struct MeshNode {
    std::unique_ptr<MeshData> mesh;
    physics::RigidStatic* actor = nullptr;  // null when the node can't collide
    std::string baseName;
    NodeAnnotations annotations;
    glm::mat4 localMatrix{1.0f};  // the node's scale
};

// Creates the node's object (it takes the mesh) and registers it: a door in
// the door table under its base name, unless a door of that name is already
// there; a trigger in the trigger table under its actor, unless it has none
// (it could never be reported). The texture the node names is noted for the
// renderer.
scene::SceneObject* createObjectForNode(MeshNode node, const LevelCallbacks& callbacks,
                                        LevelTables& tables);

}  // namespace velmora
