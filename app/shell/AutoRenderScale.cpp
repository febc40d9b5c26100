#include "app/shell/AutoRenderScale.h"

#include <algorithm>
#include <cmath>

namespace velmora::app {

namespace {
// A window closes after this many frames, or after a second at low rates
// (but never on fewer than three frames, so one hitch decides nothing).
constexpr size_t kWindowFrames = 10;
constexpr size_t kFewestWindowFrames = 3;
constexpr double kWindowSeconds = 1.0;
// Slower than this share of the target: fewer pixels.
constexpr double kTooSlow = 1.1;
// A step up must be predicted to stay this far under the target, so that
// the next window does not find it too slow and step back.
constexpr double kRoomToRise = 0.9;
// Frames within this share of the target may be held there by vsync: a
// step up is tried after a hold.
constexpr double kAtTarget = 1.05;
constexpr double kFirstTryHold = 2.0;  // seconds
constexpr double kLongestTryHold = 32.0;
// A frame this long is a stall (loading, a window change), not the
// renderer's cost.
constexpr double kStall = 0.5;

double median(std::vector<double> values) {
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
    return values[middle];
}

// Frame time grows with the scene's pixels: with the square of the scale.
double predicted(double time, int from, int to) {
    const double ratio = static_cast<double>(to) / static_cast<double>(from);
    return time * ratio * ratio;
}
}  // namespace

AutoRenderScale::AutoRenderScale(double targetSeconds, int lowest, int highest)
    : target_(targetSeconds),
      lowest_(std::min(lowest, highest)),
      highest_(std::max(lowest, highest)),
      scale_(highest_),
      tryHold_(kFirstTryHold) {}

int AutoRenderScale::observe(double frameSeconds) {
    if (!(frameSeconds > 0.0) || frameSeconds > kStall) return scale_;
    clock_ += frameSeconds;
    window_.push_back(frameSeconds);
    windowSeconds_ += frameSeconds;
    const bool full = window_.size() >= kWindowFrames ||
                      (window_.size() >= kFewestWindowFrames && windowSeconds_ >= kWindowSeconds);
    if (!full) return scale_;
    const double time = median(window_);
    window_.clear();
    windowSeconds_ = 0.0;

    if (time > target_ * kTooSlow && scale_ > lowest_) {
        if (triedFrom_ >= 0) {
            // A try up that did not fit: back where it held, and wait longer
            // before the next.
            tryHold_ = std::min(2.0 * tryHold_, kLongestTryHold);
            change(triedFrom_, clock_);
            return scale_;
        }
        // Straight to the scale predicted to fit, in whole steps.
        const double fitting = scale_ * std::sqrt(target_ / time);
        const int to = static_cast<int>(std::floor(fitting / kStep)) * kStep;
        change(std::clamp(std::min(to, scale_ - kStep), lowest_, highest_), clock_);
        return scale_;
    }
    triedFrom_ = -1;  // a try up that held is the scale now
    if (scale_ >= highest_) return scale_;
    const int up = std::min(scale_ + kStep, highest_);
    if (predicted(time, scale_, up) <= target_ * kRoomToRise) {
        change(up, clock_);
    } else if (time <= target_ * kAtTarget && clock_ - lastChange_ >= tryHold_) {
        const int from = scale_;
        change(up, clock_);
        triedFrom_ = from;
    }
    return scale_;
}

void AutoRenderScale::change(int to, double now) {
    scale_ = to;
    lastChange_ = now;
    triedFrom_ = -1;
}

double frameTargetSeconds(int settingMilliseconds, bool vsync, int refreshHz) {
    if (settingMilliseconds > 0) return settingMilliseconds / 1000.0;
    if (vsync && refreshHz > 0) return 1.0 / refreshHz;
    return 1.0 / 60.0;
}

}  // namespace velmora::app
