#include "tools/autopilot/FrameRateSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora::app {

void FrameRateSummary::add(double frameSeconds, int renderScale) {
    if (!(frameSeconds > 0.0)) return;
    intervals_.push_back(frameSeconds);
    secondsAtScale_[renderScale] += frameSeconds;
}

double FrameRateSummary::intervalAt(double share) const {
    std::vector<double> sorted = intervals_;
    std::sort(sorted.begin(), sorted.end());
    // Nearest rank: the smallest interval that at least `share` of the
    // frames do not exceed.
    const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

double FrameRateSummary::medianRate() const { return intervals_.empty() ? 0.0 : 1.0 / intervalAt(0.5); }

double FrameRateSummary::tenthPercentileRate() const {
    // The slowest tenth of the frames are those above the 90th percentile
    // of the intervals.
    return intervals_.empty() ? 0.0 : 1.0 / intervalAt(0.9);
}

double FrameRateSummary::longestFrameSeconds() const {
    return intervals_.empty() ? 0.0 : *std::max_element(intervals_.begin(), intervals_.end());
}

std::string FrameRateSummary::text() const {
    char line[160];
    std::snprintf(line, sizeof line,
                  "autoplay: %ld frames, %.1f frames a second median, %.1f at the 10th percentile, "
                  "longest frame %.0f ms\n",
                  frames(), medianRate(), tenthPercentileRate(), 1e3 * longestFrameSeconds());
    std::string text = line;
    for (const auto& [scale, seconds] : secondsAtScale_) {
        std::snprintf(line, sizeof line, "autoplay: render scale %d %%: %.1f s\n", scale, seconds);
        text += line;
    }
    return text;
}

}  // namespace velmora::app
