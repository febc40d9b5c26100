#include "server/RateLimiter.h"

#include <algorithm>

namespace velmora::server {

RateLimiter::RateLimiter(RateLimit limit, std::size_t maxKeys) : limit_(limit), maxKeys_(maxKeys) {}

bool RateLimiter::allow(const std::string& key, Clock::time_point now) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = buckets_.find(key);
    if (found == buckets_.end()) {
        if (buckets_.size() >= maxKeys_) dropFullBuckets(now);
        // Still full of active keys: refuse the newcomer rather than forget
        // someone's spent bucket.
        if (buckets_.size() >= maxKeys_) return false;
        found = buckets_.emplace(key, Bucket{limit_.burst, now}).first;
    }
    Bucket& bucket = found->second;
    const double elapsed = std::chrono::duration<double>(now - bucket.updated).count();
    bucket.tokens = std::min(limit_.burst, bucket.tokens + std::max(0.0, elapsed) * limit_.perSecond);
    bucket.updated = std::max(bucket.updated, now);
    if (bucket.tokens < 1.0) return false;
    bucket.tokens -= 1.0;
    return true;
}

void RateLimiter::dropFullBuckets(Clock::time_point now) {
    for (auto it = buckets_.begin(); it != buckets_.end();) {
        const double elapsed = std::chrono::duration<double>(now - it->second.updated).count();
        if (it->second.tokens + elapsed * limit_.perSecond >= limit_.burst) {
            it = buckets_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace velmora::server
