#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "app/Autopilot.h"
#include "app/FrameLoop.h"
#include "app/Route.h"
#include "tests/gl/ShellFixture.h"
#include "world/SceneObject.h"
#include "world/World.h"

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
    PlayedRun play(const app::Route& route, double frame = kFrame) {
        app::FrameLoop loop(shell);
        app::Autopilot pilot(route, shell);
        testing::internal::CaptureStdout();  // the magnet's bursts announce themselves
        while (!pilot.goalReached() && pilot.stepsWithoutProgress() < kStuckSteps) {
            pilot.beforeFrame();
            now += frame;
            loop.updateFrame();
            // For whoever writes a route: where the spheres are, once a second.
            if (std::getenv("AUTOPILOT_TRACE") != nullptr && pilot.frames() % 60 == 0) {
                std::cerr << pilot.report() << std::endl;
            }
        }
        testing::internal::GetCapturedStdout();
        app::Autopilot::releaseInput();
        return PlayedRun{pilot.goalReached(), pilot.frames(), pilot.where(), loop.stepsStarted()};
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
    std::cout << "[ route ] " << route.length() << " m, goal after " << first.frames << " frames\n";

    restart();
    const PlayedRun second = play(route);
    EXPECT_TRUE(second.won) << "stuck at " << second.where;
    EXPECT_EQ(second.frames, first.frames);
}

TEST_F(AutopilotPlay, WithoutTheSecondSphereTheGoalIsOutOfReach) {
    const PlayedRun run = play(app::withoutSecondSphere(shippedRoute()));
    EXPECT_FALSE(run.won) << "reached the goal after " << run.frames << " frames";
}

// Game time runs at real time at any frame rate: from 14 frames a second to
// 240, the autopilot gets through, and the steps run (1/60 s each) add up to
// the time the clock went on, but for the first frame (the load). At ten a
// second one frame's push lasts six steps and rolls the sphere over a metre:
// the autopilot then stops short of the second sphere, out of the magnet's
// reach, when it comes to pick it up.
TEST_F(AutopilotPlay, PlaysTheShippedLevelToTheGoalAtAnyFrameRateInRealTime) {
    for (double framesPerSecond : {14.0, 20.0, 30.0, 144.0, 240.0}) {
        restart();
        const PlayedRun run = play(shippedRoute(), 1.0 / framesPerSecond);
        EXPECT_TRUE(run.won) << framesPerSecond << " fps: stuck at " << run.where << " after "
                             << run.frames << " frames";
        const double clockTime = (run.frames - 1) / framesPerSecond;
        const double gameTime = run.steps / 60.0;
        EXPECT_NEAR(gameTime, clockTime, clockTime * 0.01) << framesPerSecond << " fps";
        std::cout << "[ route ] " << framesPerSecond << " fps: goal after " << run.steps << " steps ("
                  << gameTime << " s), " << run.frames << " frames\n";
    }
}

// The tile made in Blender (tools/blender_tile.py) in place of the level: an
// author's tile, as exported, plays from the start through its door to the goal.
class AutopilotPlayBlenderTile : public AutopilotPlay {
protected:
    AutopilotPlayBlenderTile() {
        keepShippedLevel = false;
        chosenTile = kBlenderTile;
    }
};

TEST_F(AutopilotPlayBlenderTile, PlaysTheTileMadeInBlenderToTheGoal) {
    // Its glass is drawn see-through, and nothing else, though the glass
    // material sorts first and most nodes have none.
    ASSERT_EQ(world().transparentObjects.size(), 1u);
    EXPECT_EQ(world().transparentObjects[0]->name, "glass_screen");
    const PlayedRun run = play(routeFrom(kBlenderRouteFile));
    EXPECT_TRUE(run.won) << "stuck at " << run.where << " after " << run.frames << " frames";
}
