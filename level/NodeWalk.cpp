#include "level/NodeWalk.h"

#include <assimp/scene.h>

namespace velmora {

namespace {

void walk(const aiNode& node, const aiMatrix4x4& accumulated,
          const std::function<void(const aiNode&, const aiMatrix4x4&)>& visit) {
    visit(node, accumulated);
    for (unsigned i = 0; i < node.mNumChildren; ++i) {
        const aiNode& child = *node.mChildren[i];
        walk(child, accumulated * child.mTransformation, visit);
    }
}

}  // namespace

void walkTileNodes(const aiScene& scene,
                   const std::function<void(const aiNode&, const aiMatrix4x4&)>& visit) {
    if (scene.mRootNode != nullptr) walk(*scene.mRootNode, aiMatrix4x4(), visit);
}

}  // namespace velmora
