#include "level/LevelLoader.h"

#include "level/CollisionCooking.h"
#include "level/NodeProblems.h"
#include "level/NodePose.h"
#include "level/NodeWalk.h"
#include "level/TileFile.h"
#include "sim/SceneObject.h"
#include "sim/World.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <fstream>
#include <iostream>
#include <map>

namespace velmora {

LevelLoader::LevelLoader(const LevelSetup& setup, World& world) : setup_(setup) {
    tables_.triggers = &world.triggerRegistry;
    tables_.doors = &world.doorRegistry;
}

void LevelLoader::importTile(const std::string& fileName, scene::SceneObject* parent,
                             const glm::vec3& tileOffset) {
    Assimp::Importer importer;  // owns the scene; everything kept is copied out
    std::string error;
    const aiScene* tile = readTile(importer, fileName, error);
    if (tile == nullptr) {
        std::cerr << unreadableTileLine(fileName, error) << std::endl;
        return;
    }

    // The walk visits parents first, so each node's parent object exists.
    std::map<const aiNode*, scene::SceneObject*> objectOfNode;
    walkTileNodes(*tile, [&](const aiNode& node, const aiMatrix4x4& accumulated) {
        scene::SceneObject* object =
            node.mNumMeshes == 0
                ? createGroupObject()
                : createMeshObject(fileName, *tile, node, accumulated, tileOffset);
        const auto parentObject = objectOfNode.find(node.mParent);
        scene::SceneObject* attachTo =
            parentObject != objectOfNode.end() ? parentObject->second : parent;
        if (attachTo != nullptr) attachTo->addChild(object);
        objectOfNode[&node] = object;
    });
}

scene::SceneObject* LevelLoader::createGroupObject() {
    // Grouping objects keep the identity: their transform already went into
    // their descendants' poses.
    auto* group = new scene::SceneObject(glm::mat4(1.0f));
    group->isGroup = true;
    return group;
}

scene::SceneObject* LevelLoader::createMeshObject(const std::string& fileName,
                                                  const aiScene& tile, const aiNode& node,
                                                  const aiMatrix4x4& accumulated,
                                                  const glm::vec3& tileOffset) {
    const std::string nodeName = node.mName.C_Str();
    const auto report = [&](const std::string& message) {
        std::cout << nodeProblemLine(fileName, nodeName, message) << std::endl;
    };
    const NodePose pose = nodePose(accumulated, tileOffset);
    MeshNode meshNode;
    meshNode.mesh = buildNodeMeshData(tile, node);
    parseNodeName(nodeName, meshNode.baseName, meshNode.annotations);
    meshNode.localMatrix = nodeLocalMatrix(pose);
    const bool hasTriangles = meshNode.mesh->faceCount > 0;
    const CollisionPlan plan = planCollision(meshNode.baseName, *meshNode.mesh, pose.scale);
    if (setup_.physics != nullptr) {
        meshNode.actor =
            cookStaticActor(*setup_.physics, setup_.cooking, setup_.scene, *meshNode.mesh, pose,
                            plan);
        // After the physics' own line, if it printed one; a node without
        // triangles is told as that, its lost collision goes without saying.
        if (meshNode.actor == nullptr && hasTriangles) {
            report(isPlaceable(pose) ? failedCookingMessage() : degenerateScaleMessage(pose.scale));
        }
    }
    if (!hasTriangles) report(noTrianglesMessage());
    scene::SceneObject* object = createObjectForNode(std::move(meshNode), setup_.callbacks, tables_);
    object->sourceFile = fileName;
    object->nodeName = nodeName;
    if (setup_.bodies != nullptr) setup_.bodies->push_back(LevelBodyRecipe{object, pose, plan});
    return object;
}

}  // namespace velmora
