#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>

#include "app/hud/ScreenOverlay.h"
#include "screen/TextRenderer.h"
#include "tests/gl/PostProcessFixture.h"

using namespace velmora;
using velmora::test::PostProcess;
using velmora::test::Rgb;

namespace {

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

}  // namespace

TEST_F(PostProcess, BlurProgramOffersItsUniforms) {
    EXPECT_GE(setup.uniforms.downTexture, 0);
    EXPECT_GE(setup.uniforms.uShift, 0);
    EXPECT_GE(setup.uniforms.renderedTexture, 0);
    EXPECT_GE(program->uniformLocation("overlay"), 0);
    EXPECT_GE(glGetAttribLocation(program->program, "position"), 0);
}

TEST_F(PostProcess, EndsOnTheScreensBackBufferLeavingTheSceneTargetAsItWas) {
    beginScene();
    present();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_EQ(integer(GL_DRAW_BUFFER0), GL_BACK);
    EXPECT_EQ(integer(GL_DRAW_BUFFER1), GL_NONE);

    // The next scene pass draws into both outputs again without setting them.
    glBindFramebuffer(GL_FRAMEBUFFER, setup.sceneTarget.framebuffer->name());
    EXPECT_EQ(integer(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(integer(GL_DRAW_BUFFER1), GL_COLOR_ATTACHMENT1);
}

TEST_F(PostProcess, SharpEdgeIsSoftenedOverAFewPixelsOnlyAcrossAndDown) {
    for (const bool across : {true, false}) {
        // White on one side of the middle, black on the other (left and
        // right, or bottom and top).
        SCOPED_TRACE(across ? "across" : "down");
        const int length = across ? width : height;
        const int edge = length / 2;
        beginScene();
        glEnable(GL_SCISSOR_TEST);
        across ? glScissor(0, 0, edge, height) : glScissor(0, 0, width, edge);
        glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        across ? glScissor(edge, 0, width - edge, height) : glScissor(0, edge, width, height - edge);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
        present();

        const std::vector<unsigned char> screen = readScreen();
        const auto red = [&](int along) {
            return across ? at(screen, along, height / 2).r : at(screen, width / 2, along).r;
        };
        EXPECT_GE(red(edge - 10), 250);
        EXPECT_LE(red(edge + 10), 5);
        int softened = 0;
        for (int i = edge - 10; i < edge + 10; ++i) {
            EXPECT_GE(red(i), red(i + 1)) << i;  // falls off monotonically
            if (red(i) > 20 && red(i) < 235) ++softened;
        }
        EXPECT_GE(softened, 2);
        EXPECT_LE(softened, 8);
    }
}

// The HUD goes on after the pass, straight onto its picture.
TEST_F(PostProcess, TextDrawnAfterThePassStaysSharpOverTheClearColour) {
    TextRenderer text(width, height);
    beginScene();
    present();
    text.printText("HELLO 42", 100, 100, 30);  // 240 x 30 pixels

    const std::vector<unsigned char> screen = readScreen();
    int bright = 0;
    int dark = 0;
    int steepestStep = 0;
    for (int y = 100; y < 130; ++y) {
        for (int x = 100; x < 340; ++x) {
            const Rgb c = at(screen, x, y);
            steepestStep = std::max(steepestStep, std::abs(c.r - at(screen, x + 1, y).r));
            if (c.r > 220 && c.g > 220 && c.b > 220) ++bright;
            if (c.b < 90) ++dark;
        }
    }
    // White strokes and their dark rim, sharp.
    EXPECT_GT(bright, 400);
    EXPECT_GT(dark, 100);
    // A blurred stroke edge climbs at most about a quarter of its contrast
    // per pixel; a sharp one jumps.
    EXPECT_GT(steepestStep, 150);

    // Away from the text the picture is the clear colour.
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; x += 7) {
            const bool nearText = x >= 90 && x < 350 && y >= 90 && y < 140;
            if (!nearText) {
                ASSERT_TRUE(isClearColour(at(screen, x, y))) << x << "," << y;
            }
        }
    }
}

