// Checks a replay file by playing it again, with no window and no GL: the
// level of the set it was recorded on (by its identity) is built headless
// and stepped with the recorded input.
//   build/replay FILE
// Exit 0: "replay: goal reached in N steps (m:ss.cc)", the goal reached at
// the recorded step. Exit 1: the run does not reach the goal as recorded
// (the step where it stops matching the recording, when it can tell).
// Exit 2: the file can't be used, with one line saying why.

#include <iostream>
#include <string>
#include <vector>

#include "level/LevelIdentity.h"
#include "level/LevelSet.h"
#include "sim/ReplayFile.h"
#include "sim/RunClock.h"
#include "sim/RunRecorder.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: replay FILE" << std::endl;
        return 2;
    }
    Replay replay;
    std::string error;
    if (!loadReplay(argv[1], replay, error)) {
        std::cout << "replay: " << error << std::endl;
        return 2;
    }
    std::vector<std::string> problems;
    const LevelSet set = loadLevelSet(kLevelSetFile, problems).value_or(LevelSet{{shippedLevel()}});
    const LevelEntry* level = &set.levels.front();
    for (const LevelEntry& candidate : set.levels) {
        if (levelIdentityOf(candidate) == replay.levelIdentity) level = &candidate;
    }
    const std::string mismatch = levelMismatch(replay.levelIdentity, levelIdentityOf(*level));
    if (!mismatch.empty()) {
        std::cout << "replay: " << mismatch << std::endl;
        return 2;
    }

    World world;
    Simulation simulation(world, level->tiles, level->places);
    const ReplayOutcome outcome = playReplay(replay, simulation);
    const long recorded = static_cast<long>(replay.inputs.size());
    if (outcome.goalStep == recorded) {
        std::cout << "replay: goal reached in " << recorded << " steps ("
                  << velmora::runTimeText(recorded) << ")" << std::endl;
        return 0;
    }
    if (outcome.mismatchStep >= 0) {
        std::cout << "replay: the run stops matching the recording at step " << outcome.mismatchStep + 1
                  << std::endl;
    } else if (outcome.goalStep > 0) {
        std::cout << "replay: goal reached at step " << outcome.goalStep << ", not at the recorded step "
                  << recorded << std::endl;
    } else {
        std::cout << "replay: no goal in " << recorded << " steps" << std::endl;
    }
    return 1;
}
