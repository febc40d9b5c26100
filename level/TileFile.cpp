#include "level/TileFile.h"

#include "level/DefaultMaterial.h"
#include "level/NodeWalk.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <iostream>

namespace velmora {

const aiScene* readTile(Assimp::Importer& importer, const std::string& fileName,
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
    return scene;
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
