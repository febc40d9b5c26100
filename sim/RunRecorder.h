#pragma once
// Records the run being played, step by step, as a replay: the input of
// every step from the run's start, and the spheres' positions once a second
// so a replay can tell where it drifted from the recording. Also where the
// main sphere was after each step: the path a ghost of this run follows,
// the very one a replay of it would give (the steps are deterministic), so a
// run kept as the best needs no replaying at the goal.

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "sim/ReplayFile.h"

namespace velmora {

class Simulation;

class RunRecorder {
public:
    // A new run of the level with that identity starts with the next step.
    void begin(std::uint64_t levelIdentity);
    // After each step of the run: its input (a restart is the run's start,
    // not part of it) and, every second, the positions. Stops at the goal
    // and at the longest run a replay holds.
    void record(const StepInput& input, const Simulation& simulation);

    bool finished() const { return finished_; }
    const Replay& replay() const { return replay_; }
    // The main sphere after each recorded step, one per input of replay().
    const std::vector<glm::vec3>& mainPath() const { return mainPath_; }

private:
    Replay replay_;
    std::vector<glm::vec3> mainPath_;
    bool finished_ = false;
};

// Plays a replay on a simulation freshly built of the level: the step in
// which the goal was reached (counted from 1), or 0 when it never was.
// mismatchStep is the first checkpoint step whose positions differ from the
// recording's, or -1.
struct ReplayOutcome {
    long goalStep = 0;
    long mismatchStep = -1;
};
ReplayOutcome playReplay(const Replay& replay, Simulation& freshSimulation);

}  // namespace velmora
