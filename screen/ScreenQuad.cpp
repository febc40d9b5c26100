#include "screen/ScreenQuad.h"

namespace velmora::scene {

namespace {

const GLfloat corners[18] = {
    -1.0f, -1.0f, 0.0f,  1.0f, -1.0f, 0.0f,  -1.0f, 1.0f, 0.0f,
    -1.0f, 1.0f,  0.0f,  1.0f, -1.0f, 0.0f,  1.0f,  1.0f, 0.0f,
};

}  // namespace

ScreenQuad::ScreenQuad(ShaderProgram* program) : shaderProgram(program) {
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glBindVertexArray(0);
}

ScreenQuad::~ScreenQuad() {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteVertexArrays(1, &vertexArray);
}

}  // namespace velmora::scene
