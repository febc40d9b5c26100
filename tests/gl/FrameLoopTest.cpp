#include <gtest/gtest.h>

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <vector>

#include "tools/autopilot/Autopilot.h"
#include "app/shell/FrameLoop.h"
#include "tools/autopilot/Route.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "tests/gl/ShellFixture.h"
#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "sim/Cube.h"
#include "sim/SceneObject.h"
#include "sim/World.h"
#include "tests/gl/UploadedObject.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

using namespace velmora;
using velmora::test::uploadForDrawing;

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

TEST_F(FrameLoopTest, EachFrameRunsTheWholeStepsItsIntervalHoldsAtMostEightAfterTheFirst) {
    // A sphere falling freely far from everything: its speed counts the steps.
    physics::Material* material = (*shell.simulation).physics()->createMaterial(0.5f, 0.5f, 0.1f);
    physics::RigidDynamic* ball = physics::createDynamic(
        *(*shell.simulation).physics(), physics::Transform(glm::vec3(0.0f, 500.0f, 300.0f)),
        physics::Geometry::sphere(0.5f), *material, 1.0f);
    ASSERT_NE(ball, nullptr);
    shell.simulation->scene()->addActor(*ball);

    app::FrameLoop loop(shell);
    now = 3.5;  // start-up took 3.5 s: the first interval includes it
    ASSERT_TRUE(loop.runFrame());
    EXPECT_DOUBLE_EQ(loop.lastInterval(), 3.5);
    EXPECT_EQ(loop.stepsStarted(), 0);
    EXPECT_EQ(ball->getLinearVelocity().y, 0.0f);
    EXPECT_EQ(loop.clock().accumulator(), 0.0);

    // Each frame runs the whole steps its interval completes, at most eight:
    // a two-second stall costs the game two seconds, not a burst of 120 steps.
    struct Frame {
        double interval;
        long stepsAfter;
    };
    const std::vector<Frame> frames = {{0.1, 6}, {0.001, 6}, {0.5, 14}, {1.0 / 60.0, 15},
                                       {1.0 / 144.0, 15}, {1.0 / 144.0, 15}, {1.0 / 144.0, 16},
                                       {2.0, 24}};
    for (const Frame& frame : frames) {
        now += frame.interval;
        ASSERT_TRUE(loop.runFrame());
        EXPECT_NEAR(loop.lastInterval(), frame.interval, 1e-9);
        EXPECT_EQ(loop.stepsStarted(), frame.stepsAfter) << "after " << frame.interval;
        EXPECT_NEAR(ball->getLinearVelocity().y, -20.8f * frame.stepsAfter / 60.0f, 1e-3);
    }
}

TEST_F(FrameLoopTest, ShadowFacesAreClearedAndDrawnEveryFrame) {
    fillFacesWithDepth(0.25f);
    ASSERT_NEAR(faceDepth(3), 0.25f, 1.0 / 65535);  // to the map's sixteen bits

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
    shell.options.render.shadowsEnabled = false;
    fillFacesWithDepth(0.25f);
    app::FrameLoop loop(shell);
    ASSERT_TRUE(loop.runFrame());
    EXPECT_EQ(shell.renderLogic->shadowFaceIndex, -1);
    for (int face = 0; face < 6; ++face) {
        EXPECT_FLOAT_EQ(faceDepth(face), 1.0f) << "face " << face;
    }
    EXPECT_EQ(drawnTexels(kDownwardFace), 0);
}

TEST_F(FrameLoopTest, ShadowFacesFollowWhatMovesOrHides) {
    // Level with the light at (0, 20, -25), off along +x, the middle of face
    // 0 sees a door, and a wall standing behind it once the door is away.
    // (The spheres fall in face 3.)
    RenderLogic& logic = *shell.renderLogic;
    physics::Material* material = shell.simulation->physics()->createMaterial(0.5f, 0.5f, 0.1f);
    std::vector<std::unique_ptr<scene::Door>> boxes;
    for (float x : {8.0f, 14.0f}) {
        boxes.push_back(std::make_unique<scene::Door>(glm::mat4(1.0f)));
        uploadForDrawing(*boxes.back(), logic.phongProgram, logic.shadowProgram);
        boxes.back()->actor =
            physics::createStatic(*shell.simulation->physics(), physics::Transform(glm::vec3(x, 20, -25)),
                                  physics::Geometry::box(glm::vec3(0.5f)), *material);
        root()->addChild(boxes.back().get());
    }
    scene::Door& door = *boxes[0];

    app::FrameLoop loop(shell);
    const auto frame = [&] {
        now += 0.02;
        EXPECT_TRUE(loop.runFrame());
        return faceDepth(0);
    };
    const float near = frame();
    EXPECT_LT(near, 1.0f);
    EXPECT_FLOAT_EQ(frame(), near);  // standing still

    door.transform(false, glm::translate(glm::mat4(1.0f), glm::vec3(2.0f, 0.0f, 0.0f)));
    const float moved = frame();
    EXPECT_GT(moved, near);
    door.open();
    const float wall = frame();
    EXPECT_GT(wall, moved);
    EXPECT_LT(wall, 1.0f);
    door.close();
    EXPECT_FLOAT_EQ(frame(), moved);
    door.transform(false, glm::translate(glm::mat4(1.0f), glm::vec3(-2.0f, 0.0f, 0.0f)));
    EXPECT_FLOAT_EQ(frame(), near);
    boxes[1]->open();
    door.open();
    EXPECT_FLOAT_EQ(frame(), 1.0f);  // nothing left in its way
    root()->children.resize(root()->children.size() - 2);
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
        EXPECT_EQ(format, GL_DEPTH_COMPONENT16);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_EQ(shell.renderLogic->shadowCubeTexture, shell.shadowCube.texture);
}
