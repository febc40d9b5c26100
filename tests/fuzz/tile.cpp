// Whole tiles: Collada bytes through the guarded importer (a child process
// under limits on time and memory), the level checker on what it read, and
// the collision cooking of every mesh node, as the game does at start-up.

#include "level/CollisionCooking.h"
#include "level/CollisionKind.h"
#include "level/LevelCheck.h"
#include "level/MeshData.h"
#include "level/NodeName.h"
#include "level/NodePose.h"
#include "level/NodeWalk.h"
#include "level/TileFile.h"
#include "physics/Physics.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

std::string tilePath() {
    static const std::string path =
        "/tmp/vizazuv_fuzz_tile_" + std::to_string(getpid()) + ".dae";
    return path;
}

void cookEveryNode(const std::string& file) {
    using namespace velmora;
    // The checker's guarded read just read this very file cleanly in a
    // child process; the importer is deterministic, so read it directly.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file, kLevelImportFlags);
    if (scene == nullptr || scene->mRootNode == nullptr ||
        (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        __builtin_trap();  // the guarded read and this one disagree
    }
    physics::Physics* world = physics::createPhysics(physics::ToleranceScale());
    physics::Cooking* cooking = physics::createCooking(world);
    physics::SceneDesc desc;
    physics::Scene* physicsScene = world->createScene(desc);
    walkTileNodes(*scene, [&](const aiNode& node, const aiMatrix4x4& accumulated) {
        if (node.mNumMeshes == 0) return;
        const auto mesh = buildNodeMeshData(*scene, node);
        std::string baseName;
        NodeAnnotations annotations;
        parseNodeName(node.mName.C_Str(), baseName, annotations);
        const NodePose pose = nodePose(accumulated, glm::vec3(0.0f, 0.0f, -22.0f));
        cookStaticActor(*world, cooking, physicsScene, *mesh, pose,
                        planCollision(baseName, *mesh, pose.scale));
    });
    cooking->release();
    world->release();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    velmora::scaleTileReadTime(0.25);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = tilePath();
    {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr) return 0;
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    velmora::LevelCheckSettings settings;
    settings.textureFolder = "Textures";
    const velmora::LevelReport report = velmora::checkLevel({{file, glm::vec3(0.0f)}}, settings);
    for (const velmora::LevelProblem& problem : report.problems) velmora::problemLine(problem);
    if (!report.anyTileUnreadable) cookEveryNode(file);
    return 0;
}
