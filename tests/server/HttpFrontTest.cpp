// The front against hostile and careless clients, on loopback.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "ServerFixture.h"

namespace velmora::server::testing {
namespace {

using Clock = std::chrono::steady_clock;
using HttpFrontTest = ServerTest;

int connectTo(unsigned short port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    return socket;
}

TEST_F(HttpFrontTest, RequestsAreRefusedByTheirShapeBeforeTheBodyIsRead) {
    const std::string token = newPlayer("shaper");
    const std::string big(600 * 1024, 'x');
    const std::string auth = "Authorization: Bearer " + token + "\r\n";
    struct Case {
        std::string name;
        std::string request;
        int status;
    };
    const Case cases[] = {
        {"over the size", "POST /v1/runs HTTP/1.1\r\n" + auth + "Content-Length: 600000\r\n\r\n" + big, 413},
        {"chunked over the size",
         "POST /v1/runs HTTP/1.1\r\n" + auth + "Transfer-Encoding: chunked\r\n\r\n96000\r\n" + big + "\r\n0\r\n\r\n",
         413},
        {"compressed", "POST /v1/runs HTTP/1.1\r\n" + auth + "Content-Encoding: gzip\r\nContent-Length: 4\r\n\r\nabcd",
         415},
        {"oversized header", "GET /v1/levels HTTP/1.1\r\nX-Padding: " + std::string(16 * 1024, 'a') + "\r\n\r\n", 431},
        {"no token", httpRequest("POST", "/v1/runs", "abcd"), 401},
        {"a token of another shape", httpRequest("POST", "/v1/runs", "abcd", "' OR 1=1 --"), 401},
        {"unknown path", httpRequest("GET", "/v1/nothing"), 404},
        {"run id that is no number", httpRequest("GET", "/v1/runs/1;DROP"), 404},
        {"unknown level", httpRequest("GET", "/v1/levels/00000000deadbeef/table"), 404},
        {"limit out of range", httpRequest("GET", "/v1/levels/" + grandTour().identityText + "/table?limit=0"), 400},
        {"after of another shape", httpRequest("GET", "/v1/levels/" + grandTour().identityText + "/table?after=1'"),
         400},
        {"replay of no accepted run", httpRequest("GET", "/v1/runs/1/replay"), 404},
        {"wrong method", httpRequest("GET", "/v1/players"), 405},
        {"health", httpRequest("GET", "/v1/health"), 200},
    };
    for (const Case& c : cases) EXPECT_EQ(exchange(port(), c.request).status, c.status) << c.name;
}

TEST_F(HttpFrontTest, NamesAreCheckedAndNeverReachSqlButAsValues) {
    struct Case {
        std::string body;
        int status;
    };
    const Case cases[] = {
        {R"({"name": "Robert'); DROP TABLE players;--"})", 400},
        {R"({"name": "x' OR '1'='1"})", 400},
        {R"({"name": "ab"})", 400},
        {R"({"name": "abcdefghijklmnopqrstu"})", 400},
        {R"({"name": "héllo"})", 400},
        {R"({"name": 42})", 400},
        {R"(["name"])", 400},
        {"{", 400},
        {R"({"name": "drop_table.players-1"})", 201},
        {R"({"name": "DROP_TABLE.players-1"})", 409},
    };
    for (const Case& c : cases) EXPECT_EQ(post("/v1/players", c.body).status, c.status) << c.body;
    pqxx::work work(database());
    EXPECT_EQ(work.exec("SELECT name FROM players")[0][0].as<std::string>(), "drop_table.players-1");
}

TEST_F(HttpFrontTest, RateLimitsPerTokenAndPerAddress) {
    ApiLimits tight;
    tight.perAddress = {0.001, 8.0};
    tight.playersPerAddress = {0.001, 2.0};
    tight.runsPerToken = {0.001, 2.0};
    Api api(catalog(), tight);
    FrontOptions options;
    options.port = 0;
    HttpFront front(options, api, "");
    front.start();
    auto send = [&](const std::string& request) { return exchange(front.port(), request).status; };
    const std::string players = R"({"name": "limited1"})";
    const std::string token = exchange(front.port(), httpRequest("POST", "/v1/players", players)).json()["token"];
    EXPECT_EQ(send(httpRequest("POST", "/v1/players", R"({"name": "limited2"})")), 201);
    EXPECT_EQ(send(httpRequest("POST", "/v1/players", R"({"name": "limited3"})")), 429);
    const std::string run = idleRun(grandTour().identity, 10);
    EXPECT_EQ(send(httpRequest("POST", "/v1/runs", run, token)), 202);
    EXPECT_EQ(send(httpRequest("POST", "/v1/runs", idleRun(grandTour().identity, 11), token)), 202);
    EXPECT_EQ(send(httpRequest("POST", "/v1/runs", idleRun(grandTour().identity, 12), token)), 429);
    // Eight requests from this address with these: the next is one too many.
    EXPECT_EQ(send(httpRequest("GET", "/v1/levels")), 200);
    EXPECT_EQ(send(httpRequest("GET", "/v1/levels")), 200);
    EXPECT_EQ(send(httpRequest("GET", "/v1/levels")), 429);
}

TEST_F(HttpFrontTest, SlowClientsNeitherDelayOthersNorOutliveTheDeadline) {
    // Each sends its request a byte every 3 s: never idle long enough for a
    // per-read timeout, so only a deadline on the whole request ends them.
    const std::string request = "GET /v1/levels HTTP/1.1\r\nHost: localhost\r\n\r\n";
    int slow[2] = {connectTo(port()), connectTo(port())};
    bool closedEarly[2] = {false, false};
    std::thread trickle([&] {
        for (std::size_t i = 0; i < 3; ++i) {
            for (int s = 0; s < 2; ++s) send(slow[s], &request[i], 1, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::seconds(3));
        }
        // The front's deadline (4 s here) has passed: both are closed.
        char byte;
        for (int s = 0; s < 2; ++s) {
            const ssize_t got = recv(slow[s], &byte, 1, MSG_DONTWAIT);
            closedEarly[s] = got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(table().size(), 3u);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    }
    trickle.join();
    for (int s = 0; s < 2; ++s) {
        EXPECT_TRUE(closedEarly[s]) << "slow client " << s << " still held after the deadline";
        close(slow[s]);
    }
}

}  // namespace
}  // namespace velmora::server::testing
