// Time to check the shipped level as build/check_level does: reading the
// three tiles, the node checks and both spheres' reachability floods, and
// the floods alone. Run from the repository root. Prints the median and
// spread over repeated runs.

#include "bench/BenchSupport.h"
#include "level/LevelCheck.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

void measure(const char* label, bool reach, int runs) {
    std::vector<double> millis;
    std::size_t places = 0;
    for (int run = 0; run < runs; ++run) {
        velmora::LevelCheckSettings settings;
        settings.checkReach = reach;
        const auto start = std::chrono::steady_clock::now();
        const velmora::LevelReport report =
            velmora::checkLevel(velmora::shippedLevelTiles(), settings);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        millis.push_back(elapsed.count());
        for (const velmora::SphereReach& sphere : report.reach) places += sphere.placesReached;
    }
    velmora::bench::printSpread(std::string(label) + " (" + std::to_string(places / runs) +
                                    " places flooded)",
                                millis, "ms");
}

}  // namespace

int main() {
    measure("check the shipped level with reachability", true, 21);
    measure("check the shipped level without reachability", false, 21);
    return 0;
}
