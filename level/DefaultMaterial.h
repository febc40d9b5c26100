#pragma once
// The material a mesh gets when its file gives it none. The Collada reader
// numbers a file's materials by their ids sorted as text and hands a mesh
// without a material the first of them, so a material an author named
// "Glass" would colour (and make see-through) every unassigned mesh. Reading
// a tile through readWithDefaultMaterial puts a material of our own first,
// so unassigned meshes land on it and every other index is a real choice.

#include <string>

namespace Assimp {
class Importer;
}
struct aiMaterial;
struct aiScene;

namespace velmora {

// Reads the file as Assimp::Importer::ReadFile does; a Collada file is read
// with the default material added ahead of its own.
const aiScene* readWithDefaultMaterial(Assimp::Importer& importer, const std::string& fileName,
                                       unsigned flags);

// True for the default material (ours, or the importer's for a file without
// any material): it stands for "no material", never for a choice of opacity.
bool isDefaultMaterial(const aiMaterial& material);

}  // namespace velmora
