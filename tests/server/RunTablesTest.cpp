// The leaderboard against a real PostgreSQL: runs in, verdicts, tables,
// ranks and the queue the verifiers share.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <thread>

#include "ServerFixture.h"
#include "server/JobQueue.h"
#include "server/RunVerifier.h"
#include "server/VerifierWorker.h"
#include "sim/ByteFields.h"
#include "sim/ReplayFile.h"
#include "sim/SimulationVersion.h"

namespace velmora::server::testing {
namespace {

const char* const kAutopilotRun = "tests/data/grand_tour_autopilot.vzr";

// The file with another level identity written into its header.
std::string onLevel(std::string bytes, std::uint64_t identity) {
    if (bytes.size() < 14) return bytes;
    ByteWriter field;
    field.u64(identity);
    bytes.replace(6, 8, field.bytes());
    return bytes;
}

void queueInBulk(int count) {
    pqxx::work work(ServerTest::database());
    work.exec("INSERT INTO players (name, token_hash) VALUES ('bulk', 'x')");
    work.exec(
        "INSERT INTO submissions (player_id, level_id, replay, input_hash, claimed_steps, sim_version)"
        " SELECT 1, (SELECT min(id) FROM levels), '\\x00', sha256(int8send(g)), 1, 1"
        " FROM generate_series(1, " + std::to_string(count) + ") g");
    work.commit();
}

using RunTablesTest = ServerTest;

TEST_F(RunTablesTest, AutopilotRunIsVerifiedRankedAndServedBack) {
    const std::string file = readFile(kAutopilotRun);
    const std::string token = newPlayer("autopilot");
    const std::int64_t id = submit(file, token);
    EXPECT_EQ(get("/v1/runs/" + std::to_string(id)).json()["state"], "queued");
    EXPECT_EQ(get("/v1/health").json()["queue"], 1);

    RunVerifier verifier(catalog());
    JobQueue queue("", 30);
    VerifierWorker worker(queue, verifier, false);
    ASSERT_TRUE(worker.verifyNext());
    EXPECT_FALSE(worker.verifyNext());

    const nlohmann::json run = get("/v1/runs/" + std::to_string(id)).json();
    EXPECT_EQ(run["state"], "accepted");
    EXPECT_EQ(run["rank"], 1);
    EXPECT_EQ(run["entries"], 1);
    EXPECT_EQ(run["verdict"].get<std::string>().rfind("goal reached in " + run["steps"].dump() + " steps", 0), 0u)
        << run;
    EXPECT_EQ(table()["entries"][0]["player"], "autopilot");
    const nlohmann::json levels = get("/v1/levels").json();
    const auto tour = std::find_if(levels.begin(), levels.end(),
                                   [](const nlohmann::json& level) { return level["name"] == "grand-tour"; });
    ASSERT_NE(tour, levels.end());
    EXPECT_EQ((*tour)["record"]["run"], id);
    EXPECT_EQ(get("/v1/runs/" + std::to_string(id) + "/replay").body, file);

    // The same run again is the same entry; from someone else, it is theirs to keep.
    const HttpReply again = post("/v1/runs", file, token);
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(again.json()["id"], id);
    EXPECT_EQ(post("/v1/runs", file, newPlayer("copycat")).status, 409);
    EXPECT_EQ(table()["entries"].size(), 1u);

    // New rules: the run is checked again and keeps its place.
    pqxx::work work(database());
    work.exec("UPDATE submissions SET sim_version = 0");
    work.commit();
    EXPECT_EQ(queue.requeueOlderThan(kSimulationVersion), 1);
    ASSERT_TRUE(worker.verifyNext());
    EXPECT_EQ(get("/v1/runs/" + std::to_string(id)).json()["state"], "accepted");
}

TEST_F(RunTablesTest, RunsThatCannotCountAreRefusedWithTheirCodes) {
    const std::string token = newPlayer("tester");
    const std::uint64_t tour = grandTour().identity;
    Replay boosted;
    std::string error;
    ASSERT_TRUE(decodeReplay(readFile(kAutopilotRun), boosted, error));
    for (StepInput& input : boosted.inputs) input.push *= 3.0f;
    std::string damaged = readFile(kAutopilotRun);
    damaged[damaged.size() / 2] ^= 0x5a;
    struct Case {
        std::string name;
        std::string bytes;
        int status;
    };
    std::vector<Case> cases = {
        {"boosted", encodeReplay(boosted), 422},
        {"over-long", idleRun(tour, grandTour().entry.longestRunSteps + 1), 422},
        {"wrong level", idleRun(0x0123456789abcdefULL, 100), 422},
        {"damaged", damaged, 400},
        {"cut short", readFile(kAutopilotRun).substr(0, 100), 400},
        {"empty", "", 400},
        {"no goal", idleRun(tour, 300), 202},
    };
    // The fuzz corpus, each file moved onto a level of the set so that its
    // own fault is the one found (as it is, most are on no level at all).
    const std::map<std::string, int> onTour = {
        {"cut_short", 400},      {"empty_run", 422},    {"hour_long", 422},    {"huge_step_count", 400},
        {"impossible_push", 422}, {"newer_format", 400}, {"not_a_replay", 400}, {"restart_inside", 422},
        {"short_run", 422},
    };
    for (const auto& entry : std::filesystem::directory_iterator("tests/fuzz/corpus/replay_file")) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = readFile(entry.path().string());
        ASSERT_EQ(onTour.count(name), 1u) << "a new corpus file wants its code here: " << name;
        cases.push_back({name + " on the tour", onLevel(bytes, tour), onTour.at(name)});
        EXPECT_GE(post("/v1/runs", bytes, token).status, 400) << name;
    }
    for (const Case& c : cases) {
        const HttpReply reply = post("/v1/runs", c.bytes, token);
        EXPECT_EQ(reply.status, c.status) << c.name << ": " << reply.body;
        if (reply.status >= 400) {
            EXPECT_FALSE(reply.json().value("error", "").empty()) << c.name;
        }
    }
    // What was let in is played, and is not a win.
    RunVerifier verifier(catalog());
    JobQueue queue("", 30);
    VerifierWorker worker(queue, verifier, false);
    while (worker.verifyNext()) {
    }
    pqxx::work work(database());
    EXPECT_EQ(work.exec("SELECT count(*) FROM submissions WHERE state <> 'rejected'")[0][0].as<int>(), 0);
    EXPECT_EQ(work.exec("SELECT count(*) FROM best_runs")[0][0].as<int>(), 0);
}

TEST_F(RunTablesTest, BetterRunsReplaceWorseAndEqualTimesGoToTheEarlierRun) {
    const std::uint64_t tour = grandTour().identity;
    const std::string ada = newPlayer("ada"), bo = newPlayer("Bo_2"), cy = newPlayer("cy.x");
    submit(idleRun(tour, 500), ada);
    settleQueue(true);
    submit(idleRun(tour, 400), ada);
    submit(idleRun(tour, 450), ada);  // worse than ada's best: changes nothing
    submit(idleRun(tour, 400, 7), bo);  // as fast as ada, but later
    settleQueue(true);
    submit(idleRun(tour, 300), cy);
    submit(idleRun(tour, 200, 3), cy);
    settleQueue(false);  // cy's runs fail their check: no entry

    const nlohmann::json entries = table()["entries"];
    ASSERT_EQ(entries.size(), 2u) << entries;
    EXPECT_EQ(entries[0]["player"], "ada");
    EXPECT_EQ(entries[0]["steps"], 400);
    EXPECT_EQ(entries[0]["rank"], 1);
    EXPECT_EQ(entries[1]["player"], "Bo_2");
    EXPECT_EQ(entries[1]["rank"], 2);
    EXPECT_EQ(entries[1]["time"], "0:06.66");
}

TEST_F(RunTablesTest, PagesByKeyAndAroundAtBothEnds) {
    const std::uint64_t tour = grandTour().identity;
    std::vector<std::string> tokens;
    for (int i = 0; i < 23; ++i) {
        tokens.push_back(newPlayer("player" + std::to_string(i)));
        submit(idleRun(tour, 1000 - 10 * i), tokens.back());  // the later, the faster
    }
    settleQueue(true);

    std::vector<std::string> seen;
    std::string query = "?limit=10";
    for (int page = 0; page < 4; ++page) {
        const nlohmann::json got = table(query);
        for (const auto& entry : got["entries"]) {
            EXPECT_EQ(entry["rank"], static_cast<int>(seen.size()) + 1);
            seen.push_back(entry["player"]);
        }
        if (got["next"].is_null()) break;
        query = "?limit=10&after=" + got["next"].get<std::string>();
    }
    ASSERT_EQ(seen.size(), 23u);
    EXPECT_EQ(seen.front(), "player22");
    EXPECT_EQ(seen.back(), "player0");

    const std::string around = "/v1/levels/" + grandTour().identityText + "/around";
    struct Case {
        int player;
        int rank;
        std::size_t rows;
        int firstRank;
    };
    for (const Case& c : {Case{22, 1, 6, 1}, Case{0, 23, 6, 18}, Case{11, 12, 11, 7}}) {
        const nlohmann::json got = get(around, tokens[c.player]).json();
        EXPECT_EQ(got["rank"], c.rank) << c.player;
        ASSERT_EQ(got["entries"].size(), c.rows) << got;
        EXPECT_EQ(got["entries"][0]["rank"], c.firstRank);
        EXPECT_EQ(got["entries"][static_cast<std::size_t>(c.rank - c.firstRank)]["player"],
                  "player" + std::to_string(c.player));
    }
    EXPECT_EQ(get(around, newPlayer("nobody")).status, 404);
    EXPECT_EQ(get(around).status, 401);
}

TEST_F(RunTablesTest, TwoWorkersTakeEveryQueuedRunExactlyOnce) {
    constexpr int kRuns = 2000;
    queueInBulk(kRuns);
    std::vector<std::int64_t> taken[2];
    auto drain = [](std::vector<std::int64_t>& mine) {
        JobQueue queue("", 30);
        while (const std::optional<Job> job = queue.claim()) {
            mine.push_back(job->id);
            queue.finish(*job, false, "drained", kSimulationVersion);
        }
    };
    std::thread first(drain, std::ref(taken[0]));
    drain(taken[1]);
    first.join();
    std::set<std::int64_t> all(taken[0].begin(), taken[0].end());
    all.insert(taken[1].begin(), taken[1].end());
    EXPECT_EQ(taken[0].size() + taken[1].size(), static_cast<std::size_t>(kRuns));
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kRuns));
    EXPECT_FALSE(taken[0].empty());
    EXPECT_FALSE(taken[1].empty());
}

