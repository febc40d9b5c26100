#pragma once
// Reading level tiles and model files through Assimp with the level's
// post-processing.

#include "level/MeshData.h"

#include <memory>
#include <string>

namespace Assimp {
class Importer;
}
struct aiScene;

namespace velmora {

// Reads a tile into the importer (which owns the scene). Returns null and
// sets error when the file is missing or unreadable, and also when it holds
// no usable geometry: the Collada reader then hands back an incomplete scene
// with a placeholder mesh, which must not become level objects.
const aiScene* readTile(Assimp::Importer& importer, const std::string& fileName,
                        std::string& error);

// A model file's meshes, in scene order, as one record; the node tree and its
// transforms are ignored. On failure prints the importer's message to
// standard error and returns null.
std::unique_ptr<MeshData> loadModel(const std::string& fileName);

}  // namespace velmora
