// What build/replay's check of a run costs, the level already built: the
// autopilot's run of the grand tour decoded, its input checked and played on
// the level to the goal, against the target of 1/1,200 of the run's game
// time. The run, tests/data/grand_tour_autopilot.vzr, was made by
// `build/autoplay --no-shadows --save-replay FILE` under xvfb-run; a change to
// the grand tour's tiles or its physics means making it again. Then refusing a run of the longest length a replay file
// holds, which a level's limit turns away from the header alone, beside what
// decoding the whole of it would cost. Run from the repository root. Prints
// the median and spread over repeated runs.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "level/LevelSet.h"
#include "platform/AtomicFile.h"
#include "sim/ReplayFile.h"
#include "sim/ReplayInputCheck.h"
#include "sim/RunRecorder.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

namespace {

using Clock = std::chrono::steady_clock;

const char* const kTourRun = "tests/data/grand_tour_autopilot.vzr";
constexpr int kPlays = 9;
constexpr int kRefusals = 201;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's own processor time: on a machine shared with other work the
// wall clock also counts the time it waited for a core.
double cpuMillis() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The longest run a file holds, its input changing every step and a
// checkpoint every second: the largest payload there can be.
std::string hourLongFile(std::uint64_t levelIdentity) {
    Replay replay;
    replay.levelIdentity = levelIdentity;
    for (std::uint32_t step = 0; step < kMaxReplaySteps; ++step) {
        StepInput input;
        input.push = glm::vec3(static_cast<float>(step % 977), 0.0f, -static_cast<float>(step % 1013));
        replay.inputs.push_back(input);
        if ((step + 1) % kStepsPerSecond == 0) {
            replay.checkpoints.push_back({step, {0.5f * step, 0.5f, 0.25f * step}, {1.0f, 1.5f, 0.1f * step}});
        }
    }
    return encodeReplay(replay);
}

bool playTheTour(const LevelEntry& tour) {
    std::string bytes, error;
    if (platform::readWholeFile(kTourRun, kMaxReplayFileBytes, bytes, error) != platform::ReadResult::ok) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    World world;
    Simulation simulation(world, tour.tiles, tour.places);
    std::vector<double> millis, cpu, beforePlaying;
    ReplayOutcome outcome;
    std::size_t steps = 0;
    for (int play = 0; play < kPlays; ++play) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = cpuMillis();
        Replay replay;
        std::string refusal;
        if (decodeReplay(bytes, replay, refusal)) {
            refusal = overLongRun(replay.inputs.size(), tour.longestRunSteps) + impossibleInput(replay);
        }
        if (!refusal.empty()) {
            std::fprintf(stderr, "%s is refused: %s\n", kTourRun, refusal.c_str());
            return false;
        }
        beforePlaying.push_back(millisSince(start));
        // As build/replay plays a level's later files: a restart first.
        if (play > 0) replay.inputs.front().restart = true;
        outcome = playReplay(replay, simulation);
        millis.push_back(millisSince(start));
        cpu.push_back(cpuMillis() - cpuStart);
        steps = replay.inputs.size();
    }
    if (outcome.goalStep != static_cast<long>(steps) || outcome.mismatchStep >= 0) {
        std::fprintf(stderr, "%s no longer plays as recorded (goal at %ld, mismatch at %ld)\n", kTourRun,
                     outcome.goalStep, outcome.mismatchStep);
        return false;
    }
    const double gameSeconds = static_cast<double>(steps) / kStepsPerSecond;
    bench::printSpread("check the grand tour's autopilot run (" + std::to_string(steps) + " steps)", millis,
                       "ms");
    bench::printSpread("the same in processor time", cpu, "ms");
    bench::printSpread("of which decoding and checking its input", beforePlaying, "ms");
    std::printf("target: at most %.1f ms (1/1,200 of %.2f s of game time)\n", gameSeconds * 1000.0 / 1200.0,
                gameSeconds);
    return true;
}

void refuseAnHourLongRun(const LevelEntry& tour) {
    const std::string bytes = hourLongFile(levelIdentityOf(tour));
    std::vector<double> refusals;  // microseconds: there is not a millisecond's work in it
    for (int i = 0; i < kRefusals; ++i) {
        const Clock::time_point start = Clock::now();
        ReplayHeader header;
        std::string error;
        const bool refused =
            decodeReplayHeader(bytes, header, error) && !overLongRun(header.steps, tour.longestRunSteps).empty();
        refusals.push_back(millisSince(start) * 1000.0);
        if (!refused) std::fprintf(stderr, "the hour-long run was not refused\n");
    }
    bench::printSpread("refuse an hour-long run (" + std::to_string(bytes.size()) + " bytes) by its header",
                       refusals, "us");
    std::vector<double> decodes;
    for (int i = 0; i < kPlays; ++i) {
        const Clock::time_point start = Clock::now();
        Replay replay;
        std::string error;
        decodeReplay(bytes, replay, error);
        decodes.push_back(millisSince(start));
    }
    bench::printSpread("decode the same run whole, for comparison", decodes, "ms");
}

}  // namespace

int main() {
    std::vector<std::string> problems;
    const std::optional<LevelSet> set = loadLevelSet(kLevelSetFile, problems);
    const LevelEntry* tour = set ? set->find(shippedLevel().name) : nullptr;
    if (tour == nullptr) {
        std::fprintf(stderr, "no grand tour in %s\n", kLevelSetFile);
        return 1;
    }
    const bool played = playTheTour(*tour);
    refuseAnHourLongRun(*tour);
    return played ? 0 : 1;
}
