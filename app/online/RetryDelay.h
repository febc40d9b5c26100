#pragma once
// How long the sender waits before it tries a leaderboard again after a
// failure it may outlast (no answer, a 5xx, a 429): doubling from a second,
// so a restarting server is reached again soon, up to a minute, so a server
// that is down for an hour is not asked thousands of times by every game.

namespace velmora::app {

constexpr double kFirstRetrySeconds = 1.0;
constexpr double kLongestRetrySeconds = 60.0;

// failures: how many tries in a row have failed (1 after the first).
double retryDelaySeconds(int failures);

}  // namespace velmora::app
