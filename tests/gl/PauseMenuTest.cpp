// The pause menu over the paused scene: opened by P, driven by the mouse and
// the keys, and its settings screen binding a key.

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/FrameLoop.h"
#include "app/menu/MenuEntries.h"
#include "app/menu/MenuLayout.h"
#include "app/shell/ShellState.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/PassProbe.h"
#include "tests/gl/FramePicture.h"
#include "tests/gl/ShellFixture.h"
#include "sim/ObjectRegistry.h"
#include "sim/World.h"

using namespace velmora;

namespace {

constexpr int kKeyP = 80;
constexpr int kKeyS = 83;
constexpr int kKeyW = 87;

class PauseMenu : public test::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        loop = std::make_unique<app::FrameLoop>(shell);
        test::watchFrames(shell.screenWidth, shell.screenHeight, "menu");
        frame();
    }
    void TearDown() override {
        passProbe = nullptr;
        loop.reset();
        ShellFixture::TearDown();
    }

    void frame() {
        now += 1.0 / 60.0;
        ASSERT_TRUE(loop->runFrame());
    }
    void tap(int key) {
        platform::script::setKey(key, true);
        frame();
        platform::script::setKey(key, false);
        frame();
    }
    // Each key pressed and let go, all between two frames.
    void within(std::initializer_list<int> keys) {
        for (int key : keys) {
            platform::script::setKey(key, true);
            platform::script::setKey(key, false);
        }
        frame();
    }
    // A click in the middle of the row of an entry of the menu as it stands
    // (scrolled to the entry selected now):
    // the cursor comes and the button goes down in one frame.
    void click(int entry) {
        const int count = shell.menu.screen == app::MenuScreen::pause
                              ? static_cast<int>(app::pauseChoices().size())
                              : app::settingsEntryCount();
        const app::MenuLayout layout = app::layoutMenu(shell.menu.screen, count, shell.menu.selected,
                                                       shell.screenWidth, shell.screenHeight);
        for (const app::MenuRow& row : layout.rows) {
            if (row.entry != entry) continue;
            platform::script::setMousePos(row.x + row.width / 2,
                                          shell.screenHeight - 1 - (row.y + row.height / 2));
        }
        platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, true);
        frame();
        platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, false);
        frame();
    }
    // Near-white pixels (the menu's text) in the box of a pause menu entry.
    int textPixelsOfEntry(int entry) {
        const app::MenuLayout layout = app::layoutMenu(
            app::MenuScreen::pause, static_cast<int>(app::pauseChoices().size()), 0,
            shell.screenWidth, shell.screenHeight);
        const app::MenuRow& row = layout.rows[static_cast<size_t>(entry)];
        int count = 0;
        for (int y = row.y; y < row.y + row.height; ++y) {
            for (int x = row.x; x < row.x + row.width; ++x) {
                const unsigned char* p = test::framePicture.at(x, y);
                if (p[0] > 200 && p[1] > 200 && p[2] > 200) ++count;
            }
        }
        return count;
    }
    glm::vec3 mainSphereSpeed() {
        const World& world = *shell.objectRegistry->mainWorld();
        return world.playerActors.at(MainActorType)->actor->getLinearVelocity();
    }

    std::unique_ptr<app::FrameLoop> loop;
};

}  // namespace

TEST_F(PauseMenu, POpensItsSettingsBindTheForwardPushToAFreeKeyOnly) {
    EXPECT_EQ(textPixelsOfEntry(0), 0);
    tap(kKeyP);
    ASSERT_TRUE(shell.session.paused);
    ASSERT_TRUE(shell.menu.open);
    EXPECT_GT(textPixelsOfEntry(0), 40);  // "Resume"
    EXPECT_GT(textPixelsOfEntry(4), 40);  // "Quit"

    click(2);  // Settings
    ASSERT_EQ(shell.menu.screen, app::MenuScreen::settings);
    const int forward = app::settingsEntryCount() - app::kKeyActionCount - 1;
    ASSERT_EQ(app::keyEntryAction(forward), app::KeyAction::forward);
    click(forward);
    ASSERT_TRUE(shell.menu.waitingForKey);
    tap(kKeyS);
    EXPECT_EQ(shell.menu.message, "S already does: push back");
    EXPECT_EQ(shell.settings.keys.of(app::KeyAction::forward), kKeyW);
    click(forward);
    tap(kKeyP);  // bound, not back and not a resume
    EXPECT_EQ(shell.menu.message, "P already does: pause");
    EXPECT_TRUE(shell.session.paused);
    click(forward);
    tap(platform::KEY_UP);
    EXPECT_EQ(shell.menu.message, "Up now does: push forward");
    EXPECT_EQ(shell.settings.keys.of(app::KeyAction::forward), platform::KEY_UP);

    tap(platform::KEY_BACKSPACE);  // back to the pause menu, then P resumes
    EXPECT_EQ(shell.menu.screen, app::MenuScreen::pause);
    tap(kKeyP);
    ASSERT_FALSE(shell.session.paused);
    // W pushes no more; Up does.
    platform::script::setKey(kKeyW, true);
    for (int i = 0; i < 5; ++i) frame();
    platform::script::setKey(kKeyW, false);
    const glm::vec3 afterW = mainSphereSpeed();
    EXPECT_LT(glm::length(glm::vec2(afterW.x, afterW.z)), 0.01f);
    platform::script::setKey(platform::KEY_UP, true);
    for (int i = 0; i < 10; ++i) frame();
    platform::script::setKey(platform::KEY_UP, false);
    EXPECT_LT(mainSphereSpeed().z, -0.5f);  // the camera looks along -z
}

