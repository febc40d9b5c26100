#include "screen/BlurPass.h"

#include "render/PassProbe.h"
#include "render/ShaderProgram.h"
#include "screen/ScreenQuad.h"

namespace velmora {

namespace {

// The horizontal step is 1.5 pixels; the vertical step is a fixed fraction of
// the height, whatever the screen.
constexpr double horizontalShiftPixels = 1.5;
constexpr float verticalShift = 0.0025f;

void setUniforms(const BlurUniforms& uniforms, const BlurPassValues& values) {
    glUniform1i(uniforms.renderedTexture, values.renderedTexture);
    glUniform1i(uniforms.alphaTexture, values.alphaTexture);
    glUniform1i(uniforms.blend, values.blend);
    glUniform2f(uniforms.uShift, values.shift.x, values.shift.y);
    glUniform1i(uniforms.mipmapLevel, values.mipmapLevel);
}

void bindInputs(const FullScreenTarget& source, bool regenerateMipmaps) {
    for (int unit = 0; unit < 2; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, source.colourTexture[unit]);
        if (regenerateMipmaps) glGenerateMipmap(GL_TEXTURE_2D);
    }
}

void drawQuad(const scene::ScreenQuad& quad) {
    glBindVertexArray(quad.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vertexBuffer);
    const GLint location = glGetAttribLocation(quad.shaderProgram->program, "position");
    if (location >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glDrawArrays(GL_TRIANGLES, 0, 6);
    if (location >= 0) glDisableVertexAttribArray(static_cast<GLuint>(location));
    glBindVertexArray(0);
}

// No clear: the quad writes every pixel of the target, and with the depth
// test off no earlier depth can hold any of them back.
void beginPass(GLuint framebuffer, int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
}

}  // namespace

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram) {
    BlurUniforms uniforms;
    uniforms.renderedTexture = blurProgram.uniformLocation("renderedTexture");
    uniforms.uShift = blurProgram.uniformLocation("uShift");
    uniforms.alphaTexture = blurProgram.uniformLocation("alphaTexture");
    uniforms.blend = blurProgram.uniformLocation("blend");
    uniforms.mipmapLevel = blurProgram.uniformLocation("mipmap_level");
    return uniforms;
}

BlurPassValues blurPassValues(BlurPassKind kind, int screenWidth) {
    BlurPassValues values;
    if (kind == BlurPassKind::Horizontal) {
        values.blend = 0;
        values.shift = glm::vec2(static_cast<float>(horizontalShiftPixels / screenWidth), 0.0f);
        values.drawBufferCount = 2;
    } else {
        values.blend = 1;
        values.shift = glm::vec2(0.0f, verticalShift);
        values.drawBufferCount = 1;
    }
    return values;
}

void blurAndCompose(const BlurSetup& setup) {
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    const int sceneWidth = setup.sceneWidth > 0 ? setup.sceneWidth : setup.screenWidth;
    const int sceneHeight = setup.sceneHeight > 0 ? setup.sceneHeight : setup.screenHeight;
    // Pass 1: horizontal, both outputs into the blur target.
    beginPass(setup.blurTarget.framebuffer->name(), sceneWidth, sceneHeight);
    bindInputs(setup.sceneTarget, setup.regenerateSceneMipmaps);
    if (setup.regenerateSceneMipmaps) passDone("mipmaps");
    const BlurPassValues horizontal = blurPassValues(BlurPassKind::Horizontal, sceneWidth);
    setUniforms(setup.uniforms, horizontal);
    const GLenum bothOutputs[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(horizontal.drawBufferCount, bothOutputs);
    drawQuad(*setup.quad);
    passDone("blur horizontal");

    // Pass 2: vertical and composed, onto the screen's own back buffer.
    beginPass(0, setup.screenWidth, setup.screenHeight);
    bindInputs(setup.blurTarget, false);
    setUniforms(setup.uniforms, blurPassValues(BlurPassKind::VerticalToScreen, sceneWidth));
    drawQuad(*setup.quad);
    passDone("blur vertical");
    if (depthTest) glEnable(GL_DEPTH_TEST);
}

}  // namespace velmora
