#pragma once
// One fixture for the leaderboard's tests: the PostgreSQL that
// with_postgres.sh started (found through PGHOST), the schema applied, the
// game's level set listed, and the real HTTP front on a free loopback port.
// Every test starts from empty tables.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

#include "server/Api.h"
#include "server/HttpFront.h"
#include "server/LevelCatalog.h"

namespace velmora::server::testing {

struct HttpReply {
    int status = 0;
    std::string body;
    nlohmann::json json() const { return nlohmann::json::parse(body, nullptr, false); }
};

// Sends raw bytes to a loopback port and reads the reply until the server
// closes; status 0 when none came.
HttpReply exchange(unsigned short port, const std::string& request);

std::string httpRequest(const std::string& method, const std::string& target, const std::string& body = "",
                        const std::string& token = "");

// A run on a level of the set: the spheres left alone for that many steps,
// with the magnet switched off at step `variant` so that runs of one length
// differ in input.
std::string idleRun(std::uint64_t levelIdentity, long steps, long variant = 0);

std::string readFile(const std::string& path);

class ServerTest : public ::testing::Test {
public:
    static pqxx::connection& database() { return *database_; }
    static const LevelCatalog& catalog() { return *catalog_; }
    static const CatalogLevel& grandTour();
    static unsigned short port() { return front_->port(); }

protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    HttpReply get(const std::string& target, const std::string& token = "") const;
    HttpReply post(const std::string& target, const std::string& body, const std::string& token = "") const;
    // A new player's token.
    std::string newPlayer(const std::string& name) const;
    // Posts a run and returns its id, expecting 202.
    std::int64_t submit(const std::string& replay, const std::string& token) const;
    // Claims every queued run in order and records each as accepted (or not)
    // without playing it: for tests of the tables, where what matters is
    // what an accepted run does to them.
    void settleQueue(bool accepted) const;
    nlohmann::json table(const std::string& query = "") const;

private:
    static std::unique_ptr<pqxx::connection> database_;
    static std::unique_ptr<LevelCatalog> catalog_;
    static std::unique_ptr<Api> api_;
    static std::unique_ptr<HttpFront> front_;
};

}  // namespace velmora::server::testing
