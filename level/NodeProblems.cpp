#include "level/NodeProblems.h"

#include "level/DataPath.h"

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

}  // namespace velmora
