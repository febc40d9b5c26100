// Plays a level of the set with the autopilot: the game opens full screen as
// it always does, and the level's route (or the file given) is played with
// the real clock, through the keys, buttons, cursor and wheel.
// A demo for people and a smoke test for the level: it exits 0 once the goal
// is reached, 1 when the autopilot gets nowhere for 30 s of game time, 2 when
// the route can't be read, 3 when the game is quit first.
//
// Run it from the repository root, like the game:
//     build/autoplay [--level NAME] [--no-shadows] [--save-replay FILE] [--keep-run]
//                    [route-file]
//     build/autoplay --list
// Without --level it plays the grand tour; --list prints the set's level
// names in play order, one a line. At the end it prints the frames' count,
// the median and 10th-percentile frame rate and the seconds drawn at each
// render scale.
// --no-shadows presses F7 at the start, as a player on a slow machine would
// for a smoother game; --save-replay writes the run as a replay file. It
// leaves the player's own replays and best times alone unless --keep-run
// asks it to keep its run as the game keeps a player's (a best run to try
// the ghost and the best-run keys against); then, with a leaderboard set in
// settings.ini, its run is queued and sent there as a player's would be
// (what it has not sent when it ends, the game sends at its next start).

#include <iostream>
#include <optional>
#include <string>

#include "tools/autopilot/Autopilot.h"
#include "tools/autopilot/FrameRateSummary.h"
#include "app/shell/FrameLoop.h"
#include "app/shell/Game.h"
#include "app/shell/RenderScaleControl.h"
#include "app/play/LevelProgress.h"
#include "app/play/PlaySession.h"
#include "tools/autopilot/Route.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"

using namespace velmora;

namespace {

constexpr long kStuckSteps = 30 * 60;      // 30 s of game time
constexpr long kReportFrames = 5 * 60;
constexpr double kShowWinSeconds = 2.0;  // the win text stays up this long

}  // namespace

int main(int argc, char** argv) {
    std::string routeFile;
    std::string levelName = shippedLevel().name;
    bool noShadows = false;
    bool list = false;
    std::string saveReplayTo;
    bool keepRun = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--no-shadows") {
            noShadows = true;
        } else if (argument == "--list") {
            list = true;
        } else if (argument == "--level" && i + 1 < argc) {
            levelName = argv[++i];
        } else if (argument == "--keep-run") {
            keepRun = true;
        } else if (argument == "--save-replay" && i + 1 < argc) {
            saveReplayTo = argv[++i];
        } else {
            routeFile = argument;
        }
    }
    app::ShellState shell;
    shell.levels = app::shippedLevelSet();
    if (list) {
        for (const LevelEntry& level : shell.levels.levels) std::cout << level.name << '\n';
        return 0;
    }
    shell.levelIndex = app::chosenLevel(shell.levels, levelName);
    if (shell.levelIndex < 0) return 2;
    if (routeFile.empty()) routeFile = shell.levels.levels[static_cast<size_t>(shell.levelIndex)].route;
    std::string error;
    std::optional<app::Route> route = app::loadRoute(routeFile, error);
    if (!route) {
        std::cerr << "autoplay: " << error << std::endl;
        return 2;
    }
    std::cout << "autoplay: " << route->steps.size() << " steps, " << route->length() << " m"
              << std::endl;

    shell.archive.saveRunTo = saveReplayTo;
    shell.archive.keepsPlayerFiles = keepRun;
    if (keepRun) {
        // Only the leaderboard's settings: the rest stay the autopilot's own,
        // and the file is never written.
        const app::Settings kept = app::SettingsFile(app::SettingsFile::defaultPath()).load();
        shell.settings.leaderboard = kept.leaderboard;
        shell.settings.playerName = kept.playerName;
    }
    if (!app::openGame(shell)) {
        return 1;
    }
    app::FrameLoop loop(shell);
    app::Autopilot pilot(*route, shell);
    if (noShadows) pilot.turnShadowsOff();
    int status = 0;
    const double start = platform::getTime();
    app::FrameRateSummary summary;
    int drawnAt = -1;  // the render scale of the frame before, none before the first
    while (true) {
        pilot.beforeFrame();
        const bool running = loop.runFrame();
        // A frame's interval ends as the next begins; the first one's is the
        // loading, no frame.
        if (drawnAt >= 0) summary.add(loop.lastInterval(), drawnAt);
        drawnAt = app::currentRenderScale(shell);
        if (!running) {
            std::cout << "autoplay: quit at " << pilot.where() << std::endl;
            status = 3;
            break;
        }
        if (pilot.frames() % kReportFrames == 0) {
            std::cout << "autoplay: " << pilot.report() << std::endl;
        }
        if (pilot.goalReached()) {
            const double seconds = platform::getTime() - start;
            const long steps = shell.session.runSteps;
            std::cout << "autoplay: goal reached in " << steps << " steps (" << velmora::runTimeText(steps)
                      << "), " << pilot.frames() << " frames in " << seconds << " s" << std::endl;
            break;
        }
        if (pilot.stepsWithoutProgress() >= kStuckSteps) {
            std::cout << "autoplay: no progress for 30 s at " << pilot.where() << ", "
                      << pilot.frames() / (platform::getTime() - start) << " frames a second"
                      << std::endl;
            status = 1;
            break;
        }
    }
    std::cout << summary.text() << std::flush;
    app::Autopilot::releaseInput();
    if (status == 0) {
        const double until = platform::getTime() + kShowWinSeconds;
        while (platform::getTime() < until && loop.runFrame()) {
        }
    }
    app::closeGame(shell);
    return status;
}
