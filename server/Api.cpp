#include "server/Api.h"

#include <iostream>
#include <regex>
#include <vector>

#include <nlohmann/json.hpp>

#include "server/RunIntake.h"
#include "sim/SimulationVersion.h"

namespace velmora::server {

namespace {

using nlohmann::json;

ApiResponse reply(int status, const json& body) { return {status, body.dump() + "\n"}; }

ApiResponse error(int status, const std::string& line) { return reply(status, json{{"error", line}}); }

bool allDigits(const std::string& text, std::size_t most) {
    if (text.empty() || text.size() > most) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool validName(const std::string& name) {
    if (name.size() < 3 || name.size() > 20) return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '.' || c == '-';
        if (!ok) return false;
    }
    return true;
}

// The token from "Bearer <64 hex digits>"; empty when it is not one.
std::string bearerToken(const std::string& header) {
    static const std::regex shape("Bearer ([0-9a-f]{64})");
    std::smatch match;
    return std::regex_match(header, match, shape) ? match[1].str() : std::string();
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

struct Query {
    bool valid = true;
    std::string limit;
    std::string after;
};

// Only the table's two parameters; anything else is a mistake worth saying.
Query parseQuery(const std::string& text) {
    Query query;
    if (text.empty()) return query;
    for (const std::string& pair : split(text, '&')) {
        const std::size_t equals = pair.find('=');
        const std::string key = pair.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : pair.substr(equals + 1);
        if (key == "limit") {
            query.limit = value;
        } else if (key == "after") {
            query.after = value;
        } else {
            query.valid = false;
        }
    }
    return query;
}

// "STEPS-RUN", as a page's "next" gives it.
bool parseTableKey(const std::string& text, TableKey& key) {
    const std::vector<std::string> parts = split(text, '-');
    if (parts.size() != 2 || !allDigits(parts[0], 9) || !allDigits(parts[1], 18)) return false;
    key.steps = std::stoll(parts[0]);
    key.run = std::stoll(parts[1]);
    return true;
}

ApiResponse tablePage(const CatalogLevel& level, const std::string& queryText, Store& store) {
    const Query query = parseQuery(queryText);
    if (!query.valid) return error(400, "the table takes only limit and after");
    int limit = 10;
    if (!query.limit.empty()) {
        if (!allDigits(query.limit, 3) || std::stoi(query.limit) < 1 || std::stoi(query.limit) > 100) {
            return error(400, "limit is a number from 1 to 100");
        }
        limit = std::stoi(query.limit);
    }
    TableKey after;
    if (!query.after.empty() && !parseTableKey(query.after, after)) {
        return error(400, "after is a page's \"next\"");
    }
    return reply(200, store.table(level, limit, after));
}

}  // namespace

Api::Api(const LevelCatalog& catalog, const ApiLimits& limits)
    : catalog_(catalog),
      perAddress_(limits.perAddress),
      playersPerAddress_(limits.playersPerAddress),
      runsPerToken_(limits.runsPerToken) {}

ApiResponse Api::handle(const ApiRequest& request, Store& store) {
    try {
        if (!perAddress_.allow(request.peer)) return error(429, "too many requests from this address");
        return route(request, store);
    } catch (const pqxx::broken_connection&) {
        return error(503, "the database is unavailable");
    } catch (const std::exception& failure) {
        std::cerr << "leaderboard: " << request.method << " " << request.target << ": " << failure.what()
                  << std::endl;
        return error(500, "internal error");
    }
}

ApiResponse Api::route(const ApiRequest& request, Store& store) {
    const std::size_t question = request.target.find('?');
    const std::string path = request.target.substr(0, question);
    const std::string query = question == std::string::npos ? "" : request.target.substr(question + 1);
    const std::vector<std::string> parts = split(path, '/');
    // parts[0] is the empty text before the leading '/'.
    if (parts.size() < 3 || !parts[0].empty() || parts[1] != "v1") return error(404, "no such resource");
    const std::string& what = parts[2];
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    const std::size_t count = parts.size();

    if (count == 3 && what == "health") return get ? health(store) : error(405, "GET only");
    if (count == 3 && what == "players") return post ? createPlayer(request, store) : error(405, "POST only");
    if (count == 3 && what == "runs") return post ? submitRun(request, store) : error(405, "POST only");
    if (count == 3 && what == "levels") return get ? reply(200, store.levels()) : error(405, "GET only");
    if (!get) return error(count <= 5 ? 405 : 404, "GET only");

    if (what == "runs" && (count == 4 || (count == 5 && parts[4] == "replay"))) {
        if (!allDigits(parts[3], 18)) return error(404, "no such run");
        const std::int64_t id = std::stoll(parts[3]);
        if (count == 4) {
            const json run = store.run(id);
            return run.is_null() ? error(404, "no such run") : reply(200, run);
        }
        const std::optional<std::string> replay = store.replay(id);
        if (!replay) return error(404, "no accepted run with that id");
        return {200, *replay, "application/octet-stream"};
    }
    if (what == "levels" && count == 5) {
        const CatalogLevel* level = catalog_.findText(parts[3]);
        if (level == nullptr) return error(404, "no such level");
        if (parts[4] == "table") return tablePage(*level, query, store);
        if (parts[4] == "around") {
            const std::string token = bearerToken(request.authorization);
            const std::optional<std::int64_t> player = token.empty() ? std::nullopt : store.playerByToken(token);
            if (!player) return error(401, "a player's token is needed");
            const json around = store.around(*level, *player);
            return around.is_null() ? error(404, "no run of yours on this level") : reply(200, around);
        }
    }
    return error(404, "no such resource");
}

ApiResponse Api::createPlayer(const ApiRequest& request, Store& store) {
    if (!playersPerAddress_.allow(request.peer)) return error(429, "too many new players from this address");
    const json body = json::parse(request.body, nullptr, false);
    if (body.is_discarded() || !body.is_object() || !body.contains("name") || !body["name"].is_string()) {
        return error(400, "send {\"name\": NAME}");
    }
    const std::string name = body["name"].get<std::string>();
    if (!validName(name)) return error(400, "a name is 3 to 20 of A-Z a-z 0-9 _ . -");
    const std::optional<NewPlayer> player = store.createPlayer(name);
    if (!player) return error(409, "that name is taken");
    return reply(201, json{{"id", player->id}, {"name", name}, {"token", player->token}});
}

ApiResponse Api::submitRun(const ApiRequest& request, Store& store) {
    const std::string token = bearerToken(request.authorization);
    const std::optional<std::int64_t> player = token.empty() ? std::nullopt : store.playerByToken(token);
    if (!player) return error(401, "a player's token is needed");
    if (!runsPerToken_.allow(token)) return error(429, "too many runs from this player");
    if (request.body.size() > kMaxReplayBody) return error(413, "a replay is at most 512 KiB");
    const RunIntake intake = takeInRun(request.body, catalog_);
    if (intake.status != 0) return error(intake.status, intake.error);
    const Submitted submitted = store.submitRun(*player, *intake.level, request.body, intake.inputKey, intake.steps);
    const json body = {{"id", submitted.id}, {"state", submitted.state}};
    switch (submitted.outcome) {
        case Submitted::Outcome::queued: return reply(202, body);
        case Submitted::Outcome::sentAgain: return reply(200, body);
        case Submitted::Outcome::anotherPlayers: break;
    }
    return error(409, "this run is another player's");
}

ApiResponse Api::health(Store& store) {
    try {
        return reply(200, json{{"database", "ok"}, {"queue", store.queueDepth()}, {"simulation", kSimulationVersion}});
    } catch (const pqxx::broken_connection&) {
        return reply(503, json{{"database", "unavailable"}, {"simulation", kSimulationVersion}});
    }
}

}  // namespace velmora::server
