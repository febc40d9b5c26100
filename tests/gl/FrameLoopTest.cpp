#include <gtest/gtest.h>

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <vector>

#include "app/Autopilot.h"
#include "app/FrameLoop.h"
#include "app/Route.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "tests/gl/ShellFixture.h"
#include "world/Door.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "world/Cube.h"
#include "world/SceneObject.h"
#include "world/World.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

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
    physics::Material* material = shell.renderLogic->simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
    physics::RigidDynamic* ball = physics::createDynamic(
        *shell.renderLogic->simulation().physics(), physics::Transform(glm::vec3(0.0f, 500.0f, 300.0f)),
        physics::Geometry::sphere(0.5f), *material, 1.0f);
    ASSERT_NE(ball, nullptr);
    physicsScene->addActor(*ball);

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
                                       {1.0 / 144.0, 15}, {1.0 / 144.0, 16}, {2.0, 24}};
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

TEST_F(FrameLoopTest, ShadowFacesFollowWhatMovesOrHides) {
    // Level with the light at (0, 20, -25), off along +x, the middle of face
    // 0 sees a door, and a wall standing behind it once the door is away.
    // (The spheres fall in face 3.)
    RenderLogic& logic = *shell.renderLogic;
    physics::Material* material = logic.simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
    std::vector<std::unique_ptr<scene::Door>> boxes;
    for (float x : {8.0f, 14.0f}) {
        boxes.push_back(std::make_unique<scene::Door>(glm::mat4(1.0f), logic.phongProgram,
                                                      logic.shadowProgram));
        boxes.back()->init();
        boxes.back()->actor =
            physics::createStatic(*logic.simulation().physics(), physics::Transform(glm::vec3(x, 20, -25)),
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

    shell.renderLogic->simulation().winGame();
    const glm::mat4 frozen = mill->transformMatrix;
    now += 0.1;
    ASSERT_TRUE(loop.runFrame());
    EXPECT_TRUE(app::gameWon);
    EXPECT_EQ(mill->transformMatrix, frozen);
    EXPECT_EQ(loop.stepsStarted(), 1);  // the physics still steps
}

TEST_F(FrameLoopTest, MillArmsPushASphereInTheirPathAndLeaveOneBesideThemAlone) {
    physics::Physics& physics = *shell.renderLogic->simulation().physics();
    physics::Material* material = physics.createMaterial(1.0f, 1.0f, 1.0f);
    auto part = [&](const char* name, glm::vec3 centre, glm::vec3 halfExtents) {
        // Drawn as the unit cube scaled to the box, as a level box is.
        auto object = std::make_unique<scene::Cube>(glm::scale(glm::mat4(1.0f), 2.0f * halfExtents),
                                                    nullptr, nullptr);
        object->createDefaultMesh();
        object->name = name;
        object->actor = physics::createStatic(physics, physics::Transform(centre),
                                              physics::Geometry::box(halfExtents), *material);
        physicsScene->addActor(*object->actor);
        return object;
    };
    auto floor = part("floor", {0.0f, -0.5f, -24.0f}, {20.0f, 0.5f, 20.0f});
    // A hub with one arm 4 m long across it, turning about the world's up axis.
    auto mill = part("mill", {0.0f, 0.8f, -24.0f}, {0.3f, 0.8f, 0.3f});
    auto arm = part("mill_arm", {0.0f, 0.5f, -24.0f}, {2.0f, 0.2f, 0.2f});
    mill->addChild(arm.get());
    root()->addChild(mill.get());
    // The main sphere just clear of the arm, where its east end swings to
    // within 30 degrees; the second sphere well beyond its reach.
    const glm::vec3 inPath(1.5f, 0.5f, -25.2f);
    const glm::vec3 beside(5.0f, 1.0f, -24.0f);
    shell.renderLogic->simulation().placeSpheres(inPath, beside);
    const World& w = world();
    physics::RigidDynamic* main = w.playerActors.at(MainActorType)->actor;
    physics::RigidDynamic* second = w.playerActors.at(SecondActorType)->actor;

    app::FrameLoop loop(shell);
    for (int frame = 0; frame < 30; ++frame) {  // half a second: 100 degrees
        now += 1.0 / 60.0;
        loop.updateFrame();
    }
    const glm::vec3 pushed = main->getGlobalPose().p - inPath;
    EXPECT_GT(glm::length(glm::vec2(pushed.x, pushed.z)), 0.5f);
    // The arm's east end sweeps towards -z and drags the sphere round with it.
    EXPECT_LT(pushed.z, -0.3f);
    EXPECT_LT(glm::length(second->getGlobalPose().p - beside), 0.01f);
    // The arm's body is where the frame loop has turned it: half a second.
    const glm::quat turned = arm->actor->getGlobalPose().q;
    EXPECT_NEAR(glm::degrees(glm::angle(turned)), 100.0f - 200.0f / 60.0f, 0.5f);
    EXPECT_EQ(arm->transformMatrix, glm::mat4(1.0f));

    // The autopilot reads the drawn arm: 1.5 m east of the hub, the arm's
    // western half is still coming round (83 degrees off), so the wait lasts
    // until it has passed and left a metre of room, about 41 frames.
    std::string error;
    const std::optional<app::Route> route = app::parseRoute("mill 1.5 -24 1\n", error);
    ASSERT_TRUE(route.has_value()) << error;
    app::Autopilot pilot(*route, shell);
    while (!pilot.routeDone() && pilot.frames() < 120) {
        pilot.beforeFrame();
        now += 1.0 / 60.0;
        loop.updateFrame();
    }
    EXPECT_GT(pilot.frames(), 30);
    EXPECT_LT(pilot.frames(), 55);
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
