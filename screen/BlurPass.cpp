#include "screen/BlurPass.h"

#include "render/PassProbe.h"
#include "render/ShaderProgram.h"
#include "screen/ScreenQuad.h"

namespace velmora {

namespace {

constexpr double horizontalShiftPixels = 1.5;
constexpr float verticalShift = 0.0025f;

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

}  // namespace

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram) {
    BlurUniforms uniforms;
    uniforms.renderedTexture = blurProgram.uniformLocation("renderedTexture");
    uniforms.uShift = blurProgram.uniformLocation("uShift");
    uniforms.alphaTexture = blurProgram.uniformLocation("alphaTexture");
    return uniforms;
}

glm::vec2 blurShift(int sceneWidth) {
    return glm::vec2(static_cast<float>(horizontalShiftPixels / sceneWidth), verticalShift);
}

void blurAndCompose(const BlurSetup& setup) {
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    const int sceneWidth = setup.sceneWidth > 0 ? setup.sceneWidth : setup.screenWidth;
    const int sceneHeight = setup.sceneHeight > 0 ? setup.sceneHeight : setup.screenHeight;
    // Each blurred pixel costs nine filtered reads: at a render scale they
    // are paid once per scene pixel, not once per screen pixel.
    const bool scaled = (sceneWidth != setup.screenWidth || sceneHeight != setup.screenHeight) &&
                        setup.scaledTarget.framebuffer != nullptr;
    // No clear: the quad writes every pixel, and with the depth test off no
    // earlier depth can hold any of them back.
    if (scaled) {
        glBindFramebuffer(GL_FRAMEBUFFER, setup.scaledTarget.framebuffer->name());
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glViewport(0, 0, sceneWidth, sceneHeight);
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, setup.screenWidth, setup.screenHeight);
    }
    for (int unit = 0; unit < 2; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, setup.sceneTarget.colourTexture[unit]);
    }
    glUniform1i(setup.uniforms.renderedTexture, 0);
    glUniform1i(setup.uniforms.alphaTexture, 1);
    const glm::vec2 shift = blurShift(sceneWidth);
    glUniform2f(setup.uniforms.uShift, shift.x, shift.y);
    drawQuad(*setup.quad);
    passDone("blur");
    if (scaled) {
        // Nearest: each scene pixel covers its screen pixels whole, as the
        // text and the menus drawn after it are sharp at the screen's own.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, setup.scaledTarget.framebuffer->name());
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, sceneWidth, sceneHeight, 0, 0, setup.screenWidth, setup.screenHeight,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, setup.screenWidth, setup.screenHeight);
        passDone("scale up");
    }
    if (depthTest) glEnable(GL_DEPTH_TEST);
}

}  // namespace velmora
