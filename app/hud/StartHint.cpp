#include "app/hud/StartHint.h"

#include <algorithm>
#include <string>

namespace velmora::app {

namespace {
constexpr int kHintSize = 20;
}  // namespace

void addStartHint(std::vector<HudLine>& lines, double& age, double dt, bool helpShown, int screenWidth,
                  int screenHeight) {
    if (helpShown) age = kStartHintSeconds;
    if (age >= kStartHintSeconds) return;
    const std::string hint = "F1: help";
    const int width = static_cast<int>(hint.size()) * kHintSize;
    lines.push_back({hint, (screenWidth - width) / 2, screenHeight / 6, kHintSize});
    age += std::min(dt, kLongestHintFrame);
}

}  // namespace velmora::app
