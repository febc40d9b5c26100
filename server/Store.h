#pragma once
// The front's view of the database: players, submitted runs and the tables,
// every query a prepared statement with the request's values bound as
// parameters. One Store is one connection, used by one thread; a lost
// connection is opened again on the next call.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

#include "server/LevelCatalog.h"

namespace velmora::server {

struct NewPlayer {
    std::int64_t id = 0;
    std::string token;  // shown once; only its hash is kept
};

// A place in a table, by its key: fewer steps first, then the earlier run.
struct TableKey {
    std::int64_t steps = -1;
    std::int64_t run = -1;
};

struct Submitted {
    enum class Outcome { queued, sentAgain, anotherPlayers };
    Outcome outcome = Outcome::queued;
    std::int64_t id = 0;
    std::string state;
};

class Store {
public:
    explicit Store(std::string connectionInfo);

    // Nullopt when the name is taken, in any mix of cases.
    std::optional<NewPlayer> createPlayer(const std::string& name);
    std::optional<std::int64_t> playerByToken(const std::string& token);
    Submitted submitRun(std::int64_t player, const CatalogLevel& level, const std::string& replay,
                        const std::string& inputKey, long steps);

    // Null when there is no such run (or level, or entry of the player).
    nlohmann::json run(std::int64_t id);
    nlohmann::json levels();
    nlohmann::json table(const CatalogLevel& level, int limit, const TableKey& after);
    nlohmann::json around(const CatalogLevel& level, std::int64_t player);
    // An accepted run's file.
    std::optional<std::string> replay(std::int64_t id);
    std::int64_t queueDepth();

private:
    pqxx::connection& connection();

    std::string connectionInfo_;
    std::unique_ptr<pqxx::connection> connection_;
};

// 64 hex digits from the system's random source.
std::string newToken();

}  // namespace velmora::server
