// The leaderboard under load on loopback, against the PostgreSQL that
// PGHOST names (run it as `tests/server/with_postgres.sh
// build/bench_leaderboard_load` for a throw-away one; it empties the
// leaderboard's tables). Bounded in count and time:
// - runs verified a second by two verifier processes (build/leaderboard_verifier),
//   rounds of the autopilot's grand-tour run queued at once, after one
//   round that builds the level;
// - table reads a second and their latency (p50, p99) through the HTTP
//   front, two readers on a table of 500 entries while a third client
//   submits runs that the two verifiers play.
// Run from the repository root. Prints the median and spread over rounds.
//   build/bench_leaderboard_load [--rounds N] [--runs N] [--seconds S]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "server/Api.h"
#include "server/HttpFront.h"
#include "server/LevelCatalog.h"
#include "server/Migrations.h"
#include "sim/ReplayFile.h"

using namespace velmora;
using namespace velmora::server;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// One request on a fresh connection; the status, or 0.
int request(unsigned short port, const std::string& text) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int status = 0;
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(socket, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size())) {
        std::string reply;
        char buffer[16384];
        for (ssize_t n; (n = recv(socket, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, static_cast<std::size_t>(n));
        if (reply.size() > 12) status = std::atoi(reply.c_str() + 9);
    }
    close(socket);
    return status;
}

void exec(pqxx::connection& database, const std::string& sql) {
    pqxx::work work(database);
    work.exec(sql);
    work.commit();
}

long queueDepth(pqxx::connection& database) {
    pqxx::read_transaction work(database);
    return work.exec("SELECT count(*) FROM submissions WHERE state IN ('queued', 'verifying')")[0][0].as<long>();
}

// Queues `count` copies of the run under distinct players' keys, as if each
// had been sent by its own player, and wakes the verifiers.
void queueCopies(pqxx::connection& database, const std::string& run, const std::string& identity, int count,
                 int& serial) {
    pqxx::work work(database);
    work.exec_params(
        "INSERT INTO submissions (player_id, level_id, replay, input_hash, claimed_steps, sim_version)"
        " SELECT 1, (SELECT id FROM levels WHERE identity = $1), $2, sha256(int8send(g)), 1, 1"
        " FROM generate_series($3::bigint, $4::bigint) g",
        identity, pqxx::binarystring(run.data(), run.size()), serial, serial + count - 1);
    work.exec("SELECT pg_notify('runs_queued', '')");
    work.commit();
    serial += count;
}

std::string verifierPath() {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, length > 0 ? static_cast<std::size_t>(length) : 0);
    return path.substr(0, path.rfind('/') + 1) + "leaderboard_verifier";
}

