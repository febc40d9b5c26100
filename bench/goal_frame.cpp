// The frame in which a run reaches the goal, against the frames around it:
// whatever the game does at the moment of winning (the run's time, the
// replay files, a new best and the ghost's path of it) must fit in a frame
// like any other, or the player sees the picture stick as the goal is hit.
//
//   build/bench_goal_frame [--runs N] [--seconds S]
//
// Each run, on the shipped level with W held: a restart, S seconds of play
// (default 30) updated eight steps a frame so a long run takes little time,
// a few whole frames to settle, then eight whole frames of one step each, the
// goal reached in the next (as its trigger does it), and eight more after
// it. Every run is kept as the level's new best, as a record is, and a best
// run is present throughout after the first (untimed) run, so its ghost is
// drawn. The player's files go to a temporary data folder, removed at the
// end. Times are the wall clock of whole frames (update and draw); the
// scripted game clock makes every run the same.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/shell/FrameLoop.h"
#include "app/play/PlaySession.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "bench/BenchSupport.h"
#include "platform/Window.h"
#include "world/RenderLogic.h"
#include "sim/Simulation.h"

using namespace velmora;

namespace {

constexpr int kKeyW = 87;
constexpr int kNeighbours = 8;    // timed frames on each side of the goal's
constexpr int kSettleFrames = 4;  // whole frames before them, not timed
constexpr double kStep = 1.0 / 60.0;

using Clock = std::chrono::steady_clock;

double now = 0.0;  // the scripted game clock, seconds

struct Options {
    int runs = 10;
    int seconds = 30;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            options.runs = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--seconds") == 0 && hasValue) {
            options.seconds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--seconds S]\n", argv[0]);
            return false;
        }
    }
    return options.runs > 0 && options.seconds > 0;
}

// A whole frame of one step, timed on the wall clock, in milliseconds.
double timedFrame(app::FrameLoop& loop) {
    now += kStep;
    const Clock::time_point start = Clock::now();
    loop.runFrame();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct RunTimes {
    std::vector<double> before;
    double goal = 0.0;
    std::vector<double> after;
};

RunTimes playOneRun(app::ShellState& shell, app::FrameLoop& loop, int seconds) {
    app::restartRun(shell);
    // Forgotten, so this run is kept as the new best however long it took.
    shell.archive.bestSteps = -1;
    const int fastFrames = seconds * 60 / app::FrameClock::kMostStepsPerFrame;
    for (int i = 0; i < fastFrames; ++i) {
        now += kStep * app::FrameClock::kMostStepsPerFrame;
        loop.updateFrame();
    }
    for (int i = 0; i < kSettleFrames; ++i) timedFrame(loop);
    RunTimes times;
    for (int i = 0; i < kNeighbours; ++i) times.before.push_back(timedFrame(loop));
    shell.simulation->winGame();
    times.goal = timedFrame(loop);
    for (int i = 0; i < kNeighbours; ++i) times.after.push_back(timedFrame(loop));
    return times;
}

double medianOf(const std::vector<double>& samples) { return bench::spreadOf(samples).median; }

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) return 2;
    // The runs kept as the best go to a data folder of the benchmark's own.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench_goal_frame_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

    app::ShellState shell;
    shell.archive.keepsPlayerFiles = true;
    if (!bench::openBenchContext(shell.screenWidth, shell.screenHeight)) return 1;
    platform::script::setClock([] { return now; });
    app::initialize(shell);
    app::createRenderTargets(shell);
    app::FrameLoop loop(shell);
    now += kStep;
    loop.runFrame();  // the loading frame
    platform::script::setKey(kKeyW, true);

    playOneRun(shell, loop, options.seconds);  // leaves a best run for the ghost
    if (!shell.archive.best || shell.archive.ghostPath.empty()) {
        std::fprintf(stderr, "the first run was not kept as the best\n");
        return 1;
    }
    std::vector<double> goals;
    std::vector<double> neighbours;
    std::vector<double> excess;  // the goal frame less the median of its neighbours
    for (int run = 0; run < options.runs; ++run) {
        const RunTimes times = playOneRun(shell, loop, options.seconds);
        std::vector<double> around = times.before;
        around.insert(around.end(), times.after.begin(), times.after.end());
        goals.push_back(times.goal);
        neighbours.insert(neighbours.end(), around.begin(), around.end());
        excess.push_back(times.goal - medianOf(around));
    }
    platform::script::reset();

    const std::string run = std::to_string(options.seconds) + " s runs kept as the best, at " +
                            std::to_string(shell.screenWidth) + " x " +
                            std::to_string(shell.screenHeight);
    bench::printSpread("goal frame of " + run, goals, "ms");
    bench::printSpread("  the " + std::to_string(2 * kNeighbours) + " frames around it", neighbours,
                       "ms");
    bench::printSpread("  the goal frame less the median of its neighbours", excess, "ms");
    app::shutdown(shell);
    platform::terminate();
    std::filesystem::remove_all(folder);
    return 0;
}
