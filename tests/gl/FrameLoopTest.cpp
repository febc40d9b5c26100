#include <gtest/gtest.h>

#include <GL/glew.h>

#include <memory>
#include <vector>

#include "app/FrameLoop.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "tests/gl/ShellFixture.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "world/SceneObject.h"

using namespace velmora;

namespace {

constexpr int kDownwardFace = 3;  // the cube face towards -y

class FrameLoopTest : public test::ShellFixture {
protected:
    scene::SceneObject* root() { return shell.objectRegistry->mainWorld()->root; }

    // Reads the depth at the centre of one cube face.
    float faceDepth(int face) {
        const app::ShadowCubeMap& cube = shell.shadowCube;
        glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                               GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube.texture, 0);
        float depth = -1.0f;
        glReadPixels(1024, 1024, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return depth;
    }

    // Counts the texels of one cube face that something was drawn into.
    int drawnTexels(int face) {
        const app::ShadowCubeMap& cube = shell.shadowCube;
        glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                               GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube.texture, 0);
        std::vector<float> depths(2048 * 2048);
        glReadPixels(0, 0, 2048, 2048, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        int drawn = 0;
        for (float depth : depths) drawn += depth < 1.0f ? 1 : 0;
        return drawn;
    }

    void fillFacesWithDepth(float depth) {
        const app::ShadowCubeMap& cube = shell.shadowCube;
        glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
        glClearDepth(depth);
        for (int face = 0; face < 6; ++face) {
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                   GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube.texture, 0);
            glClear(GL_DEPTH_BUFFER_BIT);
        }
        glClearDepth(1.0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

};

}  // namespace

TEST_F(FrameLoopTest, OneRealPhysicsStepPerFrameAfterTheFirstWhateverTheInterval) {
    // A sphere falling freely far from everything: its speed counts the steps.
    physics::Material* material = shell.renderLogic->physics->createMaterial(0.5f, 0.5f, 0.1f);
    physics::RigidDynamic* ball = physics::createDynamic(
        *shell.renderLogic->physics, physics::Transform(glm::vec3(0.0f, 500.0f, 300.0f)),
        physics::Geometry::sphere(0.5f), *material, 1.0f);
    ASSERT_NE(ball, nullptr);
    physicsScene->addActor(*ball);

    app::FrameLoop loop(shell);
    now = 3.5;  // start-up took 3.5 s: the first interval includes it
    ASSERT_TRUE(loop.runFrame());
    EXPECT_DOUBLE_EQ(loop.lastInterval(), 3.5);
    EXPECT_EQ(loop.stepsStarted(), 0);
    EXPECT_EQ(ball->getLinearVelocity().y, 0.0f);
    EXPECT_EQ(loop.physicsAccumulator(), app::FixedStep::step);

    // Slow and fast frames alike start exactly one step of 1/60 s.
    const std::vector<double> intervals = {0.1, 0.001, 0.5, 1.0 / 60.0, 2.0};
    int steps = 0;
    for (double interval : intervals) {
        now += interval;
        ASSERT_TRUE(loop.runFrame());
        ++steps;
        EXPECT_NEAR(loop.lastInterval(), interval, 1e-9);
        EXPECT_EQ(loop.stepsStarted(), steps);
        EXPECT_EQ(loop.physicsAccumulator(), app::FixedStep::step);
        EXPECT_NEAR(ball->getLinearVelocity().y, -20.8f * app::FixedStep::step * steps, 1e-3)
            << "after frame " << steps + 1;
    }
}

TEST_F(FrameLoopTest, ShadowFacesAreClearedAndDrawnEveryFrame) {
    fillFacesWithDepth(0.25f);
    ASSERT_FLOAT_EQ(faceDepth(3), 0.25f);

    app::FrameLoop loop(shell);
    ASSERT_TRUE(loop.runFrame());
    // Six shadow calls: the face counter went round once, ending on face 5.
    EXPECT_EQ(shell.renderLogic->shadowFaceIndex, 5);
    for (int face = 0; face < 6; ++face) {
        EXPECT_FLOAT_EQ(faceDepth(face), 1.0f) << "face " << face;
    }
    // The two spheres lie below the light: the downward face shows them.
    EXPECT_GT(drawnTexels(kDownwardFace), 0);
}

TEST_F(FrameLoopTest, WithShadowsOffFacesAreStillClearedAndTheCounterStandsStill) {
    shadowsEnabled = false;
    fillFacesWithDepth(0.25f);
    app::FrameLoop loop(shell);
    ASSERT_TRUE(loop.runFrame());
    EXPECT_EQ(shell.renderLogic->shadowFaceIndex, -1);
    for (int face = 0; face < 6; ++face) {
        EXPECT_FLOAT_EQ(faceDepth(face), 1.0f) << "face " << face;
    }
    EXPECT_EQ(drawnTexels(kDownwardFace), 0);
}

TEST_F(FrameLoopTest, MillTurnsWhileTheGameRunsAndFreezesOnceItIsWon) {
    auto mill = std::make_unique<scene::SceneObject>(glm::mat4(1.0f), nullptr, nullptr);
    mill->name = "mill";
    mill->isGroup = true;
    auto arm = std::make_unique<scene::SceneObject>(glm::mat4(1.0f), nullptr, nullptr);
    arm->isGroup = true;
    mill->addChild(arm.get());
    root()->addChild(mill.get());

    app::FrameLoop loop(shell);
    now = 0.45;  // 0.45 s at 200 degrees per second: a quarter turn
    ASSERT_TRUE(loop.runFrame());
    const glm::vec4 x = mill->transformMatrix * glm::vec4(1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(x.x, 0.0f, 1e-5);
    EXPECT_NEAR(x.z, -1.0f, 1e-5);
    EXPECT_EQ(arm->transformMatrix, mill->transformMatrix);  // children turn along
    EXPECT_FALSE(app::gameWon);

    shell.renderLogic->winGame();
    const glm::mat4 frozen = mill->transformMatrix;
    now += 0.1;
    ASSERT_TRUE(loop.runFrame());
    EXPECT_TRUE(app::gameWon);
    EXPECT_EQ(mill->transformMatrix, frozen);
    EXPECT_EQ(loop.stepsStarted(), 1);  // the physics still steps
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
}

TEST_F(FrameLoopTest, CubeMapHasSixDepthFacesOfFixedSize) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, shell.shadowCube.texture);
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
    EXPECT_EQ(shell.renderLogic->shadowCubeTexture, shell.shadowCube.texture);
}
