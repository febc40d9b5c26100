#include "screen/BlurPass.h"

#include <algorithm>

#include "render/PassProbe.h"
#include "render/ShaderProgram.h"
#include "screen/ScreenQuad.h"

namespace velmora {

namespace {

constexpr double horizontalShiftPixels = 1.5;
constexpr float verticalShift = 0.0025f;

int halfLength(int length) {
    return std::max(1, (length + 1) / 2);
}

// With `program` current: its "position" is fed from the quad.
void drawQuad(const scene::ScreenQuad& quad, const ShaderProgram& program) {
    glBindVertexArray(quad.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vertexBuffer);
    const GLint location = glGetAttribLocation(program.program, "position");
    if (location >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glDrawArrays(GL_TRIANGLES, 0, 6);
    if (location >= 0) glDisableVertexAttribArray(static_cast<GLuint>(location));
    glBindVertexArray(0);
}

}  // namespace

BlurUniforms queryBlurUniforms(const ShaderProgram& blurProgram, const ShaderProgram& downProgram) {
    BlurUniforms uniforms;
    uniforms.downTexture = downProgram.uniformLocation("renderedTexture");
    uniforms.uShift = downProgram.uniformLocation("uShift");
    uniforms.renderedTexture = blurProgram.uniformLocation("renderedTexture");
    return uniforms;
}

ShaderProgram* createBlurDownProgram() {
    return new ShaderProgram("Shader/Passthrough.vert", "Shader/BlurDown.frag");
}

glm::vec2 blurShift(int sceneWidth) {
    return glm::vec2(static_cast<float>(horizontalShiftPixels / sceneWidth), verticalShift);
}

FullScreenTarget createBlurTarget(int sceneWidth, int sceneHeight) {
    return createColourTarget(halfLength(sceneWidth), halfLength(sceneHeight));
}

void blurAndCompose(const BlurSetup& setup) {
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    const int sceneWidth = setup.sceneWidth > 0 ? setup.sceneWidth : setup.screenWidth;
    const int sceneHeight = setup.sceneHeight > 0 ? setup.sceneHeight : setup.screenHeight;
    // No clears: each quad writes every pixel of its target, and with the
    // depth test off no earlier depth can hold any of them back.

    // Down: a quarter of the scene's pixels, four reads each.
    glUseProgram(setup.downProgram->program);
    glUniform1i(setup.uniforms.downTexture, 0);
    const glm::vec2 shift = blurShift(sceneWidth);
    glUniform2f(setup.uniforms.uShift, shift.x, shift.y);
    glBindFramebuffer(GL_FRAMEBUFFER, setup.blurTarget.framebuffer->name());
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, halfLength(sceneWidth), halfLength(sceneHeight));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, setup.sceneTarget.colourTexture[0]);
    drawQuad(*setup.quad, *setup.downProgram);

    // Up: one read per scene pixel, paid once per scene pixel at a render
    // scale rather than once per screen pixel.
    const bool scaled = (sceneWidth != setup.screenWidth || sceneHeight != setup.screenHeight) &&
                        setup.scaledTarget.framebuffer != nullptr;
    if (scaled) {
        glBindFramebuffer(GL_FRAMEBUFFER, setup.scaledTarget.framebuffer->name());
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glViewport(0, 0, sceneWidth, sceneHeight);
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, setup.screenWidth, setup.screenHeight);
    }
    glUseProgram(setup.program->program);
    glUniform1i(setup.uniforms.renderedTexture, 0);
    glBindTexture(GL_TEXTURE_2D, setup.blurTarget.colourTexture[0]);
    drawQuad(*setup.quad, *setup.program);
    glActiveTexture(GL_TEXTURE1);
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
