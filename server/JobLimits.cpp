#include "server/JobLimits.h"

#include <sys/resource.h>
#include <sys/time.h>

namespace velmora::server {

void limitMemory(long megabytes) {
    if (megabytes <= 0) return;
    const rlim_t bytes = static_cast<rlim_t>(megabytes) * 1024 * 1024;
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
}

long cpuAllowance(long steps) {
    // About 70 ms a simulated minute at most, measured; building a level
    // costs up to another 70 ms. Twenty times that and a floor of 5 s.
    constexpr long kStepsPerMinute = 60 * 60;
    return 5 + (steps + kStepsPerMinute - 1) / kStepsPerMinute * 2;
}

void allowCpuSeconds(long seconds) {
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    const long spent = used.ru_utime.tv_sec + used.ru_stime.tv_sec + 1;
    rlimit limit{};
    getrlimit(RLIMIT_CPU, &limit);
    limit.rlim_cur = static_cast<rlim_t>(spent + seconds);
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max) limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_CPU, &limit);
}

}  // namespace velmora::server
