// Time of one post-process (the scene target softened onto the screen in its
// two passes) at the desktop size, with the same kind of
// context the game opens. Prints the median and the spread over many frames.

#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/Window.h"
#include "render/ShaderProgram.h"
#include "screen/BlurPass.h"
#include "screen/FullScreenTarget.h"
#include "screen/ScreenQuad.h"
#include "screen/TextRenderer.h"

using namespace velmora;

namespace {

constexpr int warmUpFrames = 5;
constexpr int measuredFrames = 60;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void measure(const BlurSetup& setup, const ShaderProgram& program, int width, int height) {
    std::vector<double> times;
    for (int frame = 0; frame < warmUpFrames + measuredFrames; ++frame) {
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        glUseProgram(program.program);
        blurAndCompose(setup);
        glFinish();
        if (frame >= warmUpFrames) times.push_back(millisecondsSince(start));
    }
    bench::printSpread("post-process at " + std::to_string(width) +
                           " x " + std::to_string(height),
                       times, "ms");
}

}  // namespace

int main() {
    int width = 0;
    int height = 0;
    if (!bench::openBenchContext(width, height)) {
        return 1;
    }
    glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
    glEnable(GL_DEPTH_TEST);

    BlurSetup setup;
    setup.sceneTarget = createFullScreenTarget(width, height);
    setup.blurTarget = createBlurTarget(width, height);
    ShaderProgram program("Shader/Passthrough.vert", "Shader/GaussBlur.frag");
    setup.program = &program;
    ShaderProgram* downProgram = createBlurDownProgram();
    setup.downProgram = downProgram;
    setup.uniforms = queryBlurUniforms(program, *downProgram);
    scene::ScreenQuad quad(&program);
    setup.quad = &quad;
    setup.screenWidth = width;
    setup.screenHeight = height;

    // Something to blur: a cleared scene target with one line of text.
    TextRenderer text(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, setup.sceneTarget.framebuffer->name());
    glViewport(0, 0, width, height);
    const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    text.printText("Benchmark 123", 40, 40, 24);

    measure(setup, program, width, height);
    delete downProgram;
    platform::terminate();
    return 0;
}
