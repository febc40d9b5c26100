#pragma once
// What the scene pass sets for one draw node before drawing it: its texture's
// filter and the current program's per-object uniforms.

#include <glm/glm.hpp>

namespace velmora {

class DrawNode;
class ShaderProgram;

// mipmapMode: 0 trilinear, 1 nearest mipmap, 2 nearest without mipmaps. Set on
// the node's own texture, so switching the mode changes what the player sees
// on every textured surface.
void applyTextureFilter(const DrawNode& node, int mipmapMode);

// The model matrix, the node's specular factor and its state colours
// (DrawNode::tint, glow, ringMark); a program without some of them ignores them.
void setNodeUniforms(const ShaderProgram& program, const DrawNode& node, const glm::mat4& model);

}  // namespace velmora
