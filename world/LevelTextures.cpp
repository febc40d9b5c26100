#include "world/LevelTextures.h"

#include "level/DataPath.h"
#include "level/NodeName.h"
#include "render/Texture.h"
#include "world/DrawNode.h"

namespace velmora {

bool attachLevelTexture(DrawNode& object, const std::string& textureFile,
                        TextureCache& cache) {
    const auto cached = cache.find(textureFile);
    // A cell holding 0 names no texture; whoever entered it, it is not shared.
    if (cached != cache.end() && cached->second != nullptr && *cached->second != 0) {
        object.textureName = cached->second;
        object.isTextured = true;
        return true;
    }
    if (object.textureName == nullptr) {
        object.textureName = textureCell();
    }
    std::string path;
    if (!containedDataPath(kLevelTextureFolder, textureFile, path).empty()) return false;
    if (!loadTexture(path, object.textureName.get())) {
        return false;
    }
    object.isTextured = true;
    cache[textureFile] = object.textureName;
    return true;
}

}  // namespace velmora
