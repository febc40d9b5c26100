#include "level/NodeProblems.h"

#include "level/DataPath.h"
#include "level/ImageFile.h"

#include <sys/stat.h>

#include <sstream>

namespace velmora {

std::string nodeProblemLine(const std::string& file, const std::string& node,
                            const std::string& message) {
    return file + ": " + node + ": " + message;
}

std::string noTrianglesMessage() { return "no triangles: nothing to draw or collide with"; }

std::string degenerateScaleMessage(const glm::vec3& scale) {
    std::ostringstream text;
    text << "no collision: its scale (" << scale.x << ", " << scale.y << ", " << scale.z
         << ") is zero or not finite";
    return text.str();
}

std::string failedCookingMessage() {
    return "no collision: its triangles failed to cook (none has an area)";
}

std::string missingTextureMessage(const std::string& textureFile, const std::string& folder) {
    return "texture " + textureFile + " is missing from " + folder;
}

std::string undecodableTextureMessage(const std::string& textureFile) {
    return "texture " + textureFile + " can't be decoded as an image";
}

std::string outsideTextureMessage(const std::string& textureFile, const std::string& why) {
    return "texture " + textureFile + " is refused: the name " + why;
}

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