TEST_F(RunTablesTest, AKilledWorkersRunIsTakenAgainAfterItsLease) {
    queueInBulk(1);
    const pid_t worker = fork();
    if (worker == 0) {
        JobQueue queue("", 3);
        queue.claim();
        kill(getpid(), SIGKILL);
    }
    int status = 0;
    waitpid(worker, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    JobQueue queue("", 3);
    double leaseLeft = 0.0;
    {
        pqxx::work work(database());
        leaseLeft = work.exec("SELECT extract(epoch FROM lease_until - now()) FROM submissions")[0][0].as<double>();
    }
    // However slowly the machine got here, the lease tells what to expect.
    if (leaseLeft > 0.2) {
        EXPECT_FALSE(queue.claim()) << "taken while its lease still runs";
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(std::max(0.0, leaseLeft) + 0.2));
    const std::optional<Job> again = queue.claim();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->attempts, 2);

    // A run that keeps killing its workers is given up on, not played again.
    pqxx::work work(database());
    work.exec("UPDATE submissions SET attempts = 3, lease_until = now() - interval '1 second'");
    work.commit();
    RunVerifier verifier(catalog());
    VerifierWorker(queue, verifier, false).verifyNext();
    pqxx::work check(database());
    EXPECT_EQ(check.exec("SELECT state FROM submissions")[0][0].as<std::string>(), "rejected");
}

}  // namespace
}  // namespace velmora::server::testing
