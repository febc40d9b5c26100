#include "audio/OutputLimiter.h"

#include <algorithm>
#include <cmath>

namespace velmora::audio {

namespace {

// How fast the gain comes back once the voices that pushed it down end:
// about a third of a second from -6 dB.
constexpr float kRecoveryDbPerSecond = 18.0f;

}  // namespace

float OutputLimiter::gainFor(float volume, float reach, double seconds) {
    const float target = reach > kOutputCeiling ? std::min(volume, kOutputCeiling / reach) : volume;
    const double elapsed = std::max(0.0, seconds - lastSeconds_);
    lastSeconds_ = seconds;
    if (target <= gain_) {
        gain_ = target;
    } else {
        const float rise = std::pow(10.0f, kRecoveryDbPerSecond * static_cast<float>(elapsed) / 20.0f);
        gain_ = std::min(target, gain_ * rise);
    }
    return gain_;
}

float OutputLimiter::roomBeside(float reach) const {
    if (gain_ <= 0.0f) return kOutputCeiling;  // silent: nothing can reach the ceiling
    return std::max(0.0f, kOutputCeiling / gain_ - reach);
}

}  // namespace velmora::audio
