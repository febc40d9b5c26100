#include "app/hud/StartHint.h"

#include <algorithm>
#include <string>

#include "app/hud/HudMetrics.h"

namespace velmora::app {

void addStartHint(std::vector<HudLine>& lines, double& age, double dt, bool helpShown, int screenWidth,
                  int screenHeight) {
    if (helpShown) age = kStartHintSeconds;
    if (age >= kStartHintSeconds) return;
    const std::string hint = "F1: help";
    const int size = cornerTextSize(screenHeight);
    const int width = static_cast<int>(hint.size()) * size;
    lines.push_back({hint, (screenWidth - width) / 2, screenHeight / 6, size});
    age += std::min(dt, kLongestHintFrame);
}

}  // namespace velmora::app
