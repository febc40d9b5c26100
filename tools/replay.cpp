// Checks replay files by playing them again, with no window and no GL: the
// level of the set each was recorded on (by its identity) is built headless
// once, and every file of that level is stepped on it with its recorded input.
//   build/replay FILE...
// Before any physics a file's input is checked against what the game's
// controls can give, and its length against the longest run its level
// allows (refused from the header alone, so an hour-long file costs nothing).
// One line a file, prefixed with the file's name when there are several:
// Exit 0: "replay: goal reached in N steps (m:ss.cc), checked in N ms", the
// goal reached at the recorded step. Exit 1: the run does not reach the goal
// as recorded (the step where it stops matching the recording, when it can
// tell). Exit 2: the file can't be used or holds a run the game can't make,
// with one line saying why. With several files, the worst of them.
// "checked in" is the time the check took, building the level excluded.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "level/LevelSet.h"
#include "platform/AtomicFile.h"
#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"
#include "sim/ReplayVerdict.h"
#include "sim/RunRecorder.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

namespace {

using Clock = std::chrono::steady_clock;

struct Verdict {
    int status = 0;
    std::string line;
    bool timed = false;  // the line says what the check cost
};

// A file as far as its header takes it. Its bytes, compressed, are kept until
// its level is built: the runs themselves are decoded one at a time.
struct ReplayCheck {
    std::string path;
    std::string bytes;
    const LevelEntry* level = nullptr;
    Verdict verdict;
    bool toPlay = false;
    double millis = 0.0;
};

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Verdict refused(const std::string& line, bool timed) { return Verdict{2, line, timed}; }

// Reads a file and finds its level. One too long for its level is refused
// from the header, before its payload is even inflated.
ReplayCheck checkHeader(const std::string& path,
                               const std::vector<std::pair<std::uint64_t, const LevelEntry*>>& levels) {
    ReplayCheck check;
    check.path = path;
    std::string bytes, error;
    if (platform::readWholeFile(path, kMaxReplayFileBytes, bytes, error) != platform::ReadResult::ok) {
        check.verdict = refused(error, false);
        return check;
    }
    const Clock::time_point start = Clock::now();
    ReplayHeader header;
    if (!decodeReplayHeader(bytes, header, error)) {
        check.verdict = refused("Cannot play " + path + ": " + error, false);
        return check;
    }
    for (const auto& [identity, level] : levels) {
        if (identity == header.levelIdentity) check.level = level;
    }
    if (check.level == nullptr) {
        check.verdict = refused(levelMismatch(header.levelIdentity, levels.front().first), false);
        return check;
    }
    if (const std::string tooLong = overLongRun(header.steps, check.level->longestRunSteps); !tooLong.empty()) {
        check.verdict = refused(tooLong, true);
    } else {
        check.bytes = std::move(bytes);
        check.toPlay = true;
    }
    check.millis = millisSince(start);
    return check;
}

Verdict verdictOf(const ReplayOutcome& outcome, long recorded) {
    const ReplayVerdict verdict = replayVerdict(outcome, recorded);
    return {verdict.goalAsRecorded ? 0 : 1, verdict.line, true};
}

// Decodes a file of the level, checks its input could have come from the
// game's controls, and plays it.
void playOne(ReplayCheck& check, Simulation& simulation, bool fresh) {
    const Clock::time_point start = Clock::now();
    Replay replay;
    std::string error;
    if (!decodeReplay(check.bytes, replay, error)) {
        check.verdict = refused("Cannot play " + check.path + ": " + error, false);
    } else if (const std::string impossible = impossibleInput(replay); !impossible.empty()) {
        check.verdict = refused(impossible, true);
    } else {
        if (!fresh && !replay.inputs.empty()) replay.inputs.front().restart = true;
        const ReplayOutcome outcome = playReplay(replay, simulation);
        check.verdict = verdictOf(outcome, static_cast<long>(replay.inputs.size()));
    }
    check.millis += millisSince(start);
    check.bytes = std::string();
}

// Builds the level once and plays every file of it on the same simulation:
// a restart before each later file puts it back bit for bit as a fresh load.
void playOnLevel(const LevelEntry& level, std::vector<ReplayCheck>& checks) {
    World world;
    Simulation simulation(world, level.tiles, level.places);
    bool fresh = true;
    for (ReplayCheck& check : checks) {
        if (!check.toPlay || check.level != &level) continue;
        playOne(check, simulation, fresh);
        fresh = fresh && check.verdict.status == 2;  // refused unplayed: still fresh
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: replay FILE..." << std::endl;
        return 2;
    }
    std::vector<std::string> problems;
    const LevelSet set = loadLevelSet(kLevelSetFile, problems).value_or(LevelSet{{shippedLevel()}});
    // Each level's identity hashes its tiles: worked out once for all files.
    std::vector<std::pair<std::uint64_t, const LevelEntry*>> levels;
    for (const LevelEntry& level : set.levels) levels.emplace_back(levelIdentityOf(level), &level);

    std::vector<ReplayCheck> checks;
    for (int i = 1; i < argc; ++i) checks.push_back(checkHeader(argv[i], levels));
    for (const LevelEntry& level : set.levels) {
        const bool wanted = std::any_of(checks.begin(), checks.end(), [&](const ReplayCheck& check) {
            return check.toPlay && check.level == &level;
        });
        if (wanted) playOnLevel(level, checks);
    }

    int worst = 0;
    for (const ReplayCheck& check : checks) {
        if (checks.size() > 1) std::cout << check.path << ": ";
        std::cout << "replay: " << check.verdict.line;
        if (check.verdict.timed) std::cout << ", checked in " << std::lround(check.millis) << " ms";
        std::cout << std::endl;
        worst = std::max(worst, check.verdict.status);
    }
    return worst;
}
