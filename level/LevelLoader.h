#pragma once
// The level import: reads a tile file and rebuilds its node tree below a
// parent object of the world. Mesh nodes become drawn objects placed by their
// own static actors; nodes without meshes become grouping objects.

#include "level/CollisionKind.h"
#include "level/NodePose.h"
#include "level/ObjectFactory.h"

#include <string>
#include <vector>

#include <assimp/matrix4x4.h>
#include <glm/glm.hpp>

struct aiNode;
struct aiScene;

namespace velmora {

struct World;
namespace physics {
class Cooking;
class Physics;
class Scene;
}  // namespace physics

// How one mesh node's body is built: kept so that the physics can be built
// again, exactly as the import built it, without reading the tile again.
struct LevelBodyRecipe {
    scene::SceneObject* object = nullptr;  // holds the mesh
    NodePose pose;
    CollisionPlan plan;
};

// The game's handles a level is built with (none owned).
struct LevelSetup {
    physics::Physics* physics = nullptr;
    physics::Cooking* cooking = nullptr;
    physics::Scene* scene = nullptr;
    LevelCallbacks callbacks;
    // Filled, in import order, with every mesh node's recipe when set.
    std::vector<LevelBodyRecipe>* bodies = nullptr;
};

class LevelLoader {
public:
    // Fills the world's trigger and door tables.
    LevelLoader(const LevelSetup& setup, World& world);

    // Imports one tile file under parent, moved by tileOffset (world
    // coordinates). The tile adds exactly one child to parent: the object of
    // its root node. A file that is missing, unreadable or without geometry
    // prints the reason to standard error and adds nothing.
    void importTile(const std::string& fileName, scene::SceneObject* parent,
                    const glm::vec3& tileOffset);

private:
    static scene::SceneObject* createGroupObject();
    // Actor, object, registration and transparency of one mesh node.
    // Prints one line naming file and node for each thing the node lost.
    scene::SceneObject* createMeshObject(const std::string& fileName, const aiScene& tile,
                                         const aiNode& node,
                                         const aiMatrix4x4& accumulated,
                                         const glm::vec3& tileOffset);

    LevelSetup setup_;
    LevelTables tables_;
};

}  // namespace velmora
