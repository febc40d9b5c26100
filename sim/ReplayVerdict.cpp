#include "sim/ReplayVerdict.h"

#include "sim/RunClock.h"

namespace velmora {

ReplayVerdict replayVerdict(const ReplayOutcome& outcome, long recorded) {
    // goalStep 0 is a goal never reached: an empty run wins nothing.
    if (outcome.goalStep == recorded && recorded > 0) {
        return {true, "goal reached in " + std::to_string(recorded) + " steps (" + runTimeText(recorded) + ")"};
    }
    if (outcome.mismatchStep >= 0) {
        return {false, "the run stops matching the recording at step " + std::to_string(outcome.mismatchStep + 1)};
    }
    if (outcome.goalStep > 0) {
        return {false, "goal reached at step " + std::to_string(outcome.goalStep) + ", not at the recorded step " +
                           std::to_string(recorded)};
    }
    return {false, "no goal in " + std::to_string(recorded) + " steps"};
}

}  // namespace velmora
