#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <memory>

#include "app/Camera.h"
#include "app/FrameLoop.h"
#include "app/ShellOptions.h"
#include "app/ShellState.h"
#include "app/Startup.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/ShellFixture.h"
#include "world/ObjectRegistry.h"
#include "world/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "world/World.h"

using namespace velmora;

namespace {

constexpr int kKeyW = 87;

class PlayerControls : public test::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        loop = std::make_unique<app::FrameLoop>(shell);
    }
    void TearDown() override {
        loop.reset();
        ShellFixture::TearDown();
    }

    void frames(int count, double interval) {
        for (int i = 0; i < count; ++i) {
            now += interval;
            ASSERT_TRUE(loop->runFrame());
        }
    }

    physics::RigidDynamic* mainSphere() {
        const World& world = *shell.objectRegistry->mainWorld();
        const auto main = world.playerActors.find(MainActorType);
        return main == world.playerActors.end() ? nullptr : main->second->actor;
    }

    // Pixels inside the box (x, y, width, height) of the scene target's colour
    // output that differ from the clear colour: text drawn there.
    int textPixels(int x, int y, int width, int height) {
        glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        int count = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            const bool clear = std::abs(rgba[i] - 36) <= 2 && std::abs(rgba[i + 1] - 64) <= 2 &&
                               std::abs(rgba[i + 2] - 110) <= 2;
            if (!clear) ++count;
        }
        return count;
    }

    std::unique_ptr<app::FrameLoop> loop;
};

}  // namespace

TEST_F(PlayerControls, HeldWPushesTheMainSphereTheWayTheCameraLooks) {
    physics::RigidDynamic* sphere = mainSphere();
    ASSERT_NE(sphere, nullptr);
    // The camera swung round to the sphere's +x side, looking along -x.
    app::cameraYaw = 90.0f;
    frames(3, 1.0 / 60.0);
    const glm::vec3 untouched = sphere->getLinearVelocity();
    EXPECT_NEAR(untouched.x, 0.0f, 1e-4f);  // falling without a floor, straight down
    EXPECT_NEAR(untouched.z, 0.0f, 1e-4f);

    platform::script::setKey(kKeyW, true);
    frames(10, 1.0 / 60.0);
    platform::script::setKey(kKeyW, false);
    const glm::vec3 pushed = sphere->getLinearVelocity();
    EXPECT_LT(pushed.x, -0.5f);
    EXPECT_NEAR(pushed.z, 0.0f, 0.05f * std::abs(pushed.x));
    EXPECT_EQ(app::cameraYaw, 90.0f);  // the cursor mid-screen left the camera alone
}

TEST_F(PlayerControls, OptionKeyTogglesOncePerLockOutAndShowsItsMessage) {
    platform::script::setKey(platform::KEY_F7, true);
    frames(1, 0.3);  // the lock-out has passed: taken
    EXPECT_FALSE(shadowsEnabled);
    EXPECT_EQ(app::statusMessage, "Shadows disabled");
    frames(1, 0.1);  // still held, but locked out
    EXPECT_FALSE(shadowsEnabled);
    frames(1, 0.2);  // 0.3 s after the first: taken again
    EXPECT_TRUE(shadowsEnabled);
    EXPECT_EQ(app::statusMessage, "Shadows enabled");
    platform::script::setKey(platform::KEY_F7, false);

    // The message line (x = w/5, y = h - h/3, size 25) shows it for two seconds.
    const int x = shell.screenWidth / 5;
    const int y = shell.screenHeight - shell.screenHeight / 3;
    EXPECT_GT(textPixels(x, y, 25 * 15, 25), 200);
    frames(1, 2.5);
    frames(1, 0.1);
    EXPECT_EQ(textPixels(x, y, 25 * 15, 25), 0);
}

TEST_F(PlayerControls, HudPutsTextWhereItsLinesGoAndNowhereElse) {
    const int w = shell.screenWidth;
    const int h = shell.screenHeight;
    frames(1, 0.1);
    const int helpX = w / 20;
    const int helpTop = h - h / 12;
    EXPECT_EQ(textPixels(helpX, helpTop - 7 * 14, 200, 7 * 14 + 14), 0);  // help is off
    EXPECT_EQ(textPixels(50, 40, 150, 40), 0);                           // so are frame times

    app::showHelp = true;
    app::showFrameTime = true;
    frames(1, 0.1);
    // Each of the seven help lines, 14 pixels apart, holds text...
    for (int k = 0; k < 7; ++k) {
        EXPECT_GT(textPixels(helpX, helpTop - 14 * k, 100, 14), 50) << "help line " << k;
    }
    // ...and nothing stands beside them, below them or right of the frame-time lines.
    EXPECT_EQ(textPixels(helpX - 20, helpTop - 7 * 14, 20, 7 * 14 + 14), 0);
    EXPECT_EQ(textPixels(helpX, helpTop - 7 * 14 - 20, 200, 20), 0);
    EXPECT_GT(textPixels(50, 60, 100, 20), 100);  // "10fps, time:100ms"
    EXPECT_GT(textPixels(50, 40, 100, 20), 100);  // "Objects:..."
    EXPECT_EQ(textPixels(50 + 20 * 18, 40, 100, 40), 0);
}

TEST_F(PlayerControls, AfterTheGoalKeysAndButtonsDoNothingButTheCameraStillTurns) {
    shell.renderLogic->winGame();
    frames(1, 0.1);
    ASSERT_TRUE(app::gameWon);
    physics::RigidDynamic* sphere = mainSphere();
    ASSERT_NE(sphere, nullptr);
    const glm::vec3 before = sphere->getLinearVelocity();

    shell.renderLogic->spheresCoupled = true;
    for (int key : {platform::KEY_F1, platform::KEY_F2, platform::KEY_F7, platform::KEY_F9, kKeyW}) {
        platform::script::setKey(key, true);
    }
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, true);
    platform::script::setMousePos(0, 300);  // the left edge turns the camera
    frames(5, 0.3);

    EXPECT_FALSE(app::showHelp);
    EXPECT_FALSE(app::showFrameTime);
    EXPECT_TRUE(shadowsEnabled);
    EXPECT_TRUE(transparencyEnabled);
    EXPECT_TRUE(shell.renderLogic->spheresCoupled);
    EXPECT_FALSE(app::statusMessageVisible);
    const glm::vec3 after = sphere->getLinearVelocity();
    EXPECT_NEAR(after.x, before.x, 1e-4f);  // only gravity acted
    EXPECT_NEAR(after.z, before.z, 1e-4f);
    EXPECT_NEAR(app::cameraYaw, 5 * 0.3 * 50.0, 1e-3);
    // The win message stands on the message line.
    EXPECT_GT(textPixels(shell.screenWidth / 5, shell.screenHeight - shell.screenHeight / 3,
                         30 * 17, 30),
              300);
}
