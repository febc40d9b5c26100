#include <gtest/gtest.h>

#include <algorithm>

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include <unistd.h>

#include "app/camera/Camera.h"
#include "app/shell/FrameLoop.h"
#include "app/hud/HudLines.h"
#include "app/play/PlaySession.h"
#include "app/play/ReplayControls.h"
#include "app/play/RunArchive.h"
#include "app/shell/ShellOptions.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "physics/Physics.h"
#include "platform/Gamepad.h"
#include "platform/Window.h"
#include "render/RenderOptions.h"
#include "screen/DrawnBoxes.h"
#include "tests/gl/FramePicture.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/LoopFixture.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "sim/World.h"

using namespace velmora;

namespace {

constexpr int kKeyW = 87;
constexpr int kKeyP = 80;
constexpr int kKeyR = 82;
constexpr int kKeyV = 86;
constexpr int kKeyM = 77;

class PlayerControls : public test::LoopFixture {
protected:
    void SetUp() override {
        LoopFixture::SetUp();
        test::watchFrames(shell.screenWidth, shell.screenHeight, "HUD");
    }
    void TearDown() override {
        passProbe = nullptr;
        LoopFixture::TearDown();
    }

    // A key held for one frame of the given interval, then let go.
    void tap(int key, double interval = 1.0 / 60.0) {
        platform::script::setKey(key, true);
        frames(1, interval);
        platform::script::setKey(key, false);
    }
    void padFrame(const platform::GamepadState& pad, double interval = 1.0 / 60.0) {
        platform::script::setGamepad(pad);
        updates(1, interval);
        platform::script::clearGamepad();
    }

    physics::RigidDynamic* secondSphere() {
        const World& world = *shell.objectRegistry->mainWorld();
        return world.playerActors.at(SecondActorType)->actor;
    }

    physics::RigidDynamic* mainSphere() {
        const World& world = *shell.objectRegistry->mainWorld();
        const auto main = world.playerActors.find(MainActorType);
        return main == world.playerActors.end() ? nullptr : main->second->actor;
    }

    // Pixels inside the box (x, y, width, height) of the last frame's
    // picture, HUD drawn, that differ from the clear colour: text drawn there.
    int textPixels(int x, int y, int width, int height) {
        return test::framePicture.pixelsNotClear(x, y, width, height);
    }
};

}  // namespace

TEST_F(PlayerControls, HeldWPushesTheMainSphereTheWayTheCameraLooks) {
    physics::RigidDynamic* sphere = mainSphere();
    ASSERT_NE(sphere, nullptr);
    // The camera swung round to the sphere's +x side, looking along -x.
    shell.camera.yaw = 90.0f;
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
    EXPECT_EQ(shell.camera.yaw, 90.0f);  // the cursor mid-screen left the camera alone
}

TEST_F(PlayerControls, OptionKeyTogglesOncePerLockOutAndShowsItsMessage) {
    platform::script::setKey(platform::KEY_F7, true);
    frames(1, 0.3);  // the lock-out has passed: taken
    EXPECT_FALSE(shell.options.render.shadowsEnabled);
    EXPECT_EQ(shell.options.statusMessage, "Shadows disabled");
    frames(1, 0.1);  // still held, but locked out
    EXPECT_FALSE(shell.options.render.shadowsEnabled);
    frames(1, 0.2);  // 0.3 s after the first: taken again
    EXPECT_TRUE(shell.options.render.shadowsEnabled);
    EXPECT_EQ(shell.options.statusMessage, "Shadows enabled");
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
    EXPECT_EQ(textPixels(w / 20, h / 2, w / 3, h / 3), 0);  // help is off
    EXPECT_EQ(textPixels(50, 40, 150, 40), 0);             // so are frame times

    shell.options.showHelp = true;
    shell.options.showFrameTime = true;
    std::vector<DrawnBox> boxes;
    drawnBoxLog = &boxes;
    frames(1, 0.1);
    drawnBoxLog = nullptr;
    // Every line drawn holds text where it says it went...
    const auto panel = std::find_if(boxes.begin(), boxes.end(), [](const DrawnBox& box) { return !box.text; });
    ASSERT_NE(panel, boxes.end());
    for (const DrawnBox& box : boxes) {
        if (!box.text) continue;
        EXPECT_GT(textPixels(box.x, box.y, box.width, box.height), box.width * box.height / 20) << box.label;
    }
    EXPECT_GT(textPixels(50, 60, 100, 20), 100);  // "10fps, time:100ms"
    EXPECT_GT(textPixels(50, 40, 100, 20), 100);  // "Objects:..."
    // ...and nothing stands beside the help's panel, below it or right of the frame-time lines.
    EXPECT_EQ(textPixels(panel->x - 10, panel->y, 10, panel->height), 0);
    EXPECT_EQ(textPixels(panel->x, panel->y - 10, 200, 10), 0);
    EXPECT_EQ(textPixels(50 + 20 * 18, 40, 100, 40), 0);
}

