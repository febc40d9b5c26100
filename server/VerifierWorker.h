#pragma once
// One verifier's work: claim a run, play it within its allowance, record the
// verdict. A run whose checks keep ending their worker is rejected after
// its attempts instead of taking workers down for ever.

#include "server/JobQueue.h"
#include "server/RunVerifier.h"

namespace velmora::server {

constexpr int kMostAttempts = 3;

class VerifierWorker {
public:
    // limitCpu: move the process's processor-time limit for each run.
    VerifierWorker(JobQueue& queue, RunVerifier& verifier, bool limitCpu);

    // False when no run was waiting.
    bool verifyNext();

private:
    JobQueue& queue_;
    RunVerifier& verifier_;
    bool limitCpu_;
};

}  // namespace velmora::server
