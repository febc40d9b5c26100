#pragma once
// The depth-first, pre-order walk over a tile's node tree that the level
// import and the level checker share, with each node's accumulated transform.

#include <assimp/matrix4x4.h>

#include <functional>

struct aiNode;
struct aiScene;

namespace velmora {

// Calls visit(node, accumulated) for every node, parents before children,
// children in stored order. The root's own transform never enters the
// product (the tile root only carries the file's unit and axis settings);
// every other node's does, grouping nodes included.
void walkTileNodes(const aiScene& scene,
                   const std::function<void(const aiNode&, const aiMatrix4x4&)>& visit);

// The Assimp post-processing the level and models are read with: join
// identical vertices, triangulate, generate missing normals, sort by
// primitive type.
constexpr unsigned kLevelImportFlags = 0x802A;

}  // namespace velmora
