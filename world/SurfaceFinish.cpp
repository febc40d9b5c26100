#include "world/SurfaceFinish.h"

#include "world/DrawNode.h"

namespace velmora {

namespace {

constexpr float kMatteShine = 0.08f;
constexpr float kMetalShine = 0.8f;
constexpr float kGlassShine = 1.0f;
const glm::vec3 kGlassColour(0.62f, 0.84f, 0.92f);

bool names(const std::string& file, const char* stem) {
    return file.find(stem) != std::string::npos;
}

}  // namespace

void applySurfaceFinish(DrawNode& node, const std::string& textureFile, float opacity) {
    if (!node.isTextured) {
        if (opacity < 1.0f) {
            node.plainColour = kGlassColour;
            node.specFactor = kGlassShine;
        }
        return;
    }
    node.specFactor = names(textureFile, "metal") ? kMetalShine : kMatteShine;
}

}  // namespace velmora
