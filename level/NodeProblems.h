#pragma once
// The lines that say a level node ended up without something its author
// meant it to have (triangles, collision, its texture). The game prints them
// while it loads; the level checker lists the same words as problems, so an
// author sees one message for one mistake wherever it shows.

#include <glm/glm.hpp>

#include <string>

namespace velmora {

// "file: node: message".
std::string nodeProblemLine(const std::string& file, const std::string& node,
                            const std::string& message);

// Nothing of the node's meshes is a triangle (points or lines only, or no
// mesh data at all).
std::string noTrianglesMessage();

// A zero or non-finite scale component: no shape can be made of the node.
std::string degenerateScaleMessage(const glm::vec3& scale);

// Its triangles could not be cooked (all of zero area, or not finite).
std::string failedCookingMessage();

std::string missingTextureMessage(const std::string& textureFile, const std::string& folder);
std::string undecodableTextureMessage(const std::string& textureFile);
// A texture name refused unopened; `why` says how it leaves the folder.
std::string outsideTextureMessage(const std::string& textureFile, const std::string& why);



}  // namespace velmora
