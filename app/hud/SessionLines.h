#pragma once
// The play session's corner readouts: the run timer top right, the replay
// line under it, and the magnet's direction bottom right. Positions as in
// HudLines.h, in the bands of HudMetrics.h.

#include <vector>

#include "app/hud/HudLines.h"

namespace velmora::app {

struct PlaySession;

// The run timer only when showTimer (a setting).
std::vector<HudLine> sessionLines(const PlaySession& session, bool spheresCoupled, int screenWidth,
                                  int screenHeight, bool showTimer = true);

}  // namespace velmora::app