TEST_F(PauseMenu, TakesEveryPressInOrderAndEscapeBacksOutOneLevelAtATime) {
    const float yaw = shell.camera.yaw;
    // P and three Downs between two frames: the menu opens on P and the
    // highlight moves three rows, onto Levels.
    within({kKeyP, platform::KEY_DOWN, platform::KEY_DOWN, platform::KEY_DOWN});
    ASSERT_TRUE(shell.menu.open);
    EXPECT_EQ(shell.menu.selected, 3);
    // Held arrows are the menu's: the camera behind it holds still.
    platform::script::setKey(platform::KEY_LEFT, true);
    for (int i = 0; i < 10; ++i) frame();
    platform::script::setKey(platform::KEY_LEFT, false);
    frame();
    EXPECT_EQ(shell.camera.yaw, yaw);

    // Up to Settings and into it, down to the forward key and its prompt,
    // all in one frame.
    const int forward = app::settingsEntryCount() - app::kKeyActionCount - 1;
    within({platform::KEY_UP, platform::KEY_ENTER});
    ASSERT_EQ(shell.menu.screen, app::MenuScreen::settings);
    shell.menu.selected = forward;
    tap(platform::KEY_ENTER);
    ASSERT_TRUE(shell.menu.waitingForKey);
    tap(81);  // Q: refused, and the game goes on
    EXPECT_EQ(shell.menu.message, "Q is fixed: quit");
    tap(platform::KEY_ENTER);
    ASSERT_TRUE(shell.menu.waitingForKey);
    tap(platform::KEY_ESC);  // the prompt closes, Settings stays
    EXPECT_FALSE(shell.menu.waitingForKey);
    EXPECT_EQ(shell.menu.screen, app::MenuScreen::settings);
    EXPECT_EQ(shell.settings.keys.of(app::KeyAction::forward), kKeyW);
    tap(platform::KEY_ESC);
    EXPECT_EQ(shell.menu.screen, app::MenuScreen::pause);
    EXPECT_TRUE(shell.session.paused);
    tap(platform::KEY_ESC);
    EXPECT_FALSE(shell.session.paused);
    EXPECT_FALSE(shell.menu.open);
}

TEST_F(PauseMenu, TheKeyPressedToBindDoesNothingElse) {
    // The ghost moved to K: K's press binds and does not hide the ghost; the
    // next press of K does.
    tap(kKeyP);
    shell.menu.screen = app::MenuScreen::settings;
    for (int entry = 0; entry < app::settingsEntryCount(); ++entry) {
        if (app::keyEntryAction(entry) == app::KeyAction::ghost) shell.menu.selected = entry;
    }
    tap(platform::KEY_ENTER);
    ASSERT_TRUE(shell.menu.waitingForKey);
    const bool ghost = shell.session.showGhost;
    // Held across the closing of the menu, K still does nothing.
    platform::script::setKey('K', true);
    frame();
    EXPECT_EQ(shell.menu.message, "K now does: show or hide the ghost");
    within({platform::KEY_ESC, platform::KEY_ESC});
    EXPECT_FALSE(shell.session.paused);
    frame();
    platform::script::setKey('K', false);
    frame();
    EXPECT_EQ(shell.session.showGhost, ghost);
    tap('K');
    EXPECT_NE(shell.session.showGhost, ghost);
}