TEST_F(PlayerControls, AfterTheGoalKeysAndButtonsDoNothingButTheCameraStillTurns) {
    (*shell.simulation).winGame();
    frames(1, 0.1);
    ASSERT_TRUE(shell.options.gameWon);
    physics::RigidDynamic* sphere = mainSphere();
    ASSERT_NE(sphere, nullptr);
    const glm::vec3 before = sphere->getLinearVelocity();

    shell.session.coupled = true;
    for (int key : {platform::KEY_F1, platform::KEY_F2, platform::KEY_F7, platform::KEY_F9, kKeyW}) {
        platform::script::setKey(key, true);
    }
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, true);
    platform::script::setMousePos(0, 300);  // the left edge turns the camera
    frames(5, 0.3);

    EXPECT_FALSE(shell.options.showHelp);
    EXPECT_FALSE(shell.options.showFrameTime);
    EXPECT_TRUE(shell.options.render.shadowsEnabled);
    EXPECT_TRUE(shell.options.render.transparencyEnabled);
    EXPECT_TRUE(shell.renderLogic->spheresCoupled());
    EXPECT_FALSE(shell.options.statusMessageVisible);
    const glm::vec3 after = sphere->getLinearVelocity();
    EXPECT_NEAR(after.x, before.x, 1e-4f);  // only gravity acted
    EXPECT_NEAR(after.z, before.z, 1e-4f);
    EXPECT_NEAR(shell.camera.yaw - shell.camera.startYaw, 5 * 0.3 * 50.0, 1e-3);
    // The win message stands on the message line.
    EXPECT_GT(textPixels(shell.screenWidth / 5, shell.screenHeight - shell.screenHeight / 3,
                         30 * 17, 30),
              300);
}

TEST_F(PlayerControls, PauseStartsNoStepStopsTheClockAndHoldsTheCameraButOptionKeysWork) {
    // Zoomed far out, the main sphere is a small disc mid-screen, right of
    // where "Paused" begins.
    platform::script::setMouseWheel(-80);
    frames(3, 1.0 / 60.0);
    EXPECT_EQ(shell.session.runSteps, 2);  // the first frame starts no step
    tap(kKeyP);
    ASSERT_TRUE(shell.session.paused);
    const long steps = loop->stepsStarted();
    const long runSteps = shell.session.runSteps;
    physics::RigidDynamic* sphere = mainSphere();
    const glm::vec3 pose = sphere->getGlobalPose().p;
    const glm::vec3 speed = sphere->getLinearVelocity();
    const float yaw = shell.camera.yaw;

    platform::script::setKey(kKeyW, true);
    platform::script::setMousePos(0, 300);  // the left edge, where the menu has the cursor
    frames(5, 0.1);
    platform::script::setKey(kKeyW, false);
    platform::script::setMousePos(shell.screenWidth / 2, 300);
    tap(platform::KEY_F2);
    EXPECT_EQ(loop->stepsStarted(), steps);
    EXPECT_EQ(shell.session.runSteps, runSteps);
    EXPECT_EQ(sphere->getGlobalPose().p, pose);
    EXPECT_EQ(sphere->getLinearVelocity(), speed);
    EXPECT_TRUE(shell.options.showFrameTime);
    EXPECT_EQ(shell.camera.yaw, yaw);
    // The menu is open, and of the HUD only the frame time F2 showed stands beside it.
    EXPECT_TRUE(shell.menu.open);
    EXPECT_GT(textPixels(50, 60, 100, 20), 100);

    tap(kKeyP);  // resumes, and this frame steps again
    EXPECT_FALSE(shell.session.paused);
    EXPECT_EQ(loop->stepsStarted(), steps + 1);

    // Losing the focus pauses; getting it back does not resume, P does.
    platform::script::setFocused(true);
    frames(1, 1.0 / 60.0);
    platform::script::setFocused(false);
    frames(1, 1.0 / 60.0);
    EXPECT_TRUE(shell.session.paused);
    platform::script::setFocused(true);
    frames(2, 1.0 / 60.0);
    EXPECT_TRUE(shell.session.paused);
    tap(kKeyP);
    EXPECT_FALSE(shell.session.paused);
}