// The overlay of the frame: a hazard's flash turns the scene red, then goes;
// the win screen dims the scene.
TEST_F(PostProcess, AHazardFlashesTheSceneRedOnceAndTheWinDimsIt) {
    const auto middleWith = [&](glm::vec4 overlay) {
        beginScene();
        glUseProgram(program->program);
        glUniform4f(program->uniformLocation("overlay"), overlay.r, overlay.g, overlay.b, overlay.a);
        present();
        return at(readScreen(), width / 2, height / 2);
    };
    const Rgb plain = middleWith(app::screenOverlay(0.0, false));
    EXPECT_TRUE(isClearColour(plain));
    app::flashScreen();
    const Rgb flash = middleWith(app::screenOverlay(0.3, false));
    EXPECT_GT(flash.r, plain.r + 60);
    EXPECT_GT(flash.r, 2 * flash.b);
    const Rgb fading = middleWith(app::screenOverlay(0.3, false));
    EXPECT_LT(fading.r, flash.r);
    EXPECT_GT(fading.r, plain.r);
    EXPECT_TRUE(isClearColour(middleWith(app::screenOverlay(0.3, false))));
    const Rgb dimmed = middleWith(app::screenOverlay(0.0, true));
    EXPECT_LT(dimmed.b, plain.b / 2 + 5);
    EXPECT_EQ(dimmed.r * 3 / plain.r, dimmed.b * 3 / plain.b);  // darker, not tinted
    middleWith(glm::vec4(0.0f));
}

// The pass does not clear the screen: what it held before, colour and
// depth, must leave no trace in the picture.
TEST_F(PostProcess, PictureOwesNothingToWhatTheScreenHeldBefore) {
    TextRenderer text(width, height);
    const auto drawScene = [&] {
        beginScene();
        text.printText("HELLO 42", 100, 100, 30);
    };
    drawScene();
    present();
    const std::vector<unsigned char> first = readScreen();

    // Magenta everywhere with the nearest depth, then the same scene again.
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClearDepth(0.0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
    drawScene();
    present();
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);  // back on for the next scene pass
    EXPECT_TRUE(readScreen() == first);
}

// At a render scale the pass blurs at the scene's size and copies that up,
// each scene pixel over the screen pixels it covers, whole.
TEST_F(PostProcess, AScaledSceneIsBlurredAtItsOwnSizeAndCopiedUpPixelForPixel) {
    releaseFullScreenTarget(setup.sceneTarget);
    setup.sceneWidth = width / 2;
    setup.sceneHeight = height / 2;
    setup.sceneTarget = createFullScreenTarget(setup.sceneWidth, setup.sceneHeight);
    releaseFullScreenTarget(setup.blurTarget);
    setup.blurTarget = createBlurTarget(setup.sceneWidth, setup.sceneHeight);
    TextRenderer text(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, setup.sceneTarget.framebuffer->name());
    glViewport(0, 0, setup.sceneWidth, setup.sceneHeight);
    const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, setup.sceneWidth / 3, setup.sceneHeight / 2);
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.14f, 0.25f, 0.43f, 0.0f);
    text.printText("HELLO 42", 100, 100, 30);
    setup.scaledTarget = createColourTarget(setup.sceneWidth, setup.sceneHeight);
    present();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], width);  // the HUD and the menus go on at the screen's size
    const std::vector<unsigned char> copiedUp = readScreen();
    releaseFullScreenTarget(setup.scaledTarget);
    EXPECT_GE(at(copiedUp, 10, 10).r, 250);                      // white at the bottom left
    EXPECT_TRUE(isClearColour(at(copiedUp, width - 10, height - 10)));
    // Every screen pixel shows the scene pixel it lies on, as its neighbours
    // on that scene pixel do.
    std::vector<int> shown(static_cast<size_t>(setup.sceneWidth) * setup.sceneHeight, -1);
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sceneX = (2 * x + 1) * setup.sceneWidth / (2 * width);
            const int sceneY = (2 * y + 1) * setup.sceneHeight / (2 * height);
            const Rgb c = at(copiedUp, x, y);
            const int packed = (c.r << 16) | (c.g << 8) | c.b;
            int& first = shown[static_cast<size_t>(sceneY) * setup.sceneWidth + sceneX];
            if (first < 0) first = packed;
            differing += first != packed ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(PostProcess, QuadHoldsTwoTrianglesOverTheWholeClipSpace) {
    EXPECT_EQ(quad->shaderProgram, program);
    glBindBuffer(GL_ARRAY_BUFFER, quad->vertexBuffer);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    ASSERT_EQ(size, 72);
    float corners[18] = {};
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(corners), corners);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const float expected[18] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1, 1, 0};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(corners[i], expected[i]) << i;
}
