#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <utility>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tools/autopilot/Autopilot.h"
#include "app/camera/Camera.h"
#include "app/shell/FrameLoop.h"
#include "app/play/PlaySession.h"
#include "tools/autopilot/Route.h"
#include "app/shell/ShellOptions.h"
#include "render/RenderOptions.h"
#include "screen/FullScreenTarget.h"
#include "world/RenderLogic.h"
#include "sim/ReplayFile.h"
#include "tests/gl/ShellFixture.h"
#include "level/LevelSet.h"
#include "sim/SceneObject.h"
#include "sim/World.h"
#include "physics/Physics.h"
#include "sim/PlayerSpheres.h"

using namespace velmora;

namespace {

const char* const kRouteFile = "tools/level/route.txt";
const char* const kBlenderTile = "Objects/examples/blender/Tile1.dae";
const char* const kBlenderRouteFile = "tools/level/blender_route.txt";
constexpr double kFrame = 1.0 / 60.0;
// 30 s of game time without getting anywhere: the autopilot is stuck.
constexpr long kStuckSteps = 30 * 60;

struct PlayedRun {
    bool won = false;
    long frames = 0;
    std::string where;  // the step it ended on
    long steps = 0;     // physics steps the game ran
};

// What build/replay says of its files, and its exit status.
std::pair<std::string, int> replayTool(const std::string& files) {
    std::string output;
    FILE* pipe = popen((std::string(REPLAY_TOOL) + " " + files + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return {"", -1};
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The line without what the check cost, which varies: "" when it has none.
std::string withoutCost(const std::string& line) {
    const std::regex cost(", checked in [0-9]+ ms$");
    return std::regex_search(line, cost) ? std::regex_replace(line, cost, "") : "";
}

// The run as a replay file, checked headless by the tool: it reaches the
// goal at the recorded step. Cut short, or said to be of another level, it
// is refused with a line. Given together, each file gets its own line, the
// worst status is the tool's, and the second of two good files on the level
// built once plays the same.
void checkWithReplayTool(const Replay& run, long steps) {
    char folder[] = "/tmp/replayXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string bytes = encodeReplay(run);
    std::cout << "[ route ] its replay file: " << bytes.size() << " bytes\n";
    const std::string good = std::string(folder) + "/run.vzr";
    const std::string cut = std::string(folder) + "/cut.vzr";
    const std::string other = std::string(folder) + "/other.vzr";
    std::ofstream(good, std::ios::binary) << bytes;
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    Replay elsewhere = run;
    elsewhere.levelIdentity ^= 1;
    std::ofstream(other, std::ios::binary) << encodeReplay(elsewhere);

    const std::string reached =
        "replay: goal reached in " + std::to_string(steps) + " steps (" + velmora::runTimeText(steps) + ")";
    const auto [line, status] = replayTool(good);
    EXPECT_EQ(status, 0) << line;
    EXPECT_EQ(withoutCost(line.substr(0, line.size() - 1)), reached) << line;
    const auto [cutLine, cutStatus] = replayTool(cut);
    EXPECT_EQ(cutStatus, 2);
    EXPECT_NE(cutLine.find("cut short"), std::string::npos) << cutLine;
    const auto [otherLine, otherStatus] = replayTool(other);
    EXPECT_EQ(otherStatus, 2);
    EXPECT_EQ(otherLine, "replay: recorded on another version of the level\n");

    // An empty run of the level is no run to the goal.
    const std::string empty = std::string(folder) + "/empty.vzr";
    Replay nothing;
    nothing.levelIdentity = run.levelIdentity;
    std::ofstream(empty, std::ios::binary) << encodeReplay(nothing);
    const auto [lines, worst] = replayTool(good + " " + empty + " " + good);
    EXPECT_EQ(worst, 1);
    std::istringstream each(lines);
    std::string first, second, third;
    std::getline(each, first);
    std::getline(each, second);
    std::getline(each, third);
    EXPECT_EQ(withoutCost(first), good + ": " + reached) << lines;
    EXPECT_EQ(withoutCost(second), empty + ": replay: no goal in 0 steps") << lines;
    EXPECT_EQ(withoutCost(third), good + ": " + reached) << lines;
    std::filesystem::remove_all(folder);
}

// The shipped level from a fresh start, played through the frame loop's
// update with a clock of 1/60 s per frame (drawing plays no part in the game).
class AutopilotPlay : public test::ShellFixture {
protected:
    AutopilotPlay() { keepShippedLevel = true; }

    static app::Route shippedRoute() { return routeFrom(kRouteFile); }

    static app::Route routeFrom(const char* file) {
        std::string error;
        const std::optional<app::Route> route = app::loadRoute(file, error);
        EXPECT_TRUE(route.has_value()) << error;
        return route.value_or(app::Route{});
    }

    // frame: the clock's step per frame; the physics still advances 1/60 s.
    // everySecond, when given, looks at the game once a second of the clock.
    PlayedRun play(const app::Route& route, double frame = kFrame,
                   const std::function<void()>& everySecond = {}) {
        app::FrameLoop loop(shell);
        app::Autopilot pilot(route, shell);
        const long framesPerSecond = std::max(1L, std::lround(1.0 / frame));
        testing::internal::CaptureStdout();  // the magnet's bursts announce themselves
        while (!pilot.goalReached() && pilot.stepsWithoutProgress() < kStuckSteps) {
            pilot.beforeFrame();
            now += frame;
            loop.updateFrame();
            if (everySecond && pilot.frames() % framesPerSecond == 0) everySecond();
            // For whoever writes a route: where the spheres are, once a second.
            if (std::getenv("AUTOPILOT_TRACE") != nullptr && pilot.frames() % framesPerSecond == 0) {
                std::cerr << pilot.report() << std::endl;
            }
        }
        testing::internal::GetCapturedStdout();
        app::Autopilot::releaseInput();
        return PlayedRun{pilot.goalReached(), pilot.frames(), pilot.where(), loop.stepsStarted()};
    }

    // Whether the main sphere's nearest point is what the camera sees where
    // the sphere's centre lands on the screen: the scene pass drawn as the
    // frame loop draws it, its depth read back there.
    bool mainSphereInView() {
        glBindFramebuffer(GL_FRAMEBUFFER, shell.sceneTarget.framebuffer->name());
        glViewport(0, 0, shell.screenWidth, shell.screenHeight);
        const GLenum both[] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        glDrawBuffers(2, both);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        shell.renderLogic->renderScene(false, shell.camera.matrix, shell.camera.projection, 0.0);
        const glm::vec3 centre =
            (*shell.simulation).spherePosition(MainActorType, shell.renderLogic->drawAlpha);
        const glm::vec4 eye = glm::inverse(shell.camera.matrix) * glm::vec4(centre, 1.0f);
        const glm::vec4 clip = shell.camera.projection * eye;
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        const int x = static_cast<int>((ndc.x * 0.5f + 0.5f) * shell.screenWidth);
        const int y = static_cast<int>((ndc.y * 0.5f + 0.5f) * shell.screenHeight);
        float depth = 1.0f;
        const bool onScreen = clip.w > 0.0f && x >= 0 && y >= 0 && x < shell.screenWidth && y < shell.screenHeight;
        if (onScreen) glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        const float a = shell.camera.projection[2][2], b = shell.camera.projection[3][2];
        const float seen = b / (2.0f * depth - 1.0f + a);  // distance along the view
        return onScreen && std::abs(seen - (-eye.z - 0.5f)) < 0.25f;
    }

    // What is wrong with the camera's view as drawn this frame ("" when
    // nothing): it stands outside both spheres, with no wall between it and
    // the main sphere's centre (nor round it), and the main sphere is on the
    // screen, filling at most a quarter of it.
    std::string cameraFault() {
        const Simulation& simulation = *shell.simulation;
        const float alpha = shell.renderLogic->drawAlpha;
        const glm::vec3 eye(shell.camera.matrix[3]);
        const glm::vec3 main = simulation.spherePosition(MainActorType, alpha);
        // As far as the near plane's corners reach from the eye.
        const float nearReach = 0.14f;
        const float mainRadius = 0.5f;
        const float distance = glm::length(eye - main);
        if (distance < mainRadius + nearReach) return "inside the main sphere";
        if (simulation.sphere(SecondActorType) != nullptr &&
            glm::length(eye - simulation.spherePosition(SecondActorType, alpha)) < 0.5f * spheres::kSecondScale + nearReach) {
            return "inside the second sphere";
        }
        if (simulation.scene()->sweepSphere(main, eye, nearReach) < 1.0f) return "in or behind a wall";
        const glm::vec4 clip = shell.camera.projection * glm::inverse(shell.camera.matrix) * glm::vec4(main, 1.0f);
        if (clip.w <= 0.0f || std::abs(clip.x) > clip.w || std::abs(clip.y) > clip.w) return "the main sphere out of view";
        // The disc the sphere covers, against the 2 x 2 of the whole view.
        const float tangent = std::tan(std::asin(mainRadius / distance));
        const float share = 3.14159265f * tangent * tangent * shell.camera.projection[0][0] *
                            shell.camera.projection[1][1] / 4.0f;
        if (share > 0.25f) return "the main sphere fills " + std::to_string(share) + " of the view";
        return "";
    }

    // Throws the played world away and builds a fresh one.
    void restart() {
        TearDown();
        now = 0.0;
        SetUp();
    }
};

}  // namespace

TEST_F(AutopilotPlay, PlaysTheShippedLevelToTheGoalTheSameWayEveryTime) {
    const app::Route route = shippedRoute();
    const PlayedRun first = play(route);
    ASSERT_TRUE(first.won) << "stuck at " << first.where << " after " << first.frames << " frames";
    std::cout << "[ route ] " << route.length() << " m, goal after " << first.frames << " frames, "
              << first.steps << " steps\n";

    const Replay run = shell.archive.recorder.replay();
    EXPECT_EQ(static_cast<long>(run.inputs.size()), first.steps);
    checkWithReplayTool(run, first.steps);

    // Again, looking once a second: the main sphere is in view every time.
    restart();
    int samples = 0;
    std::string hidden;
    const PlayedRun second = play(route, kFrame, [&] {
        ++samples;
        if (!mainSphereInView()) hidden += " " + std::to_string(samples);
    });
    EXPECT_TRUE(second.won) << "stuck at " << second.where;
    EXPECT_EQ(second.frames, first.frames);
    EXPECT_GT(samples, 30);
    EXPECT_EQ(hidden, "") << "the main sphere was hidden in these seconds";
}

// A load quicker than the option keys' lock-out must not swallow the F7 of
// --no-shadows: the shadows go off, once, and stay off.
TEST_F(AutopilotPlay, WithTheShadowsTurnedOffItHoldsF7UntilTheyAreOff) {
    app::Autopilot pilot(shippedRoute(), shell);
    pilot.turnShadowsOff();
    app::FrameLoop loop(shell);
    for (int frame = 0; frame < 60; ++frame) {
        pilot.beforeFrame();
        now += kFrame;
        loop.updateFrame();
    }
    app::Autopilot::releaseInput();
    EXPECT_FALSE(shell.options.render.shadowsEnabled);
    EXPECT_EQ(shell.options.statusMessage, "Shadows disabled");
}

// The tile made in Blender (tools/blender_tile.py) in place of the level: an
// author's tile, as exported, plays from the start through its door to the goal.
class AutopilotPlayBlenderTile : public AutopilotPlay {
protected:
    AutopilotPlayBlenderTile() {
        keepShippedLevel = false;
        chosenTiles = {kBlenderTile};
    }
};

TEST_F(AutopilotPlayBlenderTile, PlaysTheTileMadeInBlenderToTheGoal) {
    // Its glass is drawn see-through, and nothing else, though the glass
    // material sorts first and most nodes have none.
    ASSERT_EQ(shell.renderLogic->transparentObjects.size(), 1u);
    EXPECT_EQ(shell.renderLogic->transparentObjects[0]->name, "glass_screen");
    const PlayedRun run = play(routeFrom(kBlenderRouteFile));
    EXPECT_TRUE(run.won) << "stuck at " << run.where << " after " << run.frames << " frames";
}

// The frame rates every level is played at: a steady clock of 1/N s a frame.
// AUTOPILOT_RATES="60 10" plays only those (the sanitizer lane, which can't
// afford them all); AUTOPILOT_LEVEL=NAME only that level (for whoever writes
// a route).
std::vector<int> framesPerSecondPlayed() {
    std::vector<int> rates = {60, 10, 15, 24, 30, 144};
    if (const char* chosen = std::getenv("AUTOPILOT_RATES")) {
        rates.clear();
        std::istringstream words(chosen);
        for (int rate = 0; words >> rate;) rates.push_back(rate);
    }
    return rates;
}

// Every level of the set, from a fresh start, to the goal by its route at
// every frame rate: the physics steps 1/60 s whatever the frame's length, so
// game time runs at real time (the steps add up to the clock's time but for
// the first frame, the load), and at ten frames a second one frame's push
// lasts six steps and rolls the sphere over a metre. At 60 frames a second
// the run is under the level's par, which a player should be able to beat.
// At 60 and at 10, once a second, the camera's view (cameraFault). A level
// whose route takes the second sphere along can't be won without it.
TEST_F(AutopilotPlay, PlaysEveryLevelToTheGoalAtEveryFrameRate) {
    std::vector<std::string> problems;
    const LevelSet set = loadLevelSet(kLevelSetFile, problems).value_or(LevelSet{});
    ASSERT_GE(set.levels.size(), 6u);
    const char* only = std::getenv("AUTOPILOT_LEVEL");
    const std::vector<int> rates = framesPerSecondPlayed();
    std::cout << "[ levels ] goal after seconds of game time at";
    for (int rate : rates) std::cout << " " << rate;
    std::cout << " frames a second\n";
    for (const LevelEntry& level : set.levels) {
        if (only != nullptr && level.name != only) continue;
        chosenLevel = level;
        const app::Route route = routeFrom(level.route.c_str());
        std::ostringstream row;
        row << "[ levels ] " << level.name << ":";
        for (int rate : rates) {
            restart();
            const bool lookAtCamera = rate == 60 || rate == 10;
            int samples = 0;
            std::string faults;
            const PlayedRun run = play(route, 1.0 / rate, [&] {
                ++samples;
                const std::string fault = lookAtCamera ? cameraFault() : "";
                if (!fault.empty() && faults.size() < 400) faults += " second " + std::to_string(samples) + ": " + fault + ";";
            });
            EXPECT_TRUE(run.won) << level.name << " at " << rate << " fps: stuck at " << run.where << " after "
                                 << run.frames << " frames";
            EXPECT_EQ(faults, "") << level.name << " at " << rate << " fps: the camera's view";
            const double clockTime = static_cast<double>(run.frames - 1) / rate;
            const double gameTime = run.steps / 60.0;
            EXPECT_NEAR(gameTime, clockTime, clockTime * 0.01) << level.name << " at " << rate << " fps";
            if (rate == 60) {
                EXPECT_LT(run.steps, level.parSteps) << level.name << ": slower than its par";
            }
            row << " " << (run.won ? velmora::runTimeText(run.steps) : "stuck");
        }
        std::cout << row.str() << " (par " << velmora::runTimeText(level.parSteps) << ")\n";

        const app::Route alone = app::withoutSecondSphere(route);
        if (alone.steps.size() == route.steps.size() + 1) continue;  // it never needs the second
        restart();
        const PlayedRun aloneRun = play(alone);
        EXPECT_FALSE(aloneRun.won) << level.name << ": reached the goal without the second sphere";
    }
}