TEST_F(PlayerControls, TimerCountsStepsFromTheFirstActUntilTheGoalAndRKeyStartsANewRun) {
    updates(11, 1.0 / 30.0);  // slow frames run two steps each; the first is the load
    EXPECT_EQ(shell.session.runSteps, 20);
    EXPECT_EQ(shell.session.timedSteps, 0);  // no push yet: the clock waits
    platform::script::setKey(kKeyW, true);
    updates(20, 1.0 / 30.0);
    platform::script::setKey(kKeyW, false);
    EXPECT_EQ(shell.session.runSteps, 60);
    EXPECT_EQ(shell.session.timedSteps, 40);  // and runs on without a key held
    (*shell.simulation).winGame();
    updates(4, 1.0 / 60.0);
    frames(1, 1.0 / 60.0);
    ASSERT_TRUE(shell.options.gameWon);
    EXPECT_EQ(shell.session.timedSteps, 40);
    EXPECT_EQ(shell.session.bestSteps, 40);
    // "Time 0:00.66" stands centred under the win message, on its panel.
    const int x = (shell.screenWidth - 25 * 13) / 2;
    const int timeY = shell.screenHeight - shell.screenHeight / 3 - 30 / 4 - 25;
    EXPECT_GT(textPixels(x, timeY, 25 * 13, 25), 150);

    shell.session.coupled = false;
    tap(kKeyR);
    EXPECT_FALSE(shell.options.gameWon);
    EXPECT_TRUE(shell.renderLogic->gameRunning());
    EXPECT_TRUE(shell.renderLogic->spheresCoupled());
    EXPECT_EQ(shell.session.runSteps, 1);  // the restart frame's step is the run's first
    EXPECT_EQ(shell.session.timedSteps, 0);
    EXPECT_EQ(textPixels(x, timeY, 25 * 13, 25), 0);
    // Put back at the start and stopped there, then one step of falling.
    const glm::vec3 start = spheres::kMainStart;
    EXPECT_NEAR(glm::length(mainSphere()->getGlobalPose().p - start), 0.0f, 0.01f);
    EXPECT_LE(glm::length(mainSphere()->getLinearVelocity()), glm::length(worldGravity) / 60.0f);
    // Uncoupling starts the clock too.
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, true);
    updates(1, 1.0 / 60.0);
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, false);
    updates(88, 1.0 / 60.0);
    (*shell.simulation).winGame();
    updates(1, 1.0 / 60.0);
    EXPECT_EQ(shell.session.runSteps, 90);
    EXPECT_EQ(shell.session.timedSteps, 89);
    EXPECT_EQ(shell.session.bestSteps, 40);  // the slower run is no best
}

TEST_F(PlayerControls, PadPushesWithItsLeftStickTurnsWithItsRightAndItsButtonsAct) {
    physics::RigidDynamic* sphere = mainSphere();
    shell.camera.yaw = 90.0f;  // looking along -x
    platform::GamepadState pad;
    pad.connected = true;
    pad.axes[platform::PAD_AXIS_LEFT_Y] = -0.15f;  // inside the dead zone
    for (int i = 0; i < 10; ++i) padFrame(pad);
    EXPECT_NEAR(sphere->getLinearVelocity().x, 0.0f, 1e-4f);
    pad.axes[platform::PAD_AXIS_LEFT_Y] = -1.0f;  // full ahead
    for (int i = 0; i < 10; ++i) padFrame(pad);
    const glm::vec3 pushed = sphere->getLinearVelocity();
    EXPECT_LT(pushed.x, -0.5f);
    EXPECT_NEAR(pushed.z, 0.0f, 0.05f * std::abs(pushed.x));

    pad = platform::GamepadState{};
    pad.connected = true;
    pad.axes[platform::PAD_AXIS_RIGHT_X] = 1.0f;
    padFrame(pad, 0.1);
    EXPECT_NEAR(shell.camera.yaw, 90.0f - 5.0f, 1e-3f);

    struct Press {
        std::vector<int> buttons;
        bool coupled;
    };
    const Press presses[] = {
        {{platform::PAD_BUTTON_B}, false},
        {{platform::PAD_BUTTON_A}, true},
        {{platform::PAD_BUTTON_LEFT_BUMPER}, false},
        {{platform::PAD_BUTTON_RIGHT_BUMPER}, true},
        {{platform::PAD_BUTTON_A, platform::PAD_BUTTON_B}, false},
    };
    for (const Press& press : presses) {
        pad = platform::GamepadState{};
        pad.connected = true;
        for (int button : press.buttons) pad.buttons[button] = true;
        padFrame(pad);
        EXPECT_EQ(shell.renderLogic->spheresCoupled(), press.coupled) << press.buttons.front();
    }

    pad = platform::GamepadState{};
    pad.connected = true;
    const platform::GamepadState released = pad;
    pad.buttons[platform::PAD_BUTTON_START] = true;
    padFrame(pad);
    EXPECT_TRUE(shell.session.paused);
    padFrame(released);
    padFrame(pad);  // Start again: the menu goes back to the run
    EXPECT_FALSE(shell.session.paused);
    pad = released;
    pad.buttons[platform::PAD_BUTTON_BACK] = true;
    padFrame(pad);
    EXPECT_EQ(shell.session.runSteps, 1);
}

