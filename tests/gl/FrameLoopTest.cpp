#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "app/FrameLoop.h"
#include "app/ShellState.h"
#include "platform/Window.h"
#include "tests/gl/GlContext.h"

using namespace velmora;

namespace {

class FrameLoopTest : public testing::Test {
protected:
    void SetUp() override {
        platform::script::reset();
        platform::script::setClock([this] { return now; });
        shell.screenWidth = test::contextWidth();
        shell.screenHeight = test::contextHeight();
        if (cube.texture == 0) {
            cube = app::ShadowCubeMap::create();
        }
        shell.shadowCube = cube;
    }
    void TearDown() override { platform::script::reset(); }

    // Reads the depth at the centre of one cube face.
    float faceDepth(int face) {
        glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                               GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube.texture, 0);
        float depth = -1.0f;
        glReadPixels(1024, 1024, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return depth;
    }

    double now = 0.0;
    app::ShellState shell;
    static app::ShadowCubeMap cube;
};

app::ShadowCubeMap FrameLoopTest::cube;

}  // namespace

TEST_F(FrameLoopTest, IntervalsFollowTheClockAndStepsOnePerFrameAfterTheFirst) {
    app::FrameLoop loop(shell);
    now = 3.5;  // start-up took 3.5 s: the first interval includes it
    ASSERT_TRUE(loop.runFrame());
    EXPECT_DOUBLE_EQ(loop.lastInterval(), 3.5);
    EXPECT_EQ(loop.stepsStarted(), 0);
    EXPECT_EQ(loop.physicsAccumulator(), app::FixedStep::step);

    // Slow and fast frames alike start exactly one step.
    const std::vector<double> intervals = {0.1, 0.001, 0.5, 1.0 / 60.0};
    long expectedSteps = 0;
    for (double interval : intervals) {
        now += interval;
        ASSERT_TRUE(loop.runFrame());
        EXPECT_NEAR(loop.lastInterval(), interval, 1e-12);
        EXPECT_EQ(loop.stepsStarted(), ++expectedSteps);
        EXPECT_EQ(loop.physicsAccumulator(), app::FixedStep::step);
    }
}

TEST_F(FrameLoopTest, ShadowFacesAreClearedEveryFrame) {
    // Fill every face with a nearer depth, as a shadow pass would.
    glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
    glClearDepth(0.25);
    for (int face = 0; face < 6; ++face) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                               GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube.texture, 0);
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    glClearDepth(1.0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ASSERT_FLOAT_EQ(faceDepth(3), 0.25f);

    app::FrameLoop loop(shell);
    ASSERT_TRUE(loop.runFrame());
    for (int face = 0; face < 6; ++face) {
        EXPECT_FLOAT_EQ(faceDepth(face), 1.0f) << "face " << face;
    }
}

TEST_F(FrameLoopTest, CubeMapHasSixDepthFacesOfFixedSize) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube.texture);
    for (int face = 0; face < 6; ++face) {
        GLint width = 0;
        GLint height = 0;
        GLint format = 0;
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(width, 2048);
        EXPECT_EQ(height, 2048);
        EXPECT_EQ(format, GL_DEPTH_COMPONENT24);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

TEST_F(FrameLoopTest, EndsAfterTheFrameInWhichAnExitIsSeen) {
    struct Exit {
        const char* what;
        void (*press)(bool);
    };
    const Exit exits[] = {
        {"Escape", [](bool down) { platform::script::setKey(platform::KEY_ESC, down); }},
        {"Q", [](bool down) { platform::script::setKey(81, down); }},
        {"close", [](bool down) { platform::script::setWindowClosed(down); }},
    };
    for (const Exit& exit : exits) {
        app::FrameLoop loop(shell);
        EXPECT_TRUE(loop.runFrame()) << exit.what;
        exit.press(true);
        now += 0.02;
        // The frame still runs whole (its step is started) before the loop ends.
        EXPECT_FALSE(loop.runFrame()) << exit.what;
        EXPECT_EQ(loop.stepsStarted(), 1) << exit.what;
        exit.press(false);
    }
    EXPECT_TRUE(app::FrameLoop(shell).runFrame());
}
