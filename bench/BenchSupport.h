#pragma once
// What every benchmark shares: the summary it prints (median and spread of
// the timed samples) and, for those that draw, the game's kind of context.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/GameWindow.h"
#include "platform/Window.h"

namespace velmora::bench {

struct Spread {
    double median = 0.0;
    double p10 = 0.0;
    double p90 = 0.0;
    double min = 0.0;
    double max = 0.0;
};

inline Spread spreadOf(std::vector<double> samples) {
    Spread spread;
    if (samples.empty()) return spread;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double p) { return samples[static_cast<size_t>(p * (samples.size() - 1))]; };
    spread.median = at(0.5);
    spread.p10 = at(0.1);
    spread.p90 = at(0.9);
    spread.min = samples.front();
    spread.max = samples.back();
    return spread;
}

// One line: "<what>: median M unit, spread (10th to 90th percentile) A to B, min, max".
inline void printSpread(const std::string& what, const std::vector<double>& samples,
                        const char* unit) {
    const Spread s = spreadOf(samples);
    std::printf("%s over %zu samples: median %.3f %s, spread (10th to 90th percentile) %.3f to "
                "%.3f %s, min %.3f, max %.3f\n",
                what.c_str(), samples.size(), s.median, unit, s.p10, s.p90, unit, s.min, s.max);
}

// Opens a full-screen 3.2 core window as the game does; false (with a line on
// standard error) when there is no such display.
inline bool openBenchContext(int& width, int& height) {
    if (!platform::init() || !app::openGameWindow(width, height) || !app::initGlew()) {
        std::fprintf(stderr, "the benchmark needs a display with an OpenGL 3.2 core context\n");
        return false;
    }
    app::reloadEntryPoints();
    return true;
}

}  // namespace velmora::bench