TEST_F(PlayerControls, TwoHundredRestartsWithBurstsKeepTheMemoryWhereTenLeftIt) {
    long afterTen = 0;
    loop->updateFrame();  // the loading frame, which runs no step
    for (int run = 1; run <= 200; ++run) {
        // Close and coupled: the magnet's first pull sets off a burst.
        (*shell.simulation).placeSpheres(glm::vec3(0.0f, 10.0f, 0.0f), glm::vec3(1.8f, 10.0f, 0.0f));
        testing::internal::CaptureStdout();
        now += 1.0 / 60.0;
        loop->updateFrame();
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(shell.renderLogic->particleSystems.size(), 1u) << run;
        platform::script::setKey(kKeyR, true);
        now += 1.0 / 60.0;
        loop->updateFrame();
        platform::script::setKey(kKeyR, false);
        ASSERT_TRUE(shell.renderLogic->particleSystems.empty()) << run;
        now += 1.0 / 60.0;
        loop->updateFrame();
        if (run == 10) afterTen = test::residentBytes();
    }
#if defined(__SANITIZE_ADDRESS__)
    // Freed memory waits in the address sanitizer's quarantine, and every
    // restart frees the whole physics world: the sanitizer's own leak check
    // at the end stands in for the count.
    (void)afterTen;
#else
    EXPECT_LT(test::residentBytes() - afterTen, 1024L * 1024L);
#endif
}

namespace velmora {
namespace {

class PlayerControlsOnTheLevel : public PlayerControls {
protected:
    PlayerControlsOnTheLevel() { keepShippedLevel = true; }
};

// The frame loop's sound: rolling heard, paused silent, M silent and back.
TEST_F(PlayerControlsOnTheLevel, TheSphereRollsAudiblyPausedNothingIsHeardAndMMutesAndUnmutes) {
    // A loopback device mixes what the frame loop plays, when asked.
    shell.sound = audio::SoundSystem::openLoopback("Sounds", 44100, std::cerr);
    ASSERT_NE(shell.sound, nullptr);
    const auto loudest = [&] {
        float peak = 0.0f;
        for (float sample : shell.sound->render(44100 / 10)) peak = std::max(peak, std::abs(sample));
        return peak;
    };
    updates(60, 1.0 / 60.0);  // the spheres settle
    platform::script::setKey(kKeyW, true);
    updates(20, 1.0 / 60.0);
    EXPECT_GT(loudest(), 0.01f) << "rolling";

    tap(kKeyP);
    EXPECT_TRUE(shell.sound->paused());
    updates(3, 1.0 / 60.0);
    shell.sound->render(44100 / 20);  // the pause's own tick, which pausing never holds
    EXPECT_LT(loudest(), 1e-4f) << "paused";
    tap(kKeyP);
    updates(3, 1.0 / 60.0);
    EXPECT_GT(loudest(), 0.01f) << "resumed";

    tap(kKeyM);
    EXPECT_TRUE(shell.sound->muted());
    EXPECT_EQ(shell.options.statusMessage, "Sound off");
    updates(3, 1.0 / 60.0);
    shell.sound->render(44100 / 60);
    EXPECT_LT(loudest(), 1e-4f) << "muted";
    tap(kKeyM);
    EXPECT_FALSE(shell.sound->muted());
    EXPECT_EQ(shell.options.statusMessage, "Sound on");
    EXPECT_GT(loudest(), 0.01f) << "unmuted";
    platform::script::setKey(kKeyW, false);
    shell.sound.reset();
}

// A run played with W and a magnet click, won, then shown again with V: the
// same poses at every step, at the speed chosen with + and -, until R; then
// its ghost, and B before the next run's first push.
TEST_F(PlayerControlsOnTheLevel, AWonRunIsShownAgainStepForStepAndItsGhostFollowsTheNextRun) {
    const Simulation& simulation = (*shell.simulation);
    // The main sphere after each step that ended a frame, by step.
    auto watchFrames = [&](int count, double interval, std::map<long, glm::vec3>& seen) {
        for (int frame = 0; frame < count; ++frame) {
            updates(1, interval);
            seen[simulation.steps()] = simulation.spherePosition(MainActorType);
        }
    };
    updates(1, 1.0 / 60.0);  // the loading frame
    std::map<long, glm::vec3> played;
    platform::script::setKey(kKeyW, true);
    watchFrames(40, 1.0 / 30.0, played);  // two steps a frame
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, true);
    watchFrames(1, 1.0 / 60.0, played);
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, false);
    watchFrames(40, 1.0 / 60.0, played);
    platform::script::setKey(kKeyW, false);
    const long playedSteps = simulation.steps();
    (*shell.simulation).winGame();
    updates(1, 1.0 / 60.0);
    ASSERT_TRUE(shell.options.gameWon);
    const Replay run = shell.archive.recorder.replay();
    ASSERT_TRUE(shell.archive.recorder.finished());
    ASSERT_EQ(static_cast<long>(run.inputs.size()), playedSteps + 1);  // and the winning step
    // The path recorded while the run was played is the one its replay
    // gives, bit for bit: a new best's ghost needs no replaying at the goal.
    const std::vector<glm::vec3> replayed = app::ghostPathOf(run, shippedLevel());
    const std::vector<glm::vec3>& recorded = shell.archive.recorder.mainPath();
    ASSERT_EQ(recorded.size(), replayed.size());
    EXPECT_EQ(std::memcmp(recorded.data(), replayed.data(), recorded.size() * sizeof(glm::vec3)), 0);

