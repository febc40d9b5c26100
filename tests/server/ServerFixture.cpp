#include "ServerFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "server/JobQueue.h"
#include "server/Migrations.h"
#include "sim/ReplayFile.h"
#include "sim/SimulationVersion.h"

namespace velmora::server::testing {

std::unique_ptr<pqxx::connection> ServerTest::database_;
std::unique_ptr<LevelCatalog> ServerTest::catalog_;
std::unique_ptr<Api> ServerTest::api_;
std::unique_ptr<HttpFront> ServerTest::front_;

HttpReply exchange(unsigned short port, const std::string& request) {
    HttpReply reply;
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(socket);
        return reply;
    }
    for (std::size_t sent = 0; sent < request.size();) {
        const ssize_t n = send(socket, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;  // refused early: the reply may still be there to read
        sent += static_cast<std::size_t>(n);
    }
    std::string received;
    char buffer[65536];
    for (ssize_t n; (n = recv(socket, buffer, sizeof buffer, 0)) > 0;) received.append(buffer, static_cast<std::size_t>(n));
    close(socket);
    if (received.compare(0, 9, "HTTP/1.1 ") != 0) return reply;
    reply.status = std::stoi(received.substr(9, 3));
    const std::size_t bodyStart = received.find("\r\n\r\n");
    if (bodyStart != std::string::npos) reply.body = received.substr(bodyStart + 4);
    return reply;
}

std::string httpRequest(const std::string& method, const std::string& target, const std::string& body,
                        const std::string& token) {
    std::string request = method + " " + target + " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n";
    if (!token.empty()) request += "Authorization: Bearer " + token + "\r\n";
    if (method == "POST") request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return request + "\r\n" + body;
}

std::string idleRun(std::uint64_t levelIdentity, long steps, long variant) {
    Replay replay;
    replay.levelIdentity = levelIdentity;
    replay.inputs.assign(static_cast<std::size_t>(steps), StepInput{});
    if (variant > 0 && variant < steps) replay.inputs[static_cast<std::size_t>(variant)].coupled = false;
    return encodeReplay(replay);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ServerTest::SetUpTestSuite() {
    database_ = std::make_unique<pqxx::connection>("");
    applyMigrations(*database_);
    catalog_ = std::make_unique<LevelCatalog>(LevelCatalog::load(kLevelSetFile));
    catalog_->publish(*database_);
    // Room for every test's requests from the one loopback address; the rate
    // limits get a front of their own.
    ApiLimits generous;
    generous.perAddress = {10000.0, 100000.0};
    generous.playersPerAddress = {10000.0, 100000.0};
    generous.runsPerToken = {10000.0, 100000.0};
    api_ = std::make_unique<Api>(*catalog_, generous);
    FrontOptions options;
    options.port = 0;
    options.threads = 2;
    options.deadline = std::chrono::milliseconds(4000);
    front_ = std::make_unique<HttpFront>(options, *api_, "");
    front_->start();
}

void ServerTest::TearDownTestSuite() {
    front_.reset();
    api_.reset();
    database_.reset();
}

void ServerTest::SetUp() {
    pqxx::work work(*database_);
    work.exec("TRUNCATE players, submissions, best_runs RESTART IDENTITY CASCADE");
    work.commit();
}

const CatalogLevel& ServerTest::grandTour() {
    for (const CatalogLevel& level : catalog_->levels()) {
        if (level.entry.name == "grand-tour") return level;
    }
    throw std::logic_error("no grand tour in the level set");
}

HttpReply ServerTest::get(const std::string& target, const std::string& token) const {
    return exchange(port(), httpRequest("GET", target, "", token));
}

HttpReply ServerTest::post(const std::string& target, const std::string& body, const std::string& token) const {
    return exchange(port(), httpRequest("POST", target, body, token));
}

std::string ServerTest::newPlayer(const std::string& name) const {
    const HttpReply reply = post("/v1/players", nlohmann::json{{"name", name}}.dump());
    EXPECT_EQ(reply.status, 201) << reply.body;
    return reply.json().value("token", "");
}

std::int64_t ServerTest::submit(const std::string& replay, const std::string& token) const {
    const HttpReply reply = post("/v1/runs", replay, token);
    EXPECT_EQ(reply.status, 202) << reply.body;
    return reply.json().value("id", std::int64_t{0});
}

void ServerTest::settleQueue(bool accepted) const {
    JobQueue queue("", 30);
    while (const std::optional<Job> job = queue.claim()) {
        queue.finish(*job, accepted, accepted ? "accepted unplayed" : "rejected unplayed", kSimulationVersion);
    }
}

nlohmann::json ServerTest::table(const std::string& query) const {
    const HttpReply reply = get("/v1/levels/" + grandTour().identityText + "/table" + query);
    EXPECT_EQ(reply.status, 200) << reply.body;
    return reply.json();
}

}  // namespace velmora::server::testing
