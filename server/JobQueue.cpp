#include "server/JobQueue.h"

namespace velmora::server {

// LISTEN on the channel the front notifies after queueing a run, so an idle
// worker starts at once instead of at its next look.
class JobQueue::Wake : public pqxx::notification_receiver {
public:
    explicit Wake(pqxx::connection& connection) : pqxx::notification_receiver(connection, "runs_queued") {}
    void operator()(const std::string&, int) override {}
};

JobQueue::JobQueue(const std::string& connectionInfo, int leaseSeconds)
    : connection_(connectionInfo), leaseSeconds_(leaseSeconds) {
    auto& c = connection_;
    c.prepare("job_claim",
              "UPDATE submissions s SET state = 'verifying', attempts = s.attempts + 1,"
              " lease_until = now() + make_interval(secs => $1)"
              " FROM levels l WHERE l.id = s.level_id AND s.id = ("
              "  SELECT id FROM submissions WHERE state = 'queued' OR (state = 'verifying' AND lease_until < now())"
              "  ORDER BY id LIMIT 1 FOR UPDATE SKIP LOCKED)"
              " RETURNING s.id, l.identity, s.replay, s.claimed_steps, s.attempts");
    // Taken first, so two verdicts on one player's runs of a level choose
    // the best one after the other, never each from half the picture.
    c.prepare("job_lock_player",
              "SELECT 1 FROM players p JOIN submissions s ON s.player_id = p.id WHERE s.id = $1 FOR NO KEY UPDATE OF p");
    c.prepare("job_finish",
              "UPDATE submissions SET state = $2::run_state, verdict = $3, sim_version = $4, lease_until = NULL"
              " WHERE id = $1 RETURNING player_id, level_id");
    c.prepare("best_clear", "DELETE FROM best_runs WHERE player_id = $1 AND level_id = $2");
    c.prepare("best_choose",
              "INSERT INTO best_runs (level_id, player_id, submission_id, steps)"
              " SELECT level_id, player_id, id, claimed_steps FROM submissions"
              " WHERE player_id = $1 AND level_id = $2 AND state = 'accepted'"
              " ORDER BY claimed_steps, id LIMIT 1");
    c.prepare("job_requeue_older",
              "UPDATE submissions SET state = 'queued', attempts = 0"
              " WHERE state IN ('accepted', 'rejected') AND sim_version < $1");
    wake_ = std::make_unique<Wake>(connection_);
}

JobQueue::~JobQueue() = default;

std::optional<Job> JobQueue::claim() {
    pqxx::work work(connection_);
    const pqxx::result claimed = work.exec_prepared("job_claim", leaseSeconds_);
    work.commit();
    if (claimed.empty()) return std::nullopt;
    const pqxx::row row = claimed[0];
    Job job;
    job.id = row["id"].as<std::int64_t>();
    job.levelIdentity = row["identity"].as<std::string>();
    job.replay = pqxx::binarystring(row["replay"]).str();
    job.claimedSteps = row["claimed_steps"].as<long>();
    job.attempts = row["attempts"].as<int>();
    return job;
}

void JobQueue::finish(const Job& job, bool accepted, const std::string& verdict, int simulationVersion) {
    pqxx::work work(connection_);
    work.exec_prepared("job_lock_player", job.id);
    const pqxx::row owner =
        work.exec_prepared1("job_finish", job.id, accepted ? "accepted" : "rejected", verdict, simulationVersion);
    const auto player = owner["player_id"].as<std::int64_t>();
    const auto level = owner["level_id"].as<std::int64_t>();
    work.exec_prepared("best_clear", player, level);
    work.exec_prepared("best_choose", player, level);
    work.commit();
}

long JobQueue::requeueOlderThan(int simulationVersion) {
    pqxx::work work(connection_);
    const pqxx::result requeued = work.exec_prepared("job_requeue_older", simulationVersion);
    work.commit();
    return static_cast<long>(requeued.affected_rows());
}

void JobQueue::waitForWork(int milliseconds) {
    connection_.await_notification(milliseconds / 1000, (milliseconds % 1000) * 1000L);
}

}  // namespace velmora::server
