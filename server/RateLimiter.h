#pragma once
// Token buckets, one per key (a client's address or a player's token): each
// request takes one token, tokens come back at a steady rate up to a burst.
// Shared by the front's threads. Keys idle long enough to have refilled are
// dropped, so a flood of new addresses cannot grow it without bound.

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace velmora::server {

struct RateLimit {
    double perSecond = 1.0;
    double burst = 1.0;
};

class RateLimiter {
public:
    using Clock = std::chrono::steady_clock;

    explicit RateLimiter(RateLimit limit, std::size_t maxKeys = 100000);

    // True (taking a token) when the key may go ahead now.
    bool allow(const std::string& key, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tokens = 0.0;
        Clock::time_point updated;
    };
    void dropFullBuckets(Clock::time_point now);

    RateLimit limit_;
    std::size_t maxKeys_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
};

}  // namespace velmora::server
