#pragma once
// The leaderboard's JSON API under /v1, apart from HTTP itself: the front
// hands each whole request here and sends back what it returns. Checks that
// need no body (its size, its encoding) are the front's, made before the
// body is read.

#include <cstdint>
#include <string>

#include "server/LevelCatalog.h"
#include "server/RateLimiter.h"
#include "server/Store.h"

namespace velmora::server {

struct ApiRequest {
    std::string method;
    std::string target;         // path and query
    std::string authorization;  // the header as sent
    std::string body;
    std::string peer;  // the client's address
};

struct ApiResponse {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
};

struct ApiLimits {
    RateLimit perAddress{20.0, 60.0};        // every request
    RateLimit playersPerAddress{0.01, 5.0};  // new players
    RateLimit runsPerToken{0.2, 10.0};       // submitted runs
};

constexpr std::size_t kMaxReplayBody = 512 * 1024;

class Api {
public:
    Api(const LevelCatalog& catalog, const ApiLimits& limits);

    // Never throws: a lost database is 503, anything else unexpected 500.
    ApiResponse handle(const ApiRequest& request, Store& store);

private:
    ApiResponse route(const ApiRequest& request, Store& store);
    ApiResponse createPlayer(const ApiRequest& request, Store& store);
    ApiResponse submitRun(const ApiRequest& request, Store& store);
    ApiResponse health(Store& store);

    const LevelCatalog& catalog_;
    RateLimiter perAddress_;
    RateLimiter playersPerAddress_;
    RateLimiter runsPerToken_;
};

}  // namespace velmora::server
