#include "level/TileFile.h"

#include "level/DefaultMaterial.h"
#include "level/GuardedRun.h"
#include "level/NodeWalk.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <sys/stat.h>

#include <iostream>
#include <utility>
#include <vector>

namespace velmora {

namespace {

// What walks the node tree recurses once per level, and every mesh a node
// names is copied and cooked for that node: a tree nested thousands deep, or
// a few nodes instanced over and over (Collada's instance_node), would
// overflow the stack or take the game's memory after the importer coped.
constexpr unsigned kMostTileDepth = 256;
constexpr std::uint64_t kMostTileNodes = 65536;
constexpr std::uint64_t kMostTileVertices = std::uint64_t(16) << 20;

bool treeWithinBounds(const aiScene& scene, std::string& error) {
    std::vector<std::pair<const aiNode*, unsigned>> pending{{scene.mRootNode, 1u}};
    std::uint64_t nodes = 0, vertices = 0;
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (depth > kMostTileDepth) {
            error = "damaged: nodes nest deeper than " + std::to_string(kMostTileDepth);
            return false;
        }
        if (++nodes > kMostTileNodes) {
            error = "damaged: more than " + std::to_string(kMostTileNodes) + " nodes";
            return false;
        }
        for (unsigned i = 0; i < node->mNumMeshes; ++i) {
            if (node->mMeshes[i] >= scene.mNumMeshes) {
                error = "damaged: a node names a mesh that is not there";
                return false;
            }
            vertices += scene.mMeshes[node->mMeshes[i]]->mNumVertices;
        }
        if (vertices > kMostTileVertices) {
            error = "damaged: its nodes name more than " + std::to_string(kMostTileVertices) +
                    " vertices";
            return false;
        }
        for (unsigned i = 0; i < node->mNumChildren; ++i) {
            if (node->mChildren[i] != nullptr) pending.push_back({node->mChildren[i], depth + 1});
        }
    }
    return true;
}

// The importer as the game always used it: no limits, no second process.
const aiScene* importTile(Assimp::Importer& importer, const std::string& fileName,
                          std::string& error) {
    const aiScene* scene = readWithDefaultMaterial(importer, fileName, kLevelImportFlags);
    if (scene == nullptr) {
        error = importer.GetErrorString();
        return nullptr;
    }
    if ((scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 || scene->mRootNode == nullptr) {
        error = "no geometry in " + fileName;
        return nullptr;
    }
    if (!treeWithinBounds(*scene, error)) return nullptr;
    return scene;
}

// A plain file of a size a tile may have; anything else is answered before
// the importer opens it (a folder, a device that never ends, a huge file).
bool tileFileAcceptable(const std::string& fileName, std::string& error) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) != 0) {
        error = "Unable to open file \"" + fileName + "\".";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "not a plain file";
        return false;
    }
    if (static_cast<unsigned long long>(info.st_size) > kTileMaxBytes) {
        error = "the file holds " + std::to_string(info.st_size >> 20) +
                " MB, more than a tile may (" + std::to_string(kTileMaxBytes >> 20) + " MB)";
        return false;
    }
    return true;
}

}  // namespace

namespace {
// Set once by a program that wants another allowance than the game's (the
// tile fuzzer gives each read a quarter); every tile read of the process shares it.
double timeScale = 1.0;
}  // namespace

void scaleTileReadTime(double factor) { timeScale = factor; }

GuardLimits tileReadLimits(std::uint64_t fileBytes) {
    GuardLimits limits;
    // One second, and one more per megabyte; instrumented builds are slower.
    limits.seconds = (1.0 + static_cast<double>(fileBytes) / (1 << 20)) * timeScale;
    if (builtWithSanitizers()) limits.seconds *= 2.0;
    limits.memoryBytes = std::size_t(1) << 30;
    return limits;
}

const aiScene* readTile(Assimp::Importer& importer, const std::string& fileName,
                        std::string& error) {
    if (!tileFileAcceptable(fileName, error)) return nullptr;
    struct stat info {};
    stat(fileName.c_str(), &info);
    // The importer has crashed, aborted on its own assertions, asked for
    // hundreds of gigabytes and spun for a minute on damaged files, none of
    // which it can be asked not to do. So a copy of this process reads the
    // file first, under limits; only a file it read cleanly is read here.
    const GuardResult trial = runGuarded(
        [&](std::string& message) {
            Assimp::Importer own;
            return importTile(own, fileName, message) != nullptr;
        },
        tileReadLimits(static_cast<std::uint64_t>(info.st_size)));
    switch (trial.outcome) {
        case GuardOutcome::Succeeded:
        case GuardOutcome::NotRun:
            break;
        case GuardOutcome::Failed:
            error = trial.message.empty() ? "the importer refused it" : trial.message;
            // The importer catches its own failed allocations.
            if (error.find("bad_alloc") != std::string::npos) {
                error = "damaged: reading it needs more than " +
                        std::to_string(tileReadLimits(0).memoryBytes >> 20) + " MB of memory";
            }
            return nullptr;
        case GuardOutcome::Refused:
            error = "damaged: " + trial.message;
            return nullptr;
    }
    return importTile(importer, fileName, error);
}

std::string unreadableTileLine(const std::string& fileName, const std::string& error) {
    return fileName + ": can't be read as a tile: " + error;
}

std::unique_ptr<MeshData> loadModel(const std::string& fileName) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(fileName, kLevelImportFlags);
    if (scene == nullptr) {
        std::cerr << importer.GetErrorString() << std::endl;
        return nullptr;
    }
    return buildMeshData(scene->mMeshes, scene->mNumMeshes, scene->mMaterials,
                         scene->mNumMaterials);
}

}  // namespace velmora
