#include "sim/RunRecorder.h"

#include "sim/Simulation.h"

namespace velmora {

namespace {

Checkpoint checkpointOf(const Simulation& simulation, std::uint32_t step) {
    Checkpoint checkpoint;
    checkpoint.step = step;
    checkpoint.mainPosition = simulation.spherePosition(MainActorType);
    checkpoint.secondPosition = simulation.spherePosition(SecondActorType);
    return checkpoint;
}

}  // namespace

void RunRecorder::begin(std::uint64_t levelIdentity) {
    replay_ = Replay{};
    replay_.levelIdentity = levelIdentity;
    mainPath_.clear();
    finished_ = false;
}

void RunRecorder::record(const StepInput& input, const Simulation& simulation) {
    if (finished_) return;
    StepInput kept = input;
    kept.restart = false;
    replay_.inputs.push_back(kept);
    mainPath_.push_back(simulation.spherePosition(MainActorType));
    const auto step = static_cast<std::uint32_t>(replay_.inputs.size() - 1);
    if ((step + 1) % kStepsPerSecond == 0) replay_.checkpoints.push_back(checkpointOf(simulation, step));
    if (simulation.won() || replay_.inputs.size() >= kMaxReplaySteps) finished_ = true;
}

ReplayOutcome playReplay(const Replay& replay, Simulation& simulation) {
    ReplayOutcome outcome;
    size_t nextCheckpoint = 0;
    for (size_t step = 0; step < replay.inputs.size() && outcome.goalStep == 0; ++step) {
        simulation.step(replay.inputs[step]);
        if (nextCheckpoint < replay.checkpoints.size() && replay.checkpoints[nextCheckpoint].step == step) {
            if (!(checkpointOf(simulation, static_cast<std::uint32_t>(step)) ==
                  replay.checkpoints[nextCheckpoint]) &&
                outcome.mismatchStep < 0) {
                outcome.mismatchStep = static_cast<long>(step);
            }
            ++nextCheckpoint;
        }
        if (simulation.won()) outcome.goalStep = static_cast<long>(step) + 1;
    }
    return outcome;
}

}  // namespace velmora
