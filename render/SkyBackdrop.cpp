#include "render/SkyBackdrop.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/ShaderProgram.h"

namespace velmora {

namespace {
const GLfloat kCorners[18] = {
    -1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f, -1.0f, 1.0f, 0.0f,
    -1.0f, 1.0f,  0.0f, 1.0f, -1.0f, 0.0f, 1.0f,  1.0f, 0.0f,
};
}  // namespace

SkyBackdrop::SkyBackdrop()
    : program_(std::make_unique<ShaderProgram>("Shader/sky.vert", "Shader/sky.frag")) {
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCorners), kCorners, GL_STATIC_DRAW);
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    const GLint position = glGetAttribLocation(program_->program, "position");
    if (position >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(position));
        glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

SkyBackdrop::~SkyBackdrop() {
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
}

void SkyBackdrop::draw(const glm::mat4& camera, const glm::mat4& projection, const SkyColours& colours) {
    glUseProgram(program_->program);
    glUniform3fv(program_->uniformLocation("zenith"), 1, glm::value_ptr(colours.zenith));
    glUniform3fv(program_->uniformLocation("horizon"), 1, glm::value_ptr(colours.horizon));
    glUniform3fv(program_->uniformLocation("ground"), 1, glm::value_ptr(colours.ground));
    glUniformMatrix4fv(program_->uniformLocation("Camera"), 1, GL_FALSE, glm::value_ptr(camera));
    const glm::mat4 inverseProjection = glm::inverse(projection);
    glUniformMatrix4fv(program_->uniformLocation("inverseProjection"), 1, GL_FALSE,
                       glm::value_ptr(inverseProjection));
    // On the far plane, tested against what the level drew: only the pixels
    // it left at the cleared depth are shaded, however much of the screen the
    // level covers.
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    GLint depthFunc = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glDepthFunc(static_cast<GLenum>(depthFunc));
    glDepthMask(depthWrites);
    if (!depthTest) glDisable(GL_DEPTH_TEST);
}

}  // namespace velmora
