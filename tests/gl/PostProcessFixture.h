#pragma once
// The shell's screen-output set-up at the context size, for tests that draw
// into the scene target and look at what reaches the screen.

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <vector>

#include "render/ShaderProgram.h"
#include "screen/BlurPass.h"
#include "screen/FullScreenTarget.h"
#include "screen/ScreenQuad.h"
#include "tests/gl/GlContext.h"

namespace velmora::test {

struct Rgb {
    int r, g, b;
};

class PostProcess : public testing::Test {
protected:
    void SetUp() override {
        width = contextWidth();
        height = contextHeight();
        glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
        glEnable(GL_DEPTH_TEST);
        setup.sceneTarget = createFullScreenTarget(width, height);
        setup.blurTarget = createBlurTarget(width, height);
        program = new ShaderProgram("Shader/Passthrough.vert", "Shader/GaussBlur.frag");
        setup.program = program;
        setup.downProgram = downProgram = createBlurDownProgram();
        setup.uniforms = queryBlurUniforms(*program, *downProgram);
        quad = new scene::ScreenQuad(program);
        setup.quad = quad;
        setup.screenWidth = width;
        setup.screenHeight = height;
    }
    void TearDown() override {
        delete quad;
        delete program;
        delete downProgram;
        releaseFullScreenTarget(setup.sceneTarget);
        releaseFullScreenTarget(setup.blurTarget);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    // As the frame loop starts its scene pass.
    void beginScene() {
        glBindFramebuffer(GL_FRAMEBUFFER, setup.sceneTarget.framebuffer->name());
        glViewport(0, 0, width, height);
        const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        glDrawBuffers(2, both);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void present() {
        glUseProgram(program->program);
        blurAndCompose(setup);
    }

    // The screen's back buffer, bottom row first.
    std::vector<unsigned char> readScreen() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    Rgb at(const std::vector<unsigned char>& pixels, int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }

    static bool isClearColour(const Rgb& c) {
        return std::abs(c.r - 36) <= 2 && std::abs(c.g - 64) <= 2 && std::abs(c.b - 110) <= 2;
    }

    int width = 0;
    int height = 0;
    ShaderProgram* program = nullptr;
    ShaderProgram* downProgram = nullptr;
    scene::ScreenQuad* quad = nullptr;
    BlurSetup setup;
};

}  // namespace velmora::test
