#include "level/TextureProblem.h"

#include "level/ImageFile.h"
#include "level/NodeProblems.h"

#include <sys/stat.h>

namespace velmora {

std::string levelTextureProblem(const std::string& textureFile, const std::string& folder) {
    std::string path;
    const std::string outside = containedDataPath(folder, textureFile, path);
    if (!outside.empty()) return outsideTextureMessage(textureFile, outside);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return missingTextureMessage(textureFile, folder);
    const std::string problem = imageFileProblem(path);
    if (problem.empty()) return {};
    if (problem == "can't be decoded as an image") return undecodableTextureMessage(textureFile);
    return "texture " + textureFile + " " + problem;
}

}  // namespace velmora
