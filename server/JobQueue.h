#pragma once
// The verifiers' side of the submissions table, used as a queue: a worker
// claims the oldest run nobody holds (FOR UPDATE SKIP LOCKED, so any number
// of workers on any number of machines share it) together with a lease. A
// worker that dies keeps its lease only until it runs out; the run is then
// claimed again. One JobQueue is one connection for one thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <pqxx/pqxx>

namespace velmora::server {

struct Job {
    std::int64_t id = 0;
    std::string levelIdentity;  // 16 hex digits
    std::string replay;
    long claimedSteps = 0;
    int attempts = 0;  // claims so far, this one included
};

class JobQueue {
public:
    JobQueue(const std::string& connectionInfo, int leaseSeconds);
    ~JobQueue();

    std::optional<Job> claim();
    // Records the verdict and sets the player's best run of the level again
    // from all their accepted runs.
    void finish(const Job& job, bool accepted, const std::string& verdict, int simulationVersion);
    // Queues again every checked run whose verdict came from older rules.
    long requeueOlderThan(int simulationVersion);
    // Waits up to the given time for a new run to be queued.
    void waitForWork(int milliseconds);

private:
    class Wake;
    pqxx::connection connection_;
    std::unique_ptr<Wake> wake_;
    int leaseSeconds_;
};

}  // namespace velmora::server