pid_t startVerifier(const std::string& path) {
    const pid_t pid = fork();
    if (pid == 0) {
        // Ends with the benchmark, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5, runsPerRound = 40;
    double readSeconds = 3.0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
        if (option == "--runs") runsPerRound = std::max(1, std::min(500, std::atoi(argv[i + 1])));
        if (option == "--seconds") readSeconds = std::max(0.5, std::min(30.0, std::atof(argv[i + 1])));
    }
    const std::string run = readFile("tests/data/grand_tour_autopilot.vzr");
    const LevelCatalog catalog = LevelCatalog::load(kLevelSetFile);
    const CatalogLevel* tour = nullptr;
    for (const CatalogLevel& level : catalog.levels()) {
        if (level.entry.name == "grand-tour") tour = &level;
    }
    if (run.empty() || tour == nullptr) {
        std::fprintf(stderr, "run it from the repository root\n");
        return 1;
    }
    pqxx::connection database("");
    applyMigrations(database);
    catalog.publish(database);
    exec(database, "TRUNCATE players, submissions, best_runs RESTART IDENTITY CASCADE");
    exec(database, "INSERT INTO players (name, token_hash) VALUES ('bench', 'bench')");

    const std::string verifier = verifierPath();
    const pid_t workers[2] = {startVerifier(verifier), startVerifier(verifier)};
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(300);
    int serial = 1;
    std::vector<double> verifiedPerSecond;
    for (int round = 0; round <= rounds && Clock::now() < deadline; ++round) {
        const Clock::time_point start = Clock::now();
        queueCopies(database, run, tour->identityText, runsPerRound, serial);
        while (queueDepth(database) > 0 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (round > 0) verifiedPerSecond.push_back(runsPerRound / secondsSince(start));
    }
    bench::printSpread("runs verified a second, two verifiers, " + std::to_string(runsPerRound) + " runs a round",
                       verifiedPerSecond, "runs/s");

    // A table of 500 entries to read while new runs arrive.
    exec(database,
         "INSERT INTO players (name, token_hash) SELECT 'player' || g, int8send(g) FROM generate_series(1, 500) g");
    exec(database,
         "INSERT INTO submissions (player_id, level_id, replay, input_hash, claimed_steps, sim_version, state)"
         " SELECT p.id, l.id, '\\x00', sha256(int8send(-p.id)), 3000 + p.id, 1, 'accepted'"
         " FROM players p, levels l WHERE p.name LIKE 'player%' AND l.identity = '" + tour->identityText + "'");
    exec(database,
         "INSERT INTO best_runs (level_id, player_id, submission_id, steps)"
         " SELECT level_id, player_id, id, claimed_steps FROM submissions WHERE state = 'accepted' AND player_id > 1");
    ApiLimits open;
    open.perAddress = open.runsPerToken = open.playersPerAddress = {1e9, 1e9};
    Api api(catalog, open);
    FrontOptions options;
    options.port = 0;
    HttpFront front(options, api, "");
    front.start();
    const std::string submitter = "sender";
    std::string token;
    {
        // The sender's token, made through the API as a player's is.
        const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(front.port());
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        const std::string body = "{\"name\":\"" + submitter + "\"}";
        const std::string text = "POST /v1/players HTTP/1.1\r\nConnection: close\r\nContent-Length: " +
                                 std::to_string(body.size()) + "\r\n\r\n" + body;
        send(socket, text.data(), text.size(), MSG_NOSIGNAL);
        std::string reply;
        char buffer[4096];
        for (ssize_t n; (n = recv(socket, buffer, sizeof buffer, 0)) > 0;) reply.append(buffer, static_cast<std::size_t>(n));
        close(socket);
        const std::size_t at = reply.find("\"token\":\"");
        if (at != std::string::npos) token = reply.substr(at + 9, 64);
    }
    const std::string tableRequest = "GET /v1/levels/" + tour->identityText +
                                     "/table?limit=10&after=3200-200 HTTP/1.1\r\nConnection: close\r\n\r\n";
    std::vector<double> readsPerSecond, p50, p99;
    std::atomic<int> submitted{0};
    for (int round = 0; round < rounds && Clock::now() < deadline; ++round) {
        std::atomic<bool> stop{false};
        std::thread sender([&] {
            // Runs that are quick to play and end nowhere: the verifiers reject them.
            for (long steps = 60 + round; !stop; steps += rounds) {
                Replay idle;
                idle.levelIdentity = tour->identity;
                idle.inputs.assign(static_cast<std::size_t>(steps), StepInput{});
                const std::string bytes = encodeReplay(idle);
                request(front.port(), "POST /v1/runs HTTP/1.1\r\nConnection: close\r\nAuthorization: Bearer " + token +
                                          "\r\nContent-Length: " + std::to_string(bytes.size()) + "\r\n\r\n" + bytes);
                ++submitted;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        std::vector<double> latencies[2];
        std::atomic<int> failures{0};
        const Clock::time_point start = Clock::now();
        auto read = [&](std::vector<double>& mine) {
            while (secondsSince(start) < readSeconds) {
                const Clock::time_point sent = Clock::now();
                if (request(front.port(), tableRequest) != 200) ++failures;
                mine.push_back(secondsSince(sent) * 1000.0);
            }
        };
        std::thread second(read, std::ref(latencies[1]));
        read(latencies[0]);
        second.join();
        const double elapsed = secondsSince(start);
        stop = true;
        sender.join();
        std::vector<double> all = latencies[0];
        all.insert(all.end(), latencies[1].begin(), latencies[1].end());
        if (failures > 0) std::fprintf(stderr, "%d table reads failed\n", failures.load());
        readsPerSecond.push_back(all.size() / elapsed);
        const bench::Spread spread = bench::spreadOf(all);
        p50.push_back(spread.median);
        std::sort(all.begin(), all.end());
        p99.push_back(all.empty() ? 0.0 : all[static_cast<std::size_t>(0.99 * (all.size() - 1))]);
    }
    front.stop();
    for (const pid_t worker : workers) kill(worker, SIGTERM);
    for (const pid_t worker : workers) waitpid(worker, nullptr, 0);
    std::printf("while %d runs were submitted:\n", submitted.load());
    bench::printSpread("table reads a second, two readers", readsPerSecond, "reads/s");
    bench::printSpread("table read p50 latency", p50, "ms");
    bench::printSpread("table read p99 latency", p99, "ms");
    return 0;
}
