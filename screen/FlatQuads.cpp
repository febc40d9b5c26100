#include "screen/FlatQuads.h"

#include "render/ShaderProgram.h"
#include "screen/DrawnBoxes.h"

namespace velmora {

namespace {
struct Corner {
    float x, y;
    float r, g, b, a;
};
}  // namespace

FlatQuads::FlatQuads() {
    program_ = new ShaderProgram("Shader/flatQuad.vert", "Shader/flatQuad.frag");
    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    const GLint position = glGetAttribLocation(program_->program, "position");
    const GLint colour = glGetAttribLocation(program_->program, "colour");
    if (position >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(position));
        glVertexAttribPointer(static_cast<GLuint>(position), 2, GL_FLOAT, GL_FALSE, sizeof(Corner),
                              nullptr);
    }
    if (colour >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(colour));
        glVertexAttribPointer(static_cast<GLuint>(colour), 4, GL_FLOAT, GL_FALSE, sizeof(Corner),
                              reinterpret_cast<const void*>(2 * sizeof(float)));
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

FlatQuads::~FlatQuads() {
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
    delete program_;
}

void FlatQuads::draw(int x, int y, int width, int height, const glm::vec4& colour, int screenWidth,
                     int screenHeight) {
    logDrawnBox({false, x, y, width, height, {}});
    const float left = static_cast<float>(x);
    const float bottom = static_cast<float>(y);
    const float right = left + static_cast<float>(width);
    const float top = bottom + static_cast<float>(height);
    const Corner corners[6] = {
        {left, bottom, colour.r, colour.g, colour.b, colour.a},
        {right, bottom, colour.r, colour.g, colour.b, colour.a},
        {right, top, colour.r, colour.g, colour.b, colour.a},
        {left, bottom, colour.r, colour.g, colour.b, colour.a},
        {right, top, colour.r, colour.g, colour.b, colour.a},
        {left, top, colour.r, colour.g, colour.b, colour.a},
    };
    glUseProgram(program_->program);
    glUniform2f(program_->uniformLocation("screenSize"), static_cast<float>(screenWidth),
                static_cast<float>(screenHeight));
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STREAM_DRAW);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A panel sits at the nearest depth, as the text on it will: writing it
    // would hide that text from the depth test in a target with a depth buffer.
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace velmora
