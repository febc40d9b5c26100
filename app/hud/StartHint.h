#pragma once
// The one line a new game opens with, "F1: help", low in the middle of the
// screen for its first seconds, so a player who has not read anything knows
// where the controls are. It goes early once the help is open.

#include <vector>

#include "app/hud/HudLines.h"

namespace velmora::app {

constexpr double kStartHintSeconds = 6.0;
constexpr double kLongestHintFrame = 0.1;

// Ages the hint by dt, but by no more than kLongestHintFrame (the first
// frame's interval is the loading, which nobody saw), and adds its line while
// it shows. Positions as in HudLines.h.
void addStartHint(std::vector<HudLine>& lines, double& age, double dt, bool helpShown, int screenWidth,
                  int screenHeight);

}  // namespace velmora::app
