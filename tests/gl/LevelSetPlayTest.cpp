#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>

#include "app/camera/Camera.h"
#include "app/shell/FrameLoop.h"
#include "app/play/LevelIntro.h"
#include "app/play/LevelProgress.h"
#include "app/play/LevelSwitching.h"
#include "app/menu/PauseMenu.h"
#include "app/play/PlaySession.h"
#include "app/shell/ShellOptions.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "tests/gl/LoopFixture.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

namespace {

constexpr int kKeyN = 78;
const char* const kSmallTile = "Objects/examples/blender/Tile1.dae";

// A set of two levels: the small tile made in a modelling tool, then the
// grand tour, each with what a level of the set has.
LevelSet twoLevels() {
    LevelEntry small = levelOfTiles({{kSmallTile, levelTileOffset(kSmallTile)}});
    small.name = "small";
    small.title = "Small";
    small.parSteps = 60 * 60;
    LevelSet set{{small, shippedLevel()}};
    return set;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Live GL objects of each kind: names in use, found by asking for each.
struct GlObjectCounts {
    int buffers = 0, vertexArrays = 0, textures = 0, programs = 0;
    // No kind has grown. (Objects another test left to the context may go
    // meanwhile; a level that leaks makes its kinds grow with each switch.)
    bool noneAbove(const GlObjectCounts& o) const {
        return buffers <= o.buffers && vertexArrays <= o.vertexArrays && textures <= o.textures &&
               programs <= o.programs;
    }
};

GlObjectCounts countGlObjects() {
    GlObjectCounts counts;
    for (GLuint name = 1; name < 20000; ++name) {
        counts.buffers += glIsBuffer(name) ? 1 : 0;
        counts.vertexArrays += glIsVertexArray(name) ? 1 : 0;
        counts.textures += glIsTexture(name) ? 1 : 0;
        counts.programs += glIsProgram(name) ? 1 : 0;
    }
    return counts;
}

std::ostream& operator<<(std::ostream& out, const GlObjectCounts& c) {
    return out << c.buffers << " buffers, " << c.vertexArrays << " vertex arrays, " << c.textures
               << " textures, " << c.programs << " programs";
}

class LevelSetPlay : public test::LoopFixture {
protected:
    LevelSetPlay() { chosenTiles = {kSmallTile}; }

    void SetUp() override {
        // Best times go to a folder of this test's own.
        if (const char* old = std::getenv("XDG_DATA_HOME")) oldDataHome_ = old;
        char folder[] = "/tmp/levelsXXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        dataHome_ = folder;
        setenv("XDG_DATA_HOME", folder, 1);
        LoopFixture::SetUp();
        shell.levels = twoLevels();
        shell.levelIndex = 0;
        frame();  // the loading frame
    }

    void TearDown() override {
        LoopFixture::TearDown();
        if (oldDataHome_.empty()) unsetenv("XDG_DATA_HOME");
        else setenv("XDG_DATA_HOME", oldDataHome_.c_str(), 1);
        std::filesystem::remove_all(dataHome_);
    }

    void frame() {
        now += 1.0 / 60.0;
        testing::internal::CaptureStdout();  // a world's creation line
        loop->updateFrame();
        testing::internal::GetCapturedStdout();
    }

    std::string dataHome_;
    std::string oldDataHome_;
};

}  // namespace

TEST_F(LevelSetPlay, FinishingALevelOpensTheNextKeepsItsTimeAndNGoesThere) {
    shell.archive.keepsPlayerFiles = true;
    std::vector<app::LevelStanding> standings = app::levelStandings(shell.levels);
    EXPECT_TRUE(standings[0].open && !standings[1].open);
    EXPECT_EQ(app::firstUnfinishedLevel(standings), 0);

    platform::script::setKey('W', true);  // the run's clock starts with a push
    for (int i = 0; i < 30; ++i) frame();
    platform::script::setKey('W', false);
    (*shell.simulation).winGame();
    frame();
    ASSERT_TRUE(shell.options.gameWon);
    const long best = shell.archive.bestSteps;  // as kept in the data folder
    ASSERT_GT(best, 0);
    // The new best's ghost goes where its main sphere went, to the goal.
    ASSERT_TRUE(shell.archive.best.has_value());
    ASSERT_EQ(shell.archive.ghostPath.size(), shell.archive.best->inputs.size());
    EXPECT_EQ(shell.archive.ghostPath.back(),
              shell.renderLogic->simulation().spherePosition(MainActorType));

    // What a new start of the program reads from the data folder, once the
    // run's files are written.
    app::finishSaving(shell.archive);
    standings = app::levelStandings(shell.levels);
    EXPECT_TRUE(standings[0].finished);
    EXPECT_EQ(standings[0].bestSteps, best);
    EXPECT_TRUE(standings[1].open && !standings[1].finished);
    EXPECT_EQ(app::firstUnfinishedLevel(standings), 1);

    // The player's options go on into the next level; the won state does not.
    // So do the player's tilt and zoom, and the camera starts facing the way
    // the level's data gives.
    shell.options.showHelp = true;
    shell.camera.pitch = -12.0f;
    platform::script::setMouseWheel(platform::getMouseWheel() + 5);
    const auto zoomClicks = [&] {
        return platform::getMouseWheel() - shell.session.wheelSpentOnSpeed - shell.camera.zoomWheelOrigin;
    };
    const int zoom = zoomClicks();
    platform::script::setKey(kKeyN, true);
    frame();
    EXPECT_EQ(shell.camera.pitch, -12.0f);
    EXPECT_EQ(zoomClicks(), zoom);
    EXPECT_EQ(shell.camera.yaw, startYawDegrees(shippedLevel()));
    EXPECT_EQ(shell.levelIndex, 1);
    EXPECT_FALSE(shell.options.gameWon);
    EXPECT_TRUE(shell.options.showHelp);
    EXPECT_EQ(shell.session.runSteps, 0);
    EXPECT_EQ(shell.archive.levelIdentity, levelIdentityOf(shippedLevel()));
    EXPECT_NE(scene::SceneObject::findByName("mill", world().root), nullptr);
    // Held on into the new level, N does nothing more.
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(shell.levelIndex, 1);
    EXPECT_GT(shell.session.runSteps, 0);
    platform::script::setKey(kKeyN, false);

    // The pause menu's Levels screen lists both, the finished one with its
    // best; choosing it plays it from its start.
    const auto tap = [&](int key) {
        platform::script::setKey(key, true);
        frame();
        platform::script::setKey(key, false);
        frame();
    };
    tap(80);  // P
    for (int i = 0; i < 3; ++i) tap(platform::KEY_DOWN);
    tap(platform::KEY_ENTER);
    EXPECT_EQ(app::menuLines(shell),
              (std::vector<std::string>{"1 Small  par 1:00  best " + velmora::runTimeText(best),
                                        "2 The grand tour  par 2:45", "Back"}));
    tap(platform::KEY_UP);
    tap(platform::KEY_ENTER);
    EXPECT_EQ(shell.levelIndex, 0);
    EXPECT_FALSE(shell.session.paused);
    EXPECT_EQ(shell.archive.levelIdentity, levelIdentityOf(shell.levels.levels[0]));
}

// Everything of a level goes with it: the GL objects of each kind and the
// resident memory stay flat over fifty switches between two levels.
TEST_F(LevelSetPlay, FiftySwitchesKeepGlObjectsAndMemoryFlat) {
    GlObjectCounts afterFour;
    long residentAfterFour = 0;
    std::vector<double> seconds;
    for (int switchNumber = 1; switchNumber <= 50; ++switchNumber) {
        const double start = wallSeconds();
        testing::internal::CaptureStdout();
        ASSERT_TRUE(app::playLevel(shell, switchNumber % 2));
        testing::internal::GetCapturedStdout();
        seconds.push_back(wallSeconds() - start);
        frame();
        if (switchNumber == 4) {
            afterFour = countGlObjects();
            residentAfterFour = test::residentBytes();
        }
    }
    const GlObjectCounts afterFifty = countGlObjects();
    EXPECT_TRUE(afterFifty.noneAbove(afterFour)) << afterFifty << " after fifty, " << afterFour
                                                 << " after four";
    std::nth_element(seconds.begin(), seconds.begin() + 25, seconds.end());
    std::cout << "[ levels ] " << afterFour << "; a switch takes " << seconds[25] * 1000.0
              << " ms (median)\n";
#if defined(__SANITIZE_ADDRESS__)
    // Freed memory waits in the sanitizer's quarantine; its leak check at the
    // end stands in for the count.
    (void)residentAfterFour;
#else
    EXPECT_LT(test::residentBytes() - residentAfterFour, 4L * 1024L * 1024L);
#endif
}

// N after the goal opens the next level's card over its goal; no step runs
// and the run's clock stands while it shows, a fresh key skips it, and the
// first frame after it is the follow camera's own, looking at the start.
TEST_F(LevelSetPlay, NShowsTheNextLevelsCardThenTheCameraStandsWhereTheStartPutsIt) {
    shell.showLevelIntros = true;
    (*shell.simulation).winGame();
    frame();
    platform::script::setKey(kKeyN, true);
    frame();
    ASSERT_EQ(shell.levelIndex, 1);
    ASSERT_TRUE(shell.intro.active);
    EXPECT_EQ(shell.intro.card, (std::vector<std::string>{"Level 2: The grand tour", "Par 2:45"}));
    ASSERT_TRUE(shell.intro.goal.has_value());
    for (int i = 0; i < 60; ++i) frame();  // N held on: still the card
    EXPECT_TRUE(shell.intro.showsCard());
    EXPECT_EQ(shell.session.runSteps, 0);
    EXPECT_EQ(shell.session.timedSteps, 0);
    // The card's view: the goal straight ahead, far from the start.
    const glm::mat4 view = glm::inverse(shell.camera.matrix);
    const glm::vec4 goal = shell.camera.projection * view * glm::vec4(*shell.intro.goal, 1.0f);
    EXPECT_LT(glm::length(glm::vec2(goal) / goal.w), 0.05f);
    platform::script::setKey(kKeyN, false);

    platform::script::setKey('W', true);  // skips: a push, not yet a step
    frame();
    EXPECT_FALSE(shell.intro.active);
    EXPECT_EQ(shell.session.timedSteps, 0);
    // The first frame after the card is the follow camera's: behind the main
    // sphere's start, which it sees in the middle third of the view.
    const glm::vec3 start = shell.levels.levels[1].places.mainStart;
    const glm::vec4 seen = shell.camera.projection * glm::inverse(shell.camera.matrix) * glm::vec4(start, 1.0f);
    ASSERT_GT(seen.w, 0.0f);
    EXPECT_LT(std::abs(seen.x / seen.w), 0.34f);
    EXPECT_LT(std::abs(seen.y / seen.w), 0.67f);
    EXPECT_LT(glm::distance(glm::vec3(shell.camera.matrix[3]), start), 31.0f);
    for (int i = 0; i < 5; ++i) frame();
    platform::script::setKey('W', false);
    EXPECT_GT(shell.session.timedSteps, 0);  // the clock starts with the push
}

namespace {

// The world box round a node's first shape, and every node of the name.
physics::Bounds nodeBounds(const scene::SceneObject& node) {
    physics::Shape* shape = nullptr;
    if (node.actor == nullptr || node.actor->getShapes(&shape, 1) != 1) return {};
    return shape->getWorldBounds();
}

void nodesNamed(const std::string& name, const scene::SceneObject& node, std::vector<const scene::SceneObject*>& found) {
    if (node.name == name && node.actor != nullptr) found.push_back(&node);
    for (const scene::SceneObject* child : node.children) nodesNamed(name, *child, found);
}

}  // namespace

// Every level's first frame after its card and flight, the intro run through
// the frame loop untouched: the follow camera behind the main sphere's start
// looks the way the level's "face" line gives, tilted down as a game starts,
// the sphere in the middle of the view and not filling it, and what the
// level puts ahead of its start in sight: some part of it on the screen with
// nothing solid between it and the camera.
TEST_F(LevelSetPlay, EveryLevelsFirstFrameAfterItsCardAndFlightLooksTheWayItsDataSays) {
    const struct {
        const char* level;
        std::vector<const char*> inSight;  // node names; any one node of each name will do
    } rows[] = {
        {"first-roll", {"gate switch trigger", "DoorA"}},  // the switch and the door it opens
        {"tow", {"block west", "block east"}},             // the corridor north between them
        {"park", {"start wall west", "start wall east"}},  // the way north between them
        {"hazards", {"stacheln trigger"}},                 // the first rows of spikes
        {"grand-tour", {"DoorA"}},                         // the gate north
        {"summit", {"ramp terrace"}},
    };
    shell.levels = app::shippedLevelSet();
    shell.showLevelIntros = true;
    ASSERT_EQ(shell.levels.levels.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const LevelEntry& level = shell.levels.levels[i];
        SCOPED_TRACE(level.name);
        ASSERT_EQ(level.name, rows[i].level);
        ASSERT_TRUE(level.faceTowards.has_value());
        testing::internal::CaptureStdout();
        ASSERT_TRUE(app::playLevel(shell, static_cast<int>(i)));
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(shell.intro.active);
        int frames = 0;
        for (; shell.intro.active && frames < 100; ++frames) {
            now += app::kLongestIntroFrame;
            loop->updateFrame();
        }
        ASSERT_FALSE(shell.intro.active);
        EXPECT_GE(frames * app::kLongestIntroFrame, app::kCardSeconds + app::kFlightSeconds - 1e-6);

        const Simulation& simulation = *shell.simulation;
        const glm::vec3 eye(shell.camera.matrix[3]);
        const glm::vec3 ahead = -glm::vec3(shell.camera.matrix[2]);
        const glm::vec3 start = level.places.mainStart;
        const glm::vec2 face = *level.faceTowards - glm::vec2(start.x, start.z);
        const float headingOff = glm::degrees(std::acos(glm::clamp(
            glm::dot(glm::normalize(glm::vec2(ahead.x, ahead.z)), glm::normalize(face)), -1.0f, 1.0f)));
        EXPECT_LT(headingOff, 2.0f) << "degrees off the face line";
        EXPECT_NEAR(glm::degrees(std::asin(ahead.y)), app::kStartPitch, 2.0f) << "the tilt";

        const glm::mat4 toScreen = shell.camera.projection * glm::inverse(shell.camera.matrix);
        const glm::vec3 main = simulation.spherePosition(MainActorType);
        const glm::vec4 mainSeen = toScreen * glm::vec4(main, 1.0f);
        ASSERT_GT(mainSeen.w, 0.0f);
        EXPECT_LT(std::abs(mainSeen.x / mainSeen.w), 0.34f);
        EXPECT_LT(std::abs(mainSeen.y / mainSeen.w), 0.67f);
        // Its height on the screen, as a share of the view's.
        const float mainHeight = 0.5f * shell.camera.projection[1][1] / glm::distance(eye, main);
        EXPECT_LT(mainHeight, 0.25f);
        EXPECT_GT(mainHeight, 0.05f) << "the sphere lost in the distance";

        // A point of the box on the screen whose straight look from the eye
        // is stopped by nothing but the box itself.
        const auto partInSight = [&](const physics::Bounds& box) {
            for (int corner = 0; corner < 125; ++corner) {
                const glm::vec3 share(corner % 5 / 4.0f, corner / 5 % 5 / 4.0f, corner / 25 / 4.0f);
                const glm::vec3 point = glm::mix(box.minimum + 0.05f, box.maximum - 0.05f, share);
                const glm::vec4 seen = toScreen * glm::vec4(point, 1.0f);
                if (seen.w <= 0.0f || std::abs(seen.x / seen.w) > 0.95f || std::abs(seen.y / seen.w) > 0.95f) continue;
                const glm::vec3 stop = glm::mix(eye, point, simulation.scene()->sweepSphere(eye, point, 0.05f));
                if (glm::all(glm::greaterThan(stop, box.minimum - 0.1f)) &&
                    glm::all(glm::lessThan(stop, box.maximum + 0.1f))) {
                    return true;
                }
            }
            return false;
        };
        for (const char* name : rows[i].inSight) {
            std::vector<const scene::SceneObject*> nodes;
            nodesNamed(name, *world().root, nodes);
            ASSERT_FALSE(nodes.empty()) << name;
            EXPECT_TRUE(std::any_of(nodes.begin(), nodes.end(),
                                    [&](const scene::SceneObject* node) { return partInSight(nodeBounds(*node)); }))
                << name << " out of sight";
        }
    }
}
