#include "app/online/RetryDelay.h"

#include <algorithm>

namespace velmora::app {

double retryDelaySeconds(int failures) {
    double delay = kFirstRetrySeconds;
    for (int i = 1; i < failures && delay < kLongestRetrySeconds; ++i) delay *= 2.0;
    return std::min(delay, kLongestRetrySeconds);
}

}  // namespace velmora::app
