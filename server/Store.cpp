#include "server/Store.h"

#include <sys/random.h>

#include <stdexcept>

#include "server/StoreStatements.h"
#include "sim/RunClock.h"
#include "sim/SimulationVersion.h"

namespace velmora::server {

namespace {

using nlohmann::json;

json entryOf(std::int64_t rank, const pqxx::row& row) {
    const long steps = row["steps"].as<long>();
    return {{"rank", rank},
            {"player", row["name"].as<std::string>()},
            {"steps", steps},
            {"time", runTimeText(steps)},
            {"run", row["submission_id"].as<std::int64_t>()}};
}

}  // namespace

std::string newToken() {
    unsigned char bytes[32];
    std::size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got < 0) throw std::runtime_error("no random bytes for a token");
        filled += static_cast<std::size_t>(got);
    }
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

Store::Store(std::string connectionInfo) : connectionInfo_(std::move(connectionInfo)) {}

pqxx::connection& Store::connection() {
    if (connection_ && !connection_->is_open()) connection_.reset();
    if (!connection_) {
        auto opened = std::make_unique<pqxx::connection>(connectionInfo_);
        prepareStoreStatements(*opened);
        connection_ = std::move(opened);
    }
    return *connection_;
}

std::optional<NewPlayer> Store::createPlayer(const std::string& name) {
    pqxx::work work(connection());
    NewPlayer player;
    player.token = newToken();
    const pqxx::result made = work.exec_prepared("player_create", name, player.token);
    if (made.empty()) return std::nullopt;
    work.commit();
    player.id = made[0][0].as<std::int64_t>();
    return player;
}

std::optional<std::int64_t> Store::playerByToken(const std::string& token) {
    pqxx::read_transaction work(connection());
    const pqxx::result found = work.exec_prepared("player_by_token", token);
    if (found.empty()) return std::nullopt;
    return found[0][0].as<std::int64_t>();
}

Submitted Store::submitRun(std::int64_t player, const CatalogLevel& level, const std::string& replay,
                           const std::string& inputKey, long steps) {
    pqxx::work work(connection());
    const pqxx::binarystring replayBytes(replay.data(), replay.size());
    const pqxx::binarystring keyBytes(inputKey.data(), inputKey.size());
    Submitted submitted;
    const pqxx::result made =
        work.exec_prepared("run_submit", player, level.identityText, replayBytes, keyBytes, steps, kSimulationVersion);
    if (!made.empty()) {
        work.exec_prepared("run_notify");
        work.commit();
        submitted.id = made[0]["id"].as<std::int64_t>();
        submitted.state = made[0]["state"].as<std::string>();
        return submitted;
    }
    // The same input was sent before, by this player or another.
    const pqxx::row earlier = work.exec_prepared1("run_by_input", keyBytes);
    submitted.id = earlier["id"].as<std::int64_t>();
    submitted.state = earlier["state"].as<std::string>();
    submitted.outcome = earlier["player_id"].as<std::int64_t>() == player ? Submitted::Outcome::sentAgain
                                                                         : Submitted::Outcome::anotherPlayers;
    return submitted;
}

json Store::run(std::int64_t id) {
    pqxx::read_transaction work(connection());
    const pqxx::result found = work.exec_prepared("run_status", id);
    if (found.empty()) return nullptr;
    const pqxx::row row = found[0];
    json run = {{"id", id},
                {"level", row["identity"].as<std::string>()},
                {"player", row["name"].as<std::string>()},
                {"state", row["state"].as<std::string>()},
                {"verdict", row["verdict"].as<std::string>()},
                {"steps", row["claimed_steps"].as<long>()},
                {"entries", row["entries"].as<std::int64_t>()},
                {"rank", nullptr}};
    if (!row["rank"].is_null()) run["rank"] = row["rank"].as<std::int64_t>();
    return run;
}

json Store::levels() {
    pqxx::read_transaction work(connection());
    json levels = json::array();
    for (const pqxx::row& row : work.exec_prepared("levels_listed")) {
        json level = {{"identity", row["identity"].as<std::string>()},
                      {"name", row["level_name"].as<std::string>()},
                      {"title", row["title"].as<std::string>()},
                      {"longest_steps", row["longest_steps"].as<long>()},
                      {"entries", row["entries"].as<std::int64_t>()},
                      {"record", nullptr}};
        if (!row["steps"].is_null()) level["record"] = entryOf(1, row);
        levels.push_back(level);
    }
    return levels;
}

json Store::table(const CatalogLevel& level, int limit, const TableKey& after) {
    pqxx::read_transaction work(connection());
    const pqxx::result rows = work.exec_prepared("table_page", level.identityText, after.steps, after.run, limit);
    json entries = json::array();
    for (const pqxx::row& row : rows) entries.push_back(entryOf(row["rank"].as<std::int64_t>(), row));
    json page = {{"level", level.identityText}, {"entries", entries}, {"next", nullptr}};
    if (static_cast<int>(rows.size()) == limit) {
        const pqxx::row last = rows[rows.size() - 1];
        page["next"] = last["steps"].as<std::string>() + "-" + last["submission_id"].as<std::string>();
    }
    return page;
}

json Store::around(const CatalogLevel& level, std::int64_t player) {
    pqxx::read_transaction work(connection());
    const pqxx::result mine = work.exec_prepared("table_entry_of", level.identityText, player);
    if (mine.empty()) return nullptr;
    const std::int64_t rank = mine[0]["rank"].as<std::int64_t>();
    const std::int64_t steps = mine[0]["steps"].as<std::int64_t>();
    const std::int64_t run = mine[0]["submission_id"].as<std::int64_t>();
    const pqxx::result before = work.exec_prepared("table_before", level.identityText, steps, run);
    const pqxx::result from = work.exec_prepared("table_from", level.identityText, steps, run);
    json entries = json::array();
    // Nearest first from the query: the table's order wants them reversed.
    for (auto row = before.rbegin(); row != before.rend(); ++row) {
        entries.push_back(entryOf(rank - static_cast<std::int64_t>(before.size() - entries.size()), *row));
    }
    for (std::size_t i = 0; i < from.size(); ++i) entries.push_back(entryOf(rank + static_cast<std::int64_t>(i), from[i]));
    return {{"level", level.identityText}, {"rank", rank}, {"entries", entries}};
}

std::optional<std::string> Store::replay(std::int64_t id) {
    pqxx::read_transaction work(connection());
    const pqxx::result found = work.exec_prepared("run_replay", id);
    if (found.empty()) return std::nullopt;
    const pqxx::binarystring bytes(found[0][0]);
    return bytes.str();
}

std::int64_t Store::queueDepth() {
    pqxx::read_transaction work(connection());
    return work.exec_prepared1("queue_depth")[0].as<std::int64_t>();
}

}  // namespace velmora::server
