#pragma once
// Reading level tiles and model files through Assimp with the level's
// post-processing.

#include "level/GuardedRun.h"
#include "level/MeshData.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Assimp {
class Importer;
}
struct aiScene;

namespace velmora {



// The largest tile file read at all.
constexpr std::uint64_t kTileMaxBytes = std::uint64_t(16) << 20;

// Reads a tile into the importer (which owns the scene). Returns null and
// sets error when the file is missing or unreadable, and also when it holds
// no usable geometry: the Collada reader then hands back an incomplete scene
// with a placeholder mesh, which must not become level objects.
// A damaged file is refused the same way: the file is first read by a child
// process under tileReadLimits (the importer can crash, abort or allocate
// without bound on such files), and only read here when that went cleanly.
// Files over kTileMaxBytes, and anything but a plain file, are refused
// unopened.
const aiScene* readTile(Assimp::Importer& importer, const std::string& fileName,
                        std::string& error);

// Time and memory a tile of this size may take to read: a second and a
// second more per megabyte (twice that under the sanitizers), and 1 GB.
GuardLimits tileReadLimits(std::uint64_t fileBytes);

// Scales the time limit above (1 unless set). The fuzz harness shortens it:
// a damaged file that spins is found as surely in a quarter of a second, and
// the harness tries four times as many files.
void scaleTileReadTime(double factor);

// The one line the game prints for a tile it leaves out:
// "file: can't be read as a tile: error".
std::string unreadableTileLine(const std::string& fileName, const std::string& error);

// A model file's meshes, in scene order, as one record; the node tree and its
// transforms are ignored. On failure prints the importer's message to
// standard error and returns null.
std::unique_ptr<MeshData> loadModel(const std::string& fileName);

}  // namespace velmora
