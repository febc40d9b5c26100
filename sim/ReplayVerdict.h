#pragma once
// What playing a replay again showed, in the words the replay tool and a
// leaderboard's verifier both print.

#include <string>

#include "sim/RunRecorder.h"

namespace velmora {

struct ReplayVerdict {
    bool goalAsRecorded = false;  // the goal reached at the recorded last step
    std::string line;             // "goal reached in N steps (m:ss.cc)", or where it went wrong
};

ReplayVerdict replayVerdict(const ReplayOutcome& outcome, long recordedSteps);

}  // namespace velmora