    tap(kKeyV);
    ASSERT_TRUE(shell.session.watching);
    EXPECT_FALSE(shell.options.gameWon);
    for (int i = 0; i < 2; ++i) {  // '+' twice: four times real time
        updates(1, 1.0 / 60.0);
        tap(61);
    }
    EXPECT_EQ(app::replaySpeedText(shell.session.replaySpeed), "4x");
    std::map<long, glm::vec3> shown;
    watchFrames(30, 1.0 / 60.0, shown);
    EXPECT_GE(shell.session.runSteps, 4 * 29);
    int compared = 0;
    for (const auto& [step, position] : shown) {
        const auto same = played.find(step);
        if (same == played.end()) continue;
        EXPECT_EQ(position, same->second) << "step " << step;
        ++compared;
    }
    EXPECT_GT(compared, 10);
    // Two clicks of the wheel towards the player: half as fast twice over,
    // and the camera's zoom stays as it was.
    platform::script::setMouseWheel(platform::getMouseWheel() - 2);
    updates(1, 1.0 / 60.0);
    EXPECT_EQ(app::replaySpeedText(shell.session.replaySpeed), "1x");
    EXPECT_EQ(platform::getMouseWheel() - shell.session.wheelSpentOnSpeed, 0);
    tap(kKeyR);
    EXPECT_FALSE(shell.session.watching);
    EXPECT_EQ(shell.session.runSteps, 1);

    // The run as the best: its ghost goes where its main sphere went.
    shell.archive.ghostPath = replayed;
    ASSERT_EQ(shell.archive.ghostPath.size(), run.inputs.size());
    updates(29, 1.0 / 60.0);
    ASSERT_TRUE(shell.renderLogic->ghostPosition.has_value());
    // After 30 steps, drawn at alpha 0: where the run was after its 29th.
    EXPECT_EQ(*shell.renderLogic->ghostPosition, shell.archive.ghostPath[28]);
    EXPECT_EQ(shell.archive.ghostPath[39], played.at(40));
    tap(71);  // G hides it
    EXPECT_FALSE(shell.renderLogic->ghostPosition.has_value());

    // B shows the best run while the new run's clock stands, however long
    // the player has waited before the first push.
    shell.archive.best = run;
    tap(kKeyR);
    updates(90, 1.0 / 60.0);
    tap(66);
    EXPECT_TRUE(shell.session.watching);
}

}  // namespace
}  // namespace velmora
