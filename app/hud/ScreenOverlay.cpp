#include "app/hud/ScreenOverlay.h"

#include <algorithm>

namespace velmora::app {

namespace {
// The flash of the one screen the game draws to; a hazard starts it from
// wherever the rules report one, so it lives beside the overlay, not in a run.
double flashAge = kHazardFlashSeconds;
}  // namespace

void flashScreen() { flashAge = 0.0; }

void clearScreenOverlay() { flashAge = kHazardFlashSeconds; }

glm::vec4 screenOverlay(double dt, bool won) {
    const float flash =
        kHazardFlashStrength * static_cast<float>(std::max(0.0, 1.0 - flashAge / kHazardFlashSeconds));
    flashAge = std::min(flashAge + dt, kHazardFlashSeconds);
    const float dim = won ? kWinDimming : 0.0f;
    if (flash <= 0.0f) return glm::vec4(0.0f, 0.0f, 0.0f, dim);
    // The flash over the dimming: red, as strong as it still is.
    return glm::vec4(0.8f, 0.05f, 0.02f, std::max(flash, dim));
}

}  // namespace velmora::app
