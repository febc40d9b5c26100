#pragma once
// The HUD lines of the play session: the run timer top right, "Paused" in
// the middle, the run's and the best time under the win message, and the
// magnet's direction bottom right. Positions as in HudLines.h.

#include <string>
#include <vector>

#include "app/hud/HudLines.h"

namespace velmora::app {

struct PlaySession;

// A run against the best before it, in seconds: "-1.24" ahead, "+0.80" behind.
std::string bestDifferenceText(long steps, long bestSteps);

// The run timer only when showTimer (a setting).
std::vector<HudLine> sessionLines(const PlaySession& session, bool won, bool spheresCoupled,
                                  int screenWidth, int screenHeight, bool showTimer = true);

}  // namespace velmora::app
