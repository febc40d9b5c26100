#pragma once
// Turns one level mesh node into its world object: a door, a trigger or a
// plain static object, chosen by its base name, registered where the game
// rules look for it, textured and uploaded to the GPU.

#include "level/LevelTextures.h"
#include "level/MeshData.h"
#include "level/NodeName.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <glm/glm.hpp>

namespace velmora {

class ShaderProgram;
namespace physics {
class RigidActor;
class RigidStatic;
}  // namespace physics
namespace scene {
class Door;
class SceneObject;
class Trigger;
}  // namespace scene

// What every level object is drawn with.
struct LevelPrograms {
    ShaderProgram* phong = nullptr;     // untextured objects
    ShaderProgram* textured = nullptr;  // objects naming a texture
    ShaderProgram* shadow = nullptr;    // every object, in the shadow pass
    // Off for a world built without a context: objects get no texture and no
    // GPU buffers, and the renderer dresses them later.
    bool uploadToGpu = true;
};

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
    TextureCache* textures = nullptr;
};

// Everything the import has worked out for one mesh node.
struct MeshNode {
    std::unique_ptr<MeshData> mesh;
    physics::RigidStatic* actor = nullptr;  // null when the node can't collide
    std::string baseName;
    NodeAnnotations annotations;
    glm::mat4 localMatrix{1.0f};  // the node's scale
};

// Creates and uploads the node's object (it takes the mesh) and registers
// it: a door in the door table under its base name, unless a door of that
// name is already there; a trigger in the trigger table under its actor,
// unless it has none (it could never be reported). A node naming a texture
// that fails to load is shaded plainly, with the Phong program, rather than
// sampling whatever texture happens to be bound.
scene::SceneObject* createObjectForNode(MeshNode node, const LevelPrograms& programs,
                                        const LevelCallbacks& callbacks, LevelTables& tables);

}  // namespace velmora
