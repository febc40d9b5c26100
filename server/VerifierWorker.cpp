#include "server/VerifierWorker.h"

#include "server/JobLimits.h"
#include "sim/SimulationVersion.h"

namespace velmora::server {

VerifierWorker::VerifierWorker(JobQueue& queue, RunVerifier& verifier, bool limitCpu)
    : queue_(queue), verifier_(verifier), limitCpu_(limitCpu) {}

bool VerifierWorker::verifyNext() {
    const std::optional<Job> job = queue_.claim();
    if (!job) return false;
    if (job->attempts > kMostAttempts) {
        queue_.finish(*job, false, "its check did not finish in " + std::to_string(kMostAttempts) + " attempts",
                      kSimulationVersion);
        return true;
    }
    if (limitCpu_) allowCpuSeconds(cpuAllowance(job->claimedSteps));
    const RunCheck check = verifier_.verify(job->levelIdentity, job->replay);
    queue_.finish(*job, check.accepted, check.verdict, kSimulationVersion);
    return true;
}

}  // namespace velmora::server
