#include "world/NodeLook.h"

#include <GL/glew.h>

#include <glm/gtc/type_ptr.hpp>

#include "render/ShaderProgram.h"
#include "world/DrawNode.h"

namespace velmora {

namespace {

struct TextureFilter {
    GLint minification;
    GLint magnification;
};

// Indexed by mipmapMode.
const TextureFilter kTextureFilters[3] = {
    {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
    {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST},
    {GL_NEAREST, GL_NEAREST},
};

GLint location(const ShaderProgram& program, const char* name) {
    return glGetUniformLocation(program.program, name);
}

}  // namespace

void applyTextureFilter(const DrawNode& node, int mipmapMode) {
    if (!node.isTextured || *node.textureName == 0) {
        return;
    }
    const TextureFilter& filter = kTextureFilters[mipmapMode >= 0 && mipmapMode < 3 ? mipmapMode : 0];
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, *node.textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter.minification);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter.magnification);
}

void setNodeUniforms(const ShaderProgram& program, const DrawNode& node, const glm::mat4& model) {
    const GLint modelLocation = location(program, "modelMatrix");
    if (modelLocation != -1) glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(model));
    const GLint specLocation = location(program, "specFactor");
    if (specLocation != -1) glUniform1f(specLocation, node.specFactor);
    const GLint plain = location(program, "defaultMaterialColor");
    if (plain != -1) glUniform3fv(plain, 1, glm::value_ptr(node.plainColour));
    const GLint tint = location(program, "tint");
    if (tint != -1) glUniform3fv(tint, 1, glm::value_ptr(node.tint));
    const GLint glow = location(program, "glow");
    if (glow != -1) glUniform1f(glow, node.glow);
    const GLint ring = location(program, "ringMark");
    if (ring != -1) glUniform1f(ring, node.ringMark ? 1.0f : 0.0f);
}

}  // namespace velmora
